// The planner's field ring.

#include "world/field_queue.h"

bool CFieldQueue::Push(uint8_t x, uint8_t y) {
    const int32_t next = (write_ + 1) % kCapacity;
    if (next == read_) return false;  // full: one cell always stays free
    cells_[write_][0] = x;
    cells_[write_][1] = y;
    write_ = next;
    return true;
}

bool CFieldQueue::Pop(uint8_t& x, uint8_t& y) {
    if (IsEmpty()) return false;
    x = cells_[read_][0];
    y = cells_[read_][1];
    read_ = (read_ + 1) % kCapacity;
    return true;
}
