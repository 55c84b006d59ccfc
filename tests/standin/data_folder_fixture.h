#pragma once
// The stand-in data for the tests: single files made in memory on first use
// (and kept), the whole folder written once (removed when the suite ends),
// and an independent reader of its .jgd files (DIB headers parsed by hand,
// not through the generator's code; pixels top-down).

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
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

class DataFolderTest : public ::testing::Test {
  protected:
    static void TearDownTestSuite() {
        std::error_code ignored;
        if (!Folder().empty()) std::filesystem::remove_all(Folder(), ignored);
        Folder().clear();
    }
    static const std::string& WrittenFolder() {
        if (Folder().empty()) {
            Folder() = (std::filesystem::temp_directory_path() /
                        ("fv_standin_test_" + std::to_string(getpid())))
                           .string();
            std::string error;
            EXPECT_TRUE(standin::WriteDataFolder(Folder(), &error)) << error;
        }
        return Folder();
    }
    // A file of the folder (relative path, forward slashes); unknown: empty.
    static const std::vector<uint8_t>& Bytes(const std::string& relative) {
        static std::map<std::string, std::vector<uint8_t>> cache;
        auto it = cache.find(relative);
        if (it != cache.end()) return it->second;
        for (const standin::FileRecipe& recipe : standin::DataFileRecipes())
            if (recipe.path == relative) return cache[relative] = recipe.make();
        return cache[relative];
    }
    static ParsedDib Load(const std::string& relative) { return ParseDib(Bytes(relative)); }

  private:
    static std::string& Folder() {
        static std::string folder;
        return folder;
    }
};

}  // namespace standin_test
