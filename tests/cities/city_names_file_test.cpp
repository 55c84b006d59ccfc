// The stand-in names files: 128 usable names per list, read back whole by
// the city manager.

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "city_fixture.h"
#include "city_names.h"

namespace {

namespace fs = std::filesystem;

class CityNamesFileTest : public CityTest {};

TEST_F(CityNamesFileTest, EveryListHoldsUsableInventedNames) {
    int32_t accented = 0;
    for (int list = 1; list <= standin::kCityNameLists; ++list) {
        SCOPED_TRACE(list);
        const std::vector<std::string> names = standin::MakeCityNames(list);
        ASSERT_EQ(names.size(), 128u);
        std::set<std::string> unique(names.begin(), names.end());
        EXPECT_EQ(unique.size(), 128u);
        for (const std::string& name : names) {
            EXPECT_GE(name.size(), 1u);
            EXPECT_LE(name.size(), 19u);
            for (unsigned char c : name) {
                EXPECT_GE(c, 0x20);
                EXPECT_NE(c, '`');
                accented += c >= 0x80;
            }
        }
        // The same bytes every run.
        EXPECT_EQ(standin::MakeCityNamesFile(list), standin::MakeCityNamesFile(list));
    }
    EXPECT_GT(accented, 0);
}

TEST_F(CityNamesFileTest, TheManagerReadsEveryNameBack) {
    const fs::path folder = fs::temp_directory_path() / ("fv_names_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    std::vector<standin::FileRecipe> recipes;
    standin::AddCityNameFiles(recipes);
    ASSERT_EQ(recipes.size(), 5u);
    for (const auto& recipe : recipes) {
        const std::vector<uint8_t> bytes = recipe.make();
        std::ofstream(folder / recipe.path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    std::snprintf(State().data_paths[State().install_index], kDataPathLength, "%s",
                  folder.string().c_str());
    for (int list = 1; list <= standin::kCityNameLists; ++list) {
        State().names_list_number = list - 1;
        Cities().LoadNames();
        const std::vector<std::string> names = standin::MakeCityNames(list);
        for (int32_t i = 0; i < kCityNameCount; ++i) EXPECT_EQ(Cities().names[i], names[i]);
    }
    fs::remove_all(folder);
}

}  // namespace
