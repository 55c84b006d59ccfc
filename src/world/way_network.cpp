// The node table of the way network: creating, joining and removing nodes and
// the reservation flags of links, plus the field path list.

#include "world/way_network.h"

#include "state/map_field.h"

CWayNetwork* g_pWayNetwork = nullptr;

namespace {

void ResetLink(WayNode& node, int32_t i) {
    node.ziel[i] = 0;
    node.cost[i] = 0;
    node.belegt[i] = 0;
    node.back[i] = kNoBackDirection;
}

WayNode* NewEmptyNode() {
    WayNode* node = new WayNode;
    for (int32_t i = 0; i < 4; ++i) ResetLink(*node, i);
    return node;
}

// A direction bit becomes its index; any other value is used as the index.
int32_t LinkIndexFromArgument(int32_t d) {
    const bool isBit = d == kDirN || d == kDirE || d == kDirS || d == kDirW;
    return isBit ? DirIndexFromBit(static_cast<uint8_t>(d)) : d;
}

}  // namespace

CWayNetwork::CWayNetwork() {
    for (auto& record : routes) record = {kUnreachedDist, 0, -1};
}

CWayNetwork::~CWayNetwork() {
    FreePath();
    FreeAllNodes();
}

void CWayNetwork::FreeAllNodes() {
    for (int32_t n = 1; n < kWayNodeSlots; ++n) {
        delete nodes[n];
        nodes[n] = nullptr;
    }
}

int32_t CWayNetwork::NodeCount() const {
    int32_t count = 0;
    for (int32_t n = 1; n < kWayNodeSlots; ++n) count += nodes[n] != nullptr;
    return count;
}

int32_t CWayNetwork::CreateNode(int32_t x, int32_t y) {
    MapField* field = FieldAt(x, y);
    if (field == nullptr) return 0;
    int32_t number = 1;
    while (number < kWayNodeSlots && nodes[number] != nullptr) ++number;
    if (number == kWayNodeSlots) {
        // The table is full: the field stays without a node.
        field->set_knotennummer(0);
        return 0;
    }
    nodes[number] = NewEmptyNode();
    field->set_knotennummer(static_cast<uint32_t>(number));
    field->set_knoten(true);
    return number;
}

void CWayNetwork::LinkNodes(int32_t a, int32_t i, int32_t b, int32_t j, int32_t cost,
                            int32_t flag) {
    WayNode* na = Node(a);
    WayNode* nb = Node(b);
    if (na == nullptr || nb == nullptr || i < 0 || i > 3 || j < 0 || j > 3) return;
    if (na->ziel[i] == b && b != 0 && force_link != 1) return;
    na->ziel[i] = b;
    na->cost[i] = cost;
    na->belegt[i] = static_cast<uint8_t>(flag);
    na->back[i] = static_cast<uint8_t>(j);
    nb->ziel[j] = a;
    nb->cost[j] = cost;
    nb->belegt[j] = static_cast<uint8_t>(flag);
    nb->back[j] = static_cast<uint8_t>(i);
}

void CWayNetwork::DeleteNode(int32_t n) {
    WayNode* node = Node(n);
    if (node == nullptr) return;
    for (int32_t i = 0; i < 4; ++i) {
        WayNode* neighbour = Node(node->ziel[i]);
        if (neighbour == nullptr) continue;
        for (int32_t k = 0; k < 4; ++k) {
            if (neighbour->ziel[k] == n) ResetLink(*neighbour, k);
        }
    }
    delete node;
    nodes[n] = nullptr;
}

void CWayNetwork::ClearLink(int32_t n, int32_t i) {
    WayNode* node = Node(n);
    if (node == nullptr || i < 0 || i > 3) return;
    ResetLink(*node, i);
}

void CWayNetwork::SetLinkFlag(int32_t n, int32_t d) {
    if (n < 1) return;
    WayNode* node = Node(n);
    const int32_t i = LinkIndexFromArgument(d);
    if (node == nullptr || i < 0 || i > 3) return;
    node->belegt[i] = 1;
    WayNode* neighbour = Node(node->ziel[i]);
    const uint8_t back = node->back[i];
    if (neighbour != nullptr && back < 4) neighbour->belegt[back] = 1;
}

void CWayNetwork::ClearLinkFlag(int32_t n, int32_t d) {
    WayNode* node = Node(n);
    const int32_t i = LinkIndexFromArgument(d);
    if (node == nullptr || i < 0 || i > 3) return;
    node->belegt[i] = 0;
    WayNode* neighbour = Node(node->ziel[i]);
    const uint8_t back = node->back[i];
    if (neighbour != nullptr && back < 4) neighbour->belegt[back] = 0;
}

void CWayNetwork::PushPathCell(uint8_t x, uint8_t y) {
    path_list = new PathCell{x, y, path_list};
}

void CWayNetwork::FreePath() {
    while (path_list != nullptr) {
        PathCell* next = path_list->next;
        delete path_list;
        path_list = next;
    }
}
