#pragma once
// An independent reader of the generator's .jgd files for the tests: parses
// the DIB headers by hand (not through the generator's own code) and gives
// the pixels top-down.

#include <cstdint>
#include <string>
#include <vector>

namespace standin_test {

struct ParsedDib {
    bool ok = false;
    std::string problem;
    int width = 0, height = 0;
    std::vector<uint8_t> palette;  // 256 x (r, g, b)
    std::vector<uint8_t> pixels;   // top-down, width x height

    uint8_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

ParsedDib ParseDib(const std::vector<uint8_t>& bytes);
std::vector<uint8_t> ReadFileBytes(const std::string& path);

}  // namespace standin_test
