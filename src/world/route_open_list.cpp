// The route search's open list: leaders in one queue per cost, followers in
// chains behind their leaders.

#include "world/route_open_list.h"

#include <cstring>
#include <limits>

namespace {

// Room for a queue per node on either side of the middle.
constexpr size_t kQueueRoom = 2 * RouteOpenList::kSlots;

}  // namespace

RouteOpenList::RouteOpenList() : queues_(2 * kQueueRoom), begin_(kQueueRoom), end_(kQueueRoom) {}

size_t RouteOpenList::QueueIndex(int32_t cost) const {
    // A binary search without branches on the comparisons, which a search
    // cannot predict.
    size_t count = end_ - begin_;
    if (count == 0) return begin_;
    const Queue* first = queues_.data() + begin_;
    while (count > 1) {
        const size_t half = count / 2;
        first = first[half].cost < cost ? first + half : first;
        count -= half;
    }
    return static_cast<size_t>(first - queues_.data()) + (first->cost < cost ? 1 : 0);
}

void RouteOpenList::AppendLeader(int32_t node) {
    Entry& entry = entries_[node];
    entry.state = kLeader;
    entry.next = 0;
    entry.first = 0;
    const size_t at = QueueIndex(entry.cost);
    if (at < end_ && queues_[at].cost == entry.cost) {
        Queue& queue = queues_[at];
        entry.prev = queue.last;
        entries_[queue.last].next = node;
        queue.last = node;
        return;
    }
    entry.prev = 0;
    // A new queue: move the shorter side of the array aside, first
    // bringing the queues back to the middle when they reach an end.
    Queue* data = queues_.data();
    if (begin_ == 0 || end_ == queues_.size()) {
        const size_t count = end_ - begin_;
        std::memmove(data + kQueueRoom, data + begin_, count * sizeof(Queue));
        begin_ = kQueueRoom;
        end_ = kQueueRoom + count;
        AppendLeader(node);
        return;
    }
    if (at - begin_ <= end_ - at && begin_ > 0) {
        std::memmove(data + begin_ - 1, data + begin_, (at - begin_) * sizeof(Queue));
        --begin_;
        data[at - 1] = {entry.cost, node, node};
    } else {
        std::memmove(data + at + 1, data + at, (end_ - at) * sizeof(Queue));
        ++end_;
        data[at] = {entry.cost, node, node};
    }
}

void RouteOpenList::UnlinkLeader(size_t at, int32_t node) {
    Queue& queue = queues_[at];
    const Entry& entry = entries_[node];
    if (entry.prev != 0) {
        entries_[entry.prev].next = entry.next;
    } else {
        queue.first = entry.next;
    }
    if (entry.next != 0) {
        entries_[entry.next].prev = entry.prev;
    } else {
        queue.last = entry.prev;
    }
    if (queue.first != 0) return;
    Queue* data = queues_.data();
    if (at - begin_ < end_ - at - 1) {
        std::memmove(data + begin_ + 1, data + begin_, (at - begin_) * sizeof(Queue));
        ++begin_;
    } else {
        std::memmove(data + at, data + at + 1, (end_ - at - 1) * sizeof(Queue));
        --end_;
    }
    if (begin_ == end_) begin_ = end_ = kQueueRoom;
}

void RouteOpenList::AppendFollower(int32_t leader, int32_t node) {
    entries_[node].state = kFollower;
    entries_[node].next = 0;
    Entry& owner = entries_[leader];
    if (owner.first == 0) {
        owner.first = node;
    } else {
        entries_[owner.last].next = node;
    }
    owner.last = node;
}

void RouteOpenList::SplitChain(int32_t chain, int32_t leader, int32_t highest) {
    while (chain != 0) {
        const int32_t next = entries_[chain].next;
        const int32_t cost = entries_[chain].cost;
        if (cost >= highest) {
            AppendLeader(chain);
            leader = chain;
            highest = cost;
        } else {
            AppendFollower(leader, chain);
        }
        chain = next;
    }
}

void RouteOpenList::Insert(int32_t node, int32_t cost) {
    entries_[node].cost = cost;
    AppendLeader(node);
}

void RouteOpenList::Lower(int32_t node, int32_t cost) {
    Entry& entry = entries_[node];
    if (cost == entry.cost) return;
    if (entry.state == kFollower) {
        entry.cost = cost;  // still below an entry in front of it
        return;
    }
    // The leader in front of it: the one before it in its queue, else the
    // last of the next cheaper queue.
    const size_t at = QueueIndex(entry.cost);
    int32_t in_front = entry.prev;
    if (in_front == 0 && at > begin_) in_front = queues_[at - 1].last;
    const int32_t chain = entry.first;
    UnlinkLeader(at, node);
    entry.cost = cost;
    if (in_front == 0 || cost >= entries_[in_front].cost) {
        AppendLeader(node);
        SplitChain(chain, node, cost);
    } else {
        // Below the leader in front: it follows that leader now, and those
        // of its followers that cost at least as much as that leader lead
        // from its place on.
        AppendFollower(in_front, node);
        SplitChain(chain, in_front, entries_[in_front].cost);
    }
}

int32_t RouteOpenList::Pop() {
    if (Empty()) return 0;
    const int32_t node = queues_[begin_].first;
    const int32_t chain = entries_[node].first;
    UnlinkLeader(begin_, node);
    entries_[node].state = kNotListed;
    SplitChain(chain, node, std::numeric_limits<int32_t>::min());
    return node;
}
