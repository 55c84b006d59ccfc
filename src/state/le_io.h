#pragma once
// Little-endian serialisation of game records to a file handle. Every saved
// record of every class goes through these helpers so that the files are the
// same on every machine and no struct padding ever reaches a file.
//
// Writing: every short write sets g_WriteError to 1 and the writing goes on;
// the level writer clears the flag before a save and checks it once after the
// file is closed.
// Reading: each reader returns true when all of its bytes arrived. On a short
// read the value is left unchanged; the array readers return how many bytes
// arrived so that callers can tell a record that ended early.

#include <cstdint>

#include "platform/file.h"

// Set to 1 by any short write of a record; cleared by the level writer.
extern int32_t g_WriteError;

namespace le {

// Raw bytes (records that are byte strings already: the field grid, names).
void WriteBytes(plat::FileHandle file, const void* data, uint32_t count);
// Returns the number of bytes that arrived (0 on a bad handle).
uint32_t ReadBytes(plat::FileHandle file, void* data, uint32_t count);

void WriteU8(plat::FileHandle file, uint8_t value);
void WriteI8(plat::FileHandle file, int8_t value);
void WriteU16(plat::FileHandle file, uint16_t value);
void WriteI16(plat::FileHandle file, int16_t value);
void WriteU32(plat::FileHandle file, uint32_t value);
void WriteI32(plat::FileHandle file, int32_t value);
void WriteI64(plat::FileHandle file, int64_t value);
void WriteDouble(plat::FileHandle file, double value);  // IEEE 754, 8 bytes

bool ReadU8(plat::FileHandle file, uint8_t& value);
bool ReadI8(plat::FileHandle file, int8_t& value);
bool ReadU16(plat::FileHandle file, uint16_t& value);
bool ReadI16(plat::FileHandle file, int16_t& value);
bool ReadU32(plat::FileHandle file, uint32_t& value);
bool ReadI32(plat::FileHandle file, int32_t& value);
bool ReadI64(plat::FileHandle file, int64_t& value);
bool ReadDouble(plat::FileHandle file, double& value);

// Blocks of 32-bit words, written in one piece (statistics, counters).
void WriteI32Array(plat::FileHandle file, const int32_t* values, uint32_t count);
// Fills the words whose four bytes all arrived; returns the bytes that arrived.
uint32_t ReadI32Array(plat::FileHandle file, int32_t* values, uint32_t count);

// Encoding into and out of memory, for records assembled before one write.
inline void PutU16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
inline void PutU32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
inline void PutU64(uint8_t* p, uint64_t v) {
    for (int i = 0; i < 8; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
inline uint16_t GetU16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
inline uint32_t GetU32(const uint8_t* p) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | p[i];
    return v;
}
inline uint64_t GetU64(const uint8_t* p) {
    uint64_t v = 0;
    for (int i = 7; i >= 0; --i) v = (v << 8) | p[i];
    return v;
}

}  // namespace le
