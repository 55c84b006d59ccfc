#pragma once
// First-in-first-out ring of fields for the breadth-first path planner.

#include <cstdint>

class CFieldQueue {
  public:
    static constexpr int32_t kCapacity = 16284;

    void Clear() { read_ = write_ = 0; }
    bool IsEmpty() const { return read_ == write_; }
    // False (and nothing stored) when the ring is full.
    bool Push(uint8_t x, uint8_t y);
    // False when empty; the outputs are left untouched then.
    bool Pop(uint8_t& x, uint8_t& y);

  private:
    uint8_t cells_[kCapacity][2] = {};
    int32_t read_ = 0;
    int32_t write_ = 0;
};
