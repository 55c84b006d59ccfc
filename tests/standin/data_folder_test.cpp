// The written folder: every file the game reads exists with its size, every
// picture is a well-formed 8-bit DIB with the shared palette, and the output
// does not change from run to run.

#include <array>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <tuple>

#include "building_types.h"
#include "data_folder_fixture.h"
#include "platform/palette.h"
#include "platform/temp_folder.h"
#include "standin.h"
#include "state/data_tables.h"
#include "support/game_scope.h"

namespace standin_test {
namespace {

struct Size {
    int w, h;
};

// Every picture the game reads, with its width, and its height where fixed
// (-1: any height).
std::map<std::string, Size> ExpectedPictures() {
    std::map<std::string, Size> e = {
        {"font_1.jgd", {16, 3680}}, {"font_2.jgd", {8, 560}},     {"tile.jgd", {100, 100}},
        {"logo0.jgd", {350, 141}},  {"logo1.jgd", {320, 98}},     {"scr_0.jgd", {640, 480}},
        {"scb_0.jgd", {1600, 64}},  {"scr_42.jgd", {320, 200}},   {"scb_42.jgd", {32, 16}},
        {"t_mask.jgd", {960, 40}},  {"streets.jgd", {1344, 240}}, {"bridge.jgd", {768, 320}},
        {"hang.jgd", {576, 40}},    {"ueber.jgd", {960, 200}},    {"signs.jgd", {192, 75}},
        {"ck.jgd", {176, 480}},     {"sf.jgd", {64, -1}},         {"ani_1.jgd", {128, 40}},
        {"ani_2.jgd", {704, 76}},   {"ani_3.jgd", {1728, 44}},    {"ani_4.jgd", {128, 32}},
        {"ani_5.jgd", {1792, 48}},  {"ani_6.jgd", {576, 52}},     {"ani_9.jgd", {1496, 44}},
        {"ani_10.jgd", {1020, 40}}, {"ani_11.jgd", {1836, 48}},   {"ani_12.jgd", {2516, 92}},
    };
    // The editor's new-world and editor-start screens with their sheets.
    for (const char* screen : {"neuw", "edst"}) {
        e[std::string("scr_") + screen + ".jgd"] = {640, 480};
        e[std::string("scb_") + screen + ".jgd"] = {232, 80};
    }
    // The control panel, for the game and ("e") the editor.
    for (const std::string v : {"", "e"}) {
        e["butt640" + v + ".jgd"] = {160, 480};
        e["butt800" + v + ".jgd"] = {160, 600};
        e["butt102" + v + ".jgd"] = {160, 768};
        e["butt000" + v + ".jgd"] = {160, 96};
        e["butt001" + v + ".jgd"] = e["butt002" + v + ".jgd"] = {320, 438};
    }
    e["inf_ps.jgd"] = {1440, 32};
    for (int c = 0; c < 4; ++c) {
        const std::string n = std::to_string(c);
        e["prosgn_" + n + ".jgd"] = {1184, 32};
        e["lk" + n + ".jgd"] = {176, 480};
        e["lo" + n + ".jgd"] = {244, 252};
        e["wa" + n + ".jgd"] = {144, 240};
    }
    for (const char* season : {"spring", "summer", "autumn"}) {
        const std::string f = std::string(season) + "/";
        e[f + "tiles.jgd"] = {960, 480};
        e[f + "tilesg.jgd"] = {960, 480};
        e[f + "baum.jgd"] = {1452, 864};
        e[f + "trees6.jgd"] = {1452, 72};
        e[f + "stumpf.jgd"] = {1452, 72};
        for (int r = 0; r < 4; ++r) {
            const std::string g = f + "g" + std::to_string(r);
            for (int t = 0; t < 32; ++t) {
                const standin::BuildingInfo& type = standin::kBuildings[t];
                Size size{32 * (type.width + type.depth), -1};
                if (t <= 3) size = {64, 112};            // depot base and roof
                if (t >= 4 && t <= 9) size = {160, -1};  // one row of the station
                const bool store = t >= 21 && t <= 26;
                if (type.perPlayer) {
                    for (int c = 0; c < 4; ++c) {
                        const std::string prefix = store ? f + "v" + std::to_string(r) : g;
                        e[prefix + type.suffix + std::to_string(c) + ".jgd"] = size;
                    }
                } else {
                    e[g + type.suffix + ".jgd"] = size;
                }
            }
            for (int n = 34; n <= 86; ++n) e[g + "_" + std::to_string(n) + ".jgd"] = {64, -1};
        }
        for (int t : {11, 12, 17, 18, 28, 29, 30, 31}) {
            const standin::BuildingInfo& type = standin::kBuildings[t];
            e[f + "g0" + type.suffix + "a.jgd"] = {32 * (type.width + type.depth), -1};
        }
    }
    return e;
}

// The written folder holds exactly the recipes, every picture the game
// reads is among them with its size, every picture written is one the game
// reads, and making a file again gives the same bytes.
TEST(DataFolderTest, FolderHoldsExactlyThePicturesTheGameReads) {
    const auto expected = ExpectedPictures();
    const auto recipes = standin::DataFileRecipes();
    std::set<std::string> paths;
    for (const auto& r : recipes) {
        EXPECT_TRUE(paths.insert(r.path).second) << "twice: " << r.path;
        EXPECT_TRUE(!r.path.ends_with(".jgd") || expected.count(r.path)) << r.path;
    }
    const fvtest::TempFolder temp;
    const std::string& folder = temp.Path();
    std::string error;
    ASSERT_TRUE(standin::WriteDataFolder(folder, &error)) << error;
    for (const auto& [name, size] : expected) {
        ParsedDib dib = ParseDib(ReadFileBytes(folder + "/" + name));
        ASSERT_TRUE(dib.ok) << name << ": " << dib.problem;
        EXPECT_EQ(dib.width, size.w) << name;
        EXPECT_TRUE(size.h < 0 || dib.height == size.h) << name;
    }
    size_t files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        const std::string rel = std::filesystem::relative(entry.path(), folder).generic_string();
        if (!entry.is_regular_file() || rel == ".complete") continue;
        EXPECT_TRUE(paths.count(rel)) << "unexpected file " << rel;
        ++files;
    }
    EXPECT_EQ(files, recipes.size());
    EXPECT_TRUE(std::filesystem::exists(folder + "/.complete"));
    for (size_t i = 0; i < recipes.size(); i += 7) {
        EXPECT_EQ(recipes[i].make(), ReadFileBytes(folder + "/" + recipes[i].path))
            << recipes[i].path;
    }
    // A folder that cannot be made (a file stands in its place) is reported.
    std::ofstream(folder + "/blocked").put('x');
    EXPECT_FALSE(standin::WriteDataFolder(folder + "/blocked/data", &error));
    EXPECT_FALSE(error.empty());
}

TEST(DataFolderTest, BuildingPicturesHoldTheirFootprint) {
    fvtest::GameScope scope;  // the generator's types are the game's
    InitBuildingTypes();
    for (int t = 0; t < standin::kBuildingTypes; ++t) {
        const standin::BuildingInfo& info = standin::kBuildings[t];
        const BuildingType& game = scope.state().building_types[t];
        EXPECT_EQ(std::tuple(info.width, info.depth, std::string(info.suffix), info.perPlayer),
                  std::tuple(game.floor_width, game.floor_depth, std::string(game.image_suffix),
                             game.player_coloured != 0))
            << t;
    }
    // Height at least the footprint diamond; types 4/5 hold the plate row at 93.
    for (int r = 0; r < 4; ++r) {
        for (int t : {10, 11, 14, 20, 27, 30, 31}) {
            const standin::BuildingInfo& type = standin::kBuildings[t];
            EXPECT_GE(Load("summer/g" + std::to_string(r) + type.suffix + ".jgd").height,
                      16 * (type.width + type.depth))
                << t;
        }
        for (const char* s : {"_27", "_28"}) {
            const ParsedDib& dib = Load("autumn/g" + std::to_string(r) + s + ".jgd");
            ASSERT_GE(dib.height, 93 + 32);
            // Both platform plates are there: edges along one axis or the other.
            EXPECT_NE(dib.At(44, 93 + 9), 0);
            EXPECT_NE(dib.At(96 + 19, 93 + 9), 0);
        }
    }
}

// Every picture has the same palette: the display's twenty static colours at
// both ends, the player colours at the entries the screens use directly, and
// a light text colour to stand on the dark screens and plates.
TEST(DataFolderTest, AllPicturesShareThePaletteWithItsStaticColours) {
    const ParsedDib& first = Load("font_1.jgd");
    ASSERT_TRUE(first.ok);
    auto rgb = [&](int i) {
        return std::array<int, 3>{first.palette[3 * i], first.palette[3 * i + 1],
                                  first.palette[3 * i + 2]};
    };
    std::array<plat::PaletteEntry, 256> system{};
    plat::GetSystemPaletteEntries(0, 256, system.data());
    for (int i : {0, 7, 9, 246, 249, 255})
        EXPECT_EQ(rgb(i), (std::array<int, 3>{system[i].red, system[i].green, system[i].blue}))
            << i;
    EXPECT_EQ(std::tuple(rgb(28), rgb(234)),
              std::tuple(std::array{255, 0, 0}, std::array{0, 90, 231}));
    EXPECT_GT(rgb(10)[0] + rgb(10)[1] + rgb(10)[2], 600);
    for (const char* other : {"scr_0.jgd", "summer/tilesg.jgd", "lk2.jgd", "spring/g1_80.jgd"})
        EXPECT_EQ(Load(other).palette, first.palette) << other;
}

}  // namespace
}  // namespace standin_test
