#pragma once
// Level files as bytes for the tests: read, write and patch.

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

}  // namespace fvtest
