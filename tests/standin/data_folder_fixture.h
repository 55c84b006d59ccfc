#pragma once
// Gives the tests the stand-in data: single files are made in memory on
// first use (and kept); WrittenFolder() writes the whole folder once into a
// temporary folder, which is removed when the suite ends.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "dib_check.h"
#include "standin.h"

namespace standin_test {

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
        for (const standin::FileRecipe& recipe : standin::DataFileRecipes()) {
            if (recipe.path == relative) return cache[relative] = recipe.make();
        }
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
