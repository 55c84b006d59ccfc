#pragma once
// A list of (a, b) pairs of 32-bit integers: a vehicle's planned route as
// (node number, direction index to leave it by) ending with (target, -1), and
// the opponents' work lists. Saved as a count and the pairs front first.

#include <cstdint>

#include "platform/file.h"

struct PairNode {
    int32_t a;
    int32_t b;
    PairNode* next;
};

class CPairList {
  public:
    CPairList() = default;
    ~CPairList() { Clear(); }
    CPairList(const CPairList&) = delete;
    CPairList& operator=(const CPairList&) = delete;

    // Empties the list (frees any pairs it still holds, so it never leaks).
    void Init();
    void Clear();
    void PushFront(int32_t a, int32_t b);
    // 1 with the front pair (removed by PopFront), 0 when empty; the outputs
    // are left untouched then.
    int32_t PopFront(int32_t& a, int32_t& b);
    int32_t PeekFront(int32_t& a, int32_t& b) const;

    // Short writes set g_WriteError; writing goes on.
    void Save(plat::FileHandle file) const;
    // Replaces the list by the pairs in the file, keeping their order. False
    // when the record ended early (the pairs read so far are kept). The old
    // pairs are freed first: read over them, the list would leak them, and a
    // record of no pairs would leave a vehicle the route of another game.
    bool Load(plat::FileHandle file);

    // Every change of the list keeps the count: the vehicles ask it whether
    // any of their route is left and save it with their record, so a count
    // left behind by PushFront or PopFront would keep a vehicle on a used-up
    // route and write a wrong number into the saved game.
    int32_t Count() const { return count; }
    const PairNode* Front() const { return head; }

    PairNode* head = nullptr;
    PairNode* tail = nullptr;
    int32_t count = 0;

  private:
    void PushBack(int32_t a, int32_t b);
};
