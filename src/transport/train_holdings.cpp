#include "transport/train_holdings.h"

#include "state/map_field.h"
#include "world/way_network.h"

namespace {

TrainHoldings* g_FirstHoldings = nullptr;

const WayNode* NodeOf(int32_t n) {
    return g_pWayNetwork != nullptr ? g_pWayNetwork->Node(n) : nullptr;
}

// The link leaving n by direction index i as the network has it now; false
// when there is none.
bool LookUpLink(int32_t n, int32_t i, TrainLink& link) {
    const WayNode* node = NodeOf(n);
    if (node == nullptr || i < 0 || i > 3 || node->ziel[i] <= 0) return false;
    link.node = n;
    link.dir = i;
    link.far_node = node->ziel[i];
    link.far_dir = node->back[i] <= 3 ? node->back[i] : -1;
    return true;
}

bool StillLinked(const TrainLink& link) {
    const WayNode* node = NodeOf(link.node);
    return node != nullptr && node->ziel[link.dir] == link.far_node;
}

bool Flagged(int32_t n, int32_t i) {
    const WayNode* node = NodeOf(n);
    return node != nullptr && i >= 0 && i <= 3 && node->belegt[i] != 0;
}

}  // namespace

TrainHoldings::TrainHoldings() : next_(g_FirstHoldings) {
    if (g_FirstHoldings != nullptr) g_FirstHoldings->prev_ = this;
    g_FirstHoldings = this;
}

TrainHoldings::~TrainHoldings() {
    if (prev_ != nullptr) prev_->next_ = next_;
    if (next_ != nullptr) next_->prev_ = prev_;
    if (g_FirstHoldings == this) g_FirstHoldings = next_;
}

bool TrainHoldings::HoldsField(int32_t x, int32_t y) const {
    for (int32_t i = 0; i < field_count_; ++i) {
        if (fields_[i].x == x && fields_[i].y == y) return true;
    }
    return false;
}

void TrainHoldings::MarkField(int32_t x, int32_t y) {
    MapField* field = FieldAt(x, y);
    if (field == nullptr) return;
    field->set_belegt(3);
    if (HoldsField(x, y) || field_count_ >= kMaxFields) return;
    fields_[field_count_++] = {static_cast<uint8_t>(x), static_cast<uint8_t>(y)};
}

void TrainHoldings::ReleaseField(int32_t x, int32_t y) {
    for (int32_t i = 0; i < field_count_; ++i) {
        if (fields_[i].x != x || fields_[i].y != y) continue;
        if (MapField* field = FieldAt(x, y)) field->set_belegt(0);
        fields_[i] = fields_[--field_count_];
        return;
    }
}

void TrainHoldings::ReleaseAllFields() {
    while (field_count_ > 0) ReleaseField(fields_[0].x, fields_[0].y);
}

int32_t TrainHoldings::FindLink(int32_t node, int32_t dir) const {
    for (int32_t i = 0; i < link_count_; ++i) {
        if (links_[i].Names(node, dir) && StillLinked(links_[i])) return i;
    }
    return -1;
}

bool TrainHoldings::HoldsLink(int32_t node, int32_t dir) const {
    return FindLink(node, dir) >= 0;
}

bool TrainHoldings::AnyoneHoldsLink(int32_t node, int32_t dir) {
    for (const TrainHoldings* h = g_FirstHoldings; h != nullptr; h = h->next_) {
        if (h->HoldsLink(node, dir)) return true;
    }
    return false;
}

void TrainHoldings::ForgetLink(int32_t index) {
    links_[index] = links_[--link_count_];
}

void TrainHoldings::ForgetVanishedLinks() {
    for (int32_t i = link_count_ - 1; i >= 0; --i) {
        if (!StillLinked(links_[i])) ForgetLink(i);
    }
}

bool TrainHoldings::ReserveLink(int32_t node, int32_t dir) {
    TrainLink link;
    if (!LookUpLink(node, dir, link)) return false;
    if (const int32_t held = FindLink(node, dir); held >= 0) {
        links_[held].release_waits = false;
        return true;
    }
    if (Flagged(node, dir) && AnyoneHoldsLink(node, dir)) return false;
    ForgetVanishedLinks();
    if (link_count_ >= kMaxLinks) return false;
    g_pWayNetwork->SetLinkFlag(node, DirBitFromIndex(dir));
    links_[link_count_++] = link;
    return true;
}

void TrainHoldings::ReleaseLink(int32_t node, int32_t dir) {
    if (node <= 0 || dir < 0 || dir > 3 || g_pWayNetwork == nullptr) return;
    const int32_t index = FindLink(node, dir);
    if (index >= 0) {
        g_pWayNetwork->ClearLinkFlag(node, DirBitFromIndex(dir));
        ForgetLink(index);
        return;
    }
    if (Flagged(node, dir) && !AnyoneHoldsLink(node, dir)) {
        g_pWayNetwork->ClearLinkFlag(node, DirBitFromIndex(dir));
    }
}

void TrainHoldings::ReleaseWhenLeft(int32_t node, int32_t dir) {
    const int32_t index = FindLink(node, dir);
    if (index >= 0) links_[index].release_waits = true;
}

bool TrainHoldings::AnyReleaseWaiting() const {
    for (int32_t i = 0; i < link_count_; ++i) {
        if (links_[i].release_waits) return true;
    }
    return false;
}

void TrainHoldings::ReleaseAllLinks() {
    while (link_count_ > 0) {
        const TrainLink link = links_[link_count_ - 1];
        ForgetLink(link_count_ - 1);
        if (StillLinked(link) && g_pWayNetwork != nullptr) {
            g_pWayNetwork->ClearLinkFlag(link.node, DirBitFromIndex(link.dir));
        }
    }
}

void TrainHoldings::ReassertAll() {
    if (g_pWayNetwork == nullptr) return;
    for (TrainHoldings* h = g_FirstHoldings; h != nullptr; h = h->next_) {
        h->ForgetVanishedLinks();
        for (int32_t i = 0; i < h->link_count_; ++i) {
            g_pWayNetwork->SetLinkFlag(h->links_[i].node, DirBitFromIndex(h->links_[i].dir));
        }
    }
}
