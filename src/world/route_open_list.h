#pragma once
// The open list of the route search. Its order is that of a plain singly
// linked list in which a new entry goes in front of the first entry whose
// cost is higher (so behind every entry of equal cost), a lowered entry keeps
// its place and the first entry is taken out first. Because lowered entries
// keep their place, the list is not sorted by cost, and the order in which
// the search settles nodes depends on exactly these rules.
//
// The same order is kept without walking the list. Call an entry a leader
// when no entry in front of it costs more. A new entry is always a leader,
// the first entry is always a leader, and the leaders' costs never fall
// along the list. Every other entry (one that was lowered below an entry in
// front of it) follows the nearest leader in front of it, in a chain of that
// leader's own. Whenever an entry becomes a leader, every leader of equal
// cost already stands in front of it and every leader of higher cost
// behind it, so the leaders are kept as one queue per cost (newcomers at its
// end), the queues in a small array sorted by cost. Taking out a leader or
// lowering one re-decides which of its followers lead.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

class RouteOpenList {
  public:
    // Node numbers 1..kSlots-1.
    static constexpr int32_t kSlots = 8192;

    RouteOpenList();

    bool Empty() const { return begin_ == end_; }
    bool Listed(int32_t node) const { return entries_[node].state != kNotListed; }
    int32_t Cost(int32_t node) const { return entries_[node].cost; }

    // Lists a node that is not listed yet.
    void Insert(int32_t node, int32_t cost);
    // Lowers the cost of a listed node to `cost` (not above its own); the
    // entry keeps its place in the list.
    void Lower(int32_t node, int32_t cost);
    // Takes out the first entry and returns its node; 0 when empty.
    int32_t Pop();

  private:
    enum : uint8_t { kNotListed, kLeader, kFollower };

    struct Entry {
        int32_t cost;
        int32_t next;   // next leader of the same cost, or next follower
        int32_t prev;   // a leader's leader of the same cost in front of it
        int32_t first;  // a leader's first follower, 0 = none
        int32_t last;   // a leader's last follower
        uint8_t state;
    };
    // The leaders of one cost, first to last.
    struct Queue {
        int32_t cost;
        int32_t first;
        int32_t last;
    };

    // The index of the queue of `cost`, or of the place for it.
    size_t QueueIndex(int32_t cost) const;
    // Puts a new leader at the end of the queue of its cost.
    void AppendLeader(int32_t node);
    // Takes leader `node` out of its queue, which is queues_[at].
    void UnlinkLeader(size_t at, int32_t node);
    void AppendFollower(int32_t leader, int32_t node);
    // Walks the detached chain starting at `chain`, which stands behind
    // `leader` with `highest` the highest cost in front of it: each entry
    // costing at least the highest so far becomes a leader, the others
    // follow the leader in front of them.
    void SplitChain(int32_t chain, int32_t leader, int32_t highest);

    std::vector<Queue> queues_;  // [begin_, end_) by rising cost
    size_t begin_ = 0;
    size_t end_ = 0;
    std::array<Entry, kSlots> entries_{};
};
