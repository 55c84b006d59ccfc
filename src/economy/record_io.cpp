#include "economy/record_io.h"

#include "state/game_records.h"
#include "state/le_io.h"

void RecordWriter::PutI32(int32_t v) {
    uint8_t raw[4];
    le::PutU32(raw, static_cast<uint32_t>(v));
    PutBytes(raw, 4);
}

void RecordWriter::PutBytes(const void* data, uint32_t count) {
    const auto* p = static_cast<const uint8_t*>(data);
    bytes_.insert(bytes_.end(), p, p + count);
}

void RecordWriter::PutSlot(const GoodsSlot& slot) {
    PutI32(slot.product);
    PutI32(slot.numerator);
    PutI32(slot.denominator);
}

void RecordWriter::PutFraction(int32_t numerator, int32_t denominator) {
    PutI32(numerator);
    PutI32(denominator);
}

uint8_t RecordReader::GetU8() {
    if (position_ >= size_) {
        ++position_;
        return 0;
    }
    return data_[position_++];
}

int32_t RecordReader::GetI32() {
    uint8_t raw[4] = {};
    GetBytes(raw, 4);
    return static_cast<int32_t>(le::GetU32(raw));
}

void RecordReader::GetBytes(void* out, uint32_t count) {
    auto* p = static_cast<uint8_t*>(out);
    for (uint32_t i = 0; i < count; ++i) p[i] = GetU8();
}

GoodsSlot RecordReader::GetSlot() {
    GoodsSlot slot;
    slot.product = GetI32();
    slot.numerator = GetI32();
    slot.denominator = GetI32();
    // An empty slot's amount means nothing: it comes back as stored, so that
    // the record is written again byte for byte (a new warehouse's slots
    // hold {-1, 0, 0}). Whatever binds the slot later gives it a sound amount.
    if (slot.product == -1) return slot;
    Require(slot.product >= -1 && slot.product < kGoodsCount && slot.denominator >= 1 &&
            slot.numerator >= 0);
    return SanitizedSlot(slot);
}
