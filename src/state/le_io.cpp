#include "state/le_io.h"

#include <cstring>
#include <vector>

int32_t g_WriteError = 0;

namespace le {

void WriteBytes(plat::FileHandle file, const void* data, uint32_t count) {
    if (count == 0) return;
    const int32_t written = plat::WriteFile(file, data, count);
    if (written < 0 || static_cast<uint32_t>(written) != count) g_WriteError = 1;
}

uint32_t ReadBytes(plat::FileHandle file, void* data, uint32_t count) {
    if (count == 0) return 0;
    const int32_t got = plat::ReadFile(file, data, count);
    return got < 0 ? 0 : static_cast<uint32_t>(got);
}

void WriteU8(plat::FileHandle file, uint8_t value) {
    WriteBytes(file, &value, 1);
}
void WriteI8(plat::FileHandle file, int8_t value) {
    WriteU8(file, static_cast<uint8_t>(value));
}

void WriteU16(plat::FileHandle file, uint16_t value) {
    uint8_t b[2];
    PutU16(b, value);
    WriteBytes(file, b, 2);
}
void WriteI16(plat::FileHandle file, int16_t value) {
    WriteU16(file, static_cast<uint16_t>(value));
}

void WriteU32(plat::FileHandle file, uint32_t value) {
    uint8_t b[4];
    PutU32(b, value);
    WriteBytes(file, b, 4);
}
void WriteI32(plat::FileHandle file, int32_t value) {
    WriteU32(file, static_cast<uint32_t>(value));
}

void WriteI64(plat::FileHandle file, int64_t value) {
    uint8_t b[8];
    PutU64(b, static_cast<uint64_t>(value));
    WriteBytes(file, b, 8);
}

void WriteDouble(plat::FileHandle file, double value) {
    static_assert(sizeof(double) == 8);
    uint64_t bits;
    std::memcpy(&bits, &value, 8);
    uint8_t b[8];
    PutU64(b, bits);
    WriteBytes(file, b, 8);
}

bool ReadU8(plat::FileHandle file, uint8_t& value) {
    uint8_t b;
    if (ReadBytes(file, &b, 1) != 1) return false;
    value = b;
    return true;
}

bool ReadI8(plat::FileHandle file, int8_t& value) {
    uint8_t b;
    if (!ReadU8(file, b)) return false;
    value = static_cast<int8_t>(b);
    return true;
}

bool ReadU16(plat::FileHandle file, uint16_t& value) {
    uint8_t b[2];
    if (ReadBytes(file, b, 2) != 2) return false;
    value = GetU16(b);
    return true;
}

bool ReadI16(plat::FileHandle file, int16_t& value) {
    uint16_t v;
    if (!ReadU16(file, v)) return false;
    value = static_cast<int16_t>(v);
    return true;
}

bool ReadU32(plat::FileHandle file, uint32_t& value) {
    uint8_t b[4];
    if (ReadBytes(file, b, 4) != 4) return false;
    value = GetU32(b);
    return true;
}

bool ReadI32(plat::FileHandle file, int32_t& value) {
    uint32_t v;
    if (!ReadU32(file, v)) return false;
    value = static_cast<int32_t>(v);
    return true;
}

bool ReadI64(plat::FileHandle file, int64_t& value) {
    uint8_t b[8];
    if (ReadBytes(file, b, 8) != 8) return false;
    value = static_cast<int64_t>(GetU64(b));
    return true;
}

bool ReadDouble(plat::FileHandle file, double& value) {
    uint8_t b[8];
    if (ReadBytes(file, b, 8) != 8) return false;
    const uint64_t bits = GetU64(b);
    std::memcpy(&value, &bits, 8);
    return true;
}

void WriteI32Array(plat::FileHandle file, const int32_t* values, uint32_t count) {
    std::vector<uint8_t> buffer(static_cast<size_t>(count) * 4);
    for (uint32_t i = 0; i < count; ++i) PutU32(&buffer[i * 4], static_cast<uint32_t>(values[i]));
    WriteBytes(file, buffer.data(), static_cast<uint32_t>(buffer.size()));
}

uint32_t ReadI32Array(plat::FileHandle file, int32_t* values, uint32_t count) {
    std::vector<uint8_t> buffer(static_cast<size_t>(count) * 4);
    const uint32_t got = ReadBytes(file, buffer.data(), static_cast<uint32_t>(buffer.size()));
    for (uint32_t i = 0; i < got / 4; ++i) values[i] = static_cast<int32_t>(GetU32(&buffer[i * 4]));
    return got;
}

}  // namespace le
