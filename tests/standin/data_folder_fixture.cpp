#include "data_folder_fixture.h"

#include <unistd.h>

#include <filesystem>
#include <map>

#include "standin.h"

namespace standin_test {

std::string DataFolderTest::folder_;

namespace {

std::map<std::string, std::vector<uint8_t>>& Cache() {
    static std::map<std::string, std::vector<uint8_t>> cache;
    return cache;
}

}  // namespace

void DataFolderTest::SetUpTestSuite() {}

void DataFolderTest::TearDownTestSuite() {
    if (folder_.empty()) return;
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
    folder_.clear();
}

const std::string& DataFolderTest::WrittenFolder() {
    if (folder_.empty()) {
        folder_ = (std::filesystem::temp_directory_path() /
                   ("fv_standin_test_" + std::to_string(getpid())))
                      .string();
        std::string error;
        EXPECT_TRUE(standin::WriteDataFolder(folder_, &error)) << error;
    }
    return folder_;
}

const std::vector<uint8_t>& DataFolderTest::Bytes(const std::string& relative) {
    auto& cache = Cache();
    auto it = cache.find(relative);
    if (it != cache.end()) return it->second;
    for (const standin::FileRecipe& recipe : standin::DataFileRecipes()) {
        if (recipe.path == relative) return cache[relative] = recipe.make();
    }
    return cache[relative];  // unknown: empty, which fails to parse
}

ParsedDib DataFolderTest::Load(const std::string& relative) {
    return ParseDib(Bytes(relative));
}

}  // namespace standin_test
