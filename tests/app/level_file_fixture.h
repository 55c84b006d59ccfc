#pragma once
// Level files as bytes for the tests: read, write, patch, and the offsets of
// the records of a written file.

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "state/le_io.h"

namespace fvtest {

using Bytes = std::vector<uint8_t>;

inline Bytes ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
inline void WriteFileBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}
inline void PutI32(Bytes& file, size_t offset, int32_t value) {
    le::PutU32(&file.at(offset + 3) - 3, static_cast<uint32_t>(value));
}
inline int32_t GetI32(const Bytes& file, size_t offset) {
    return static_cast<int32_t>(le::GetU32(&file.at(offset + 3) - 3));
}

// Offsets of the records of a written file (event: the active event).
struct RecordOffsets {
    size_t grid = 32, network = 0, cash = 0, calendar = 0, camera = 0, names = 0, event = 0;
    size_t statistics = 0, counters = 0, event_count = 0, events = 0, opponents = 0;
    size_t bookmarks = 0, options = 0, end = 0;
};
// The network and the opponents vary in size; the rest follows from them.
RecordOffsets OffsetsOf(const Bytes& file);

}  // namespace fvtest
