#pragma once
// The buildings' own records in the level file are assembled in memory and
// written in one piece, and read back from a buffer holding exactly the
// record's bytes. Every record has a fixed size per building type, so the
// table can check that a whole record is there before a building reads it;
// a reader never runs past its buffer (missing bytes read as 0).
//
// A building's Load reports every value that its own writer never writes (a
// product outside the goods table, a state byte beyond its range, ...)
// through Require; the table's check pass refuses such a record instead of
// letting Load quietly correct it.

#include <cstdint>
#include <vector>

#include "economy/goods_slot.h"

class RecordWriter {
  public:
    void PutU8(uint8_t v) { bytes_.push_back(v); }
    void PutI8(int8_t v) { PutU8(static_cast<uint8_t>(v)); }
    void PutI32(int32_t v);
    void PutBytes(const void* data, uint32_t count);
    void PutSlot(const GoodsSlot& slot);
    // A fraction {numerator, denominator}.
    void PutFraction(int32_t numerator, int32_t denominator);

    const std::vector<uint8_t>& bytes() const { return bytes_; }
    uint32_t size() const { return static_cast<uint32_t>(bytes_.size()); }

  private:
    std::vector<uint8_t> bytes_;
};

class RecordReader {
  public:
    RecordReader(const uint8_t* data, uint32_t size) : data_(data), size_(size) {}

    uint8_t GetU8();
    int8_t GetI8() { return static_cast<int8_t>(GetU8()); }
    int32_t GetI32();
    void GetBytes(void* out, uint32_t count);
    // The slot as stored, made safe (SanitizedSlot); a slot that needed
    // more than reducing counts as damaged. An empty slot (product -1) comes
    // back exactly as stored, whatever its amount.
    GoodsSlot GetSlot();

    // Marks the record damaged unless `ok`.
    void Require(bool ok) { sound_ = sound_ && ok; }
    // False once a value failed Require.
    bool Sound() const { return sound_; }

    uint32_t position() const { return position_; }

  private:
    const uint8_t* data_;
    uint32_t size_;
    uint32_t position_ = 0;
    bool sound_ = true;
};
