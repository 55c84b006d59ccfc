#pragma once
// The stand-in pictures for the tests, made in memory on first use, and an
// independent reader of .jgd files (DIB headers parsed by hand, not through
// the generator's code; pixels top-down).

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "standin.h"

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

// A picture of the folder (relative path, forward slashes), made once from
// its recipe; unknown: not ok.
inline const ParsedDib& Load(const std::string& relative) {
    static std::map<std::string, ParsedDib> cache;
    if (cache.count(relative) == 0) {
        for (const standin::FileRecipe& recipe : standin::DataFileRecipes())
            if (recipe.path == relative) cache[relative] = ParseDib(recipe.make());
    }
    return cache[relative];
}

}  // namespace standin_test
