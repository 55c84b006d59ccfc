// The stand-in data folder: every file the game reads with its size and one
// shared palette, marks that name their cells, and pictures a player can tell
// apart. The .jgd files are read back by an independent DIB reader.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "animations.h"
#include "building_types.h"
#include "buildings.h"
#include "canvas.h"
#include "cell_mark.h"
#include "dib_writer.h"
#include "economy/building_kinds.h"
#include "font_tables.h"
#include "iso.h"
#include "landscape_templates.h"
#include "palette.h"
#include "platform/palette.h"
#include "platform/temp_folder.h"
#include "screens.h"
#include "screens/flow/opponent_layout.h"
#include "screens/flow/tutorial_pages.h"
#include "standin.h"
#include "state/data_tables.h"
#include "support/game_scope.h"
#include "terrain_tiles.h"
#include "trees.h"
#include "vehicles.h"
#include "ways.h"

namespace standin_test {
namespace {

struct ParsedDib {
    bool ok = false;
    std::string problem;
    int width = 0, height = 0;
    std::vector<uint8_t> palette;  // 256 x (r, g, b)
    std::vector<uint8_t> pixels;   // top-down, width x height
    uint8_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

uint32_t U16(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | (b[at + 1] << 8);
}
uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
    return U16(b, at) | (U16(b, at + 2) << 16);
}

ParsedDib ParseDib(const std::vector<uint8_t>& b) {
    ParsedDib d;
    auto fail = [&](const char* why) {
        d.problem = why;
        return d;
    };
    if (b.size() < 14 + 40 + 1024) return fail("too short");
    if (b[0] != 'B' || b[1] != 'M') return fail("no BM");
    if (U32(b, 2) != b.size()) return fail("file size field");
    const uint32_t offset = U32(b, 10);
    if (offset != 14 + 40 + 1024) return fail("pixel offset");
    if (U32(b, 14) != 40) return fail("info header size");
    const int32_t w = static_cast<int32_t>(U32(b, 18)), h = static_cast<int32_t>(U32(b, 22));
    if (w <= 0 || h <= 0) return fail("size (bottom-up expected)");
    if (U16(b, 26) != 1 || U16(b, 28) != 8) return fail("planes or bit count");
    if (U32(b, 30) != 0) return fail("compression");
    const uint32_t stride = (static_cast<uint32_t>(w) + 3) & ~3u;
    if (U32(b, 34) != stride * static_cast<uint32_t>(h)) return fail("image size");
    if (U32(b, 46) != 256) return fail("colours used");
    if (offset + stride * static_cast<uint64_t>(h) != b.size()) return fail("pixel data size");
    d.width = w;
    d.height = h;
    for (int i = 0; i < 256; ++i) {
        if (b[54 + 4 * i + 3] != 0) return fail("reserved byte of a colour");
        d.palette.push_back(b[54 + 4 * i + 2]);
        d.palette.push_back(b[54 + 4 * i + 1]);
        d.palette.push_back(b[54 + 4 * i]);
    }
    d.pixels.resize(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y) {
        const size_t row = offset + static_cast<size_t>(h - 1 - y) * stride;
        for (int x = 0; x < w; ++x) d.pixels[static_cast<size_t>(y) * w + x] = b[row + x];
        for (uint32_t x = w; x < stride; ++x) {
            if (b[row + x] != 0) return fail("row padding not zero");
        }
    }
    d.ok = true;
    return d;
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A picture of the folder (relative path, forward slashes), made once from
// its recipe; unknown: not ok.
const ParsedDib& Load(const std::string& relative) {
    static std::map<std::string, ParsedDib> cache;
    if (cache.count(relative) == 0)
        for (const standin::FileRecipe& recipe : standin::DataFileRecipes())
            if (recipe.path == relative) cache[relative] = ParseDib(recipe.make());
    return cache[relative];
}

using Size = std::pair<int, int>;  // width, height (-1: any)

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
        {"inf_ps.jgd", {1440, 32}}};
    // The editor's new-world and editor-start screens with their sheets.
    for (const char* screen : {"neuw", "edst"}) {
        e[std::string("scr_") + screen + ".jgd"] = {640, 480};
        e[std::string("scb_") + screen + ".jgd"] = {232, 80};
    }
    // The economy screens and the popup list with the goods pictures.
    e["scr_gebk.jgd"] = e["scr_43.jgd"] = e["scr_13.jgd"] = {640, 480};
    e["scb_gebk.jgd"] = {216, 97};
    e["scb_43.jgd"] = {180, 80};
    e["scb_13.jgd"] = {108, 80};
    for (int n : {0, 1, 2, 3, 4, 9, 10, 11, 12, 13, 14, 15, 17, 23, 27, 29, 30, 31, 32, 33})
        e["gks_" + std::to_string(n) + ".jgd"] = {320, 240};
    for (int n = 7; n <= 12; ++n) {
        e["scr_" + std::to_string(n) + ".jgd"] =
            e["scr_" + std::to_string(n + 43) + ".jgd"] = {640, 480};
        e["scb_" + std::to_string(n) + ".jgd"] = {288, 97};
        e["scb_" + std::to_string(n + 43) + ".jgd"] = {396, 97};
    }
    for (int n = 9; n <= 44; ++n) e["fps_" + std::to_string(n) + ".jgd"] = {200, 200};
    for (int n = 1; n <= 3; ++n) e["scp_" + std::to_string(n) + ".jgd"] = {304, 350};
    e["ps.jgd"] = {2816, 90};
    // The panel's dialogs: structure information, the questions, the rest.
    for (int n = 1; n <= 6; ++n) {
        e["scr_" + std::to_string(n) + ".jgd"] = {420, n == 6 ? 356 : 151};
        e["scb_" + std::to_string(n) + ".jgd"] = {108, 80};
    }
    for (int n : {14, 18, 21, 22, 32, 48}) {
        e["scr_" + std::to_string(n) + ".jgd"] = {272, 200};
        e["scb_" + std::to_string(n) + ".jgd"] = {216, 80};
    }
    for (auto [n, w, h] : {std::tuple{39, 240, 256},
                           {40, 240, 200},
                           {41, 240, 200},
                           {44, 336, 320},
                           {62, 320, 200},
                           {64, 280, 400}}) {
        e["scr_" + std::to_string(n) + ".jgd"] = {w, h};
        e["scb_" + std::to_string(n) + ".jgd"] = {320, 97};
    }
    // The game-flow screens with their sheets, and the tutorial's pictures
    // at the sizes of its page table.
    for (const auto& [name, size] : std::map<std::string, Size>{
             {"scr_0a.jgd", {640, 480}}, {"scb_0a.jgd", {312, 80}},  {"scr_45.jgd", {640, 480}},
             {"gegner.jgd", {60, 700}},  {"scb_45.jgd", {108, 80}},  {"scr_25.jgd", {640, 480}},
             {"scb_25.jgd", {432, 80}},  {"scr_29.jgd", {370, 360}}, {"scr_30.jgd", {370, 360}},
             {"scb_29.jgd", {328, 105}}, {"scb_30.jgd", {328, 105}}, {"scr_31.jgd", {360, 360}},
             {"scr_26.jgd", {360, 360}}, {"scb_31.jgd", {108, 80}},  {"scb_26.jgd", {216, 80}},
             {"scr_27.jgd", {360, 360}}, {"scr_28.jgd", {360, 360}}, {"scb_27.jgd", {328, 97}},
             {"scb_28.jgd", {328, 97}},  {"scr_63.jgd", {320, 230}}, {"scb_63.jgd", {108, 80}}}) {
        e[name] = size;
    }
    for (int i = 0; i < kTutorialPageCount; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "tutorial/tut%03d.jgd", i + 1);
        e[name] = {kTutorialPages[i].width, kTutorialPages[i].height};
    }
    // The results of missions and assignments.
    for (int n = 33; n <= 36; ++n) {
        e["scr_" + std::to_string(n) + ".jgd"] = {364, 355};
        e["scb_" + std::to_string(n) + ".jgd"] = {216, 80};
    }
    // The board vote.
    e["scr_24.jgd"] = {300, 351};
    e["scb_24.jgd"] = {108, 80};
    // The end of a game: the two score sheets and the high-score list.
    for (int n : {37, 38, 49}) {
        e["scr_" + std::to_string(n) + ".jgd"] = {640, 480};
        e["scb_" + std::to_string(n) + ".jgd"] = {108, 80};
    }
    // The news popups and their close-button sheets.
    for (int n = 9; n <= 44; ++n) e["newp_" + std::to_string(n) + ".jgd"] = {236, 391};
    for (int n : {9, 11}) e["newg_" + std::to_string(n) + ".jgd"] = {236, 260};
    for (int n : {3, 6, 9, 11, 12, 13, 14, 15, 16, 17, 18}) {
        e["newf_" + std::to_string(n) + ".jgd"] = {236, 260};
    }
    for (int n = 0; n < 40; ++n) e["wisz_" + std::to_string(n) + ".jgd"] = {236, 311};
    for (const char* sheet : {"scb_newp.jgd", "scb_newg.jgd", "scb_newf.jgd", "scb_wisz.jgd"}) {
        e[sheet] = {108, 80};
    }
    // The opponents' news and overview with their two-button sheets.
    e["scr_46.jgd"] = {316, 260};
    e["scr_47.jgd"] = {360, 320};
    e["scb_46.jgd"] = e["scb_47.jgd"] = {216, 80};
    // The statistics screen and the annual accounts.
    e["scr_stat.jgd"] = {640, 480};
    e["scb_stat.jgd"] = {216, 97};
    e["jahr.jgd"] = {360, 316};
    e["scb_jahr.jgd"] = {300, 80};
    e["scr_uefa.jgd"] = e["scr_uevk.jgd"] = {640, 480};
    e["scb_uefa.jgd"] = {316, 97};
    e["scb_uevk.jgd"] = {460, 97};
    for (int n = 56; n <= 61; ++n) {
        e["scr_" + std::to_string(n) + ".jgd"] = {640, 480};
        e["scb_" + std::to_string(n) + ".jgd"] = {324, 97};
    }
    // The vehicle screens: schedule, purchase, overview, vehicle pictures.
    e["scr_19.jgd"] = e["scr_20.jgd"] = e["scr_lkwk.jgd"] = e["scr_lokk.jgd"] = {640, 480};
    e["scr_uefz.jgd"] = {640, 480};
    e["scb_19.jgd"] = e["scb_20.jgd"] = {736, 97};
    e["scb_lkwk.jgd"] = e["scb_lokk.jgd"] = {216, 97};
    e["scb_uefz.jgd"] = {308, 97};
    for (int c = 0; c < 4; ++c) {
        e["uefs" + std::to_string(c) + ".jgd"] = {832, 48};
        for (int m = 0; m < 19; ++m)
            e["fks_" + std::to_string(m) + std::to_string(c) + ".jgd"] = {320, 240};
    }
    // The control panel, for the game and ("e") the editor.
    for (const std::string v : {"", "e"}) {
        for (auto [name, h] : {std::pair{"640", 480}, {"800", 600}, {"102", 768}, {"000", 96}})
            e["butt" + std::string(name) + v + ".jgd"] = {160, h};
        e["butt001" + v + ".jgd"] = e["butt002" + v + ".jgd"] = {320, 438};
    }
    for (int c = 0; c < 4; ++c) {
        const std::string n = std::to_string(c);
        e["prosgn_" + n + ".jgd"] = {1184, 32};
        e["lk" + n + ".jgd"] = {176, 480};
        e["lo" + n + ".jgd"] = {244, 252};
        e["wa" + n + ".jgd"] = {144, 240};
    }
    for (const char* season : {"spring", "summer", "autumn"}) {
        const std::string f = std::string(season) + "/";
        e[f + "tiles.jgd"] = e[f + "tilesg.jgd"] = {960, 480};
        e[f + "baum.jgd"] = {1452, 864};
        e[f + "trees6.jgd"] = e[f + "stumpf.jgd"] = {1452, 72};
        for (int r = 0; r < 4; ++r) {
            const std::string g = f + "g" + std::to_string(r);
            for (int t = 0; t < 32; ++t) {
                const standin::BuildingInfo& type = standin::kBuildings[t];
                Size size{32 * (type.width + type.depth), -1};
                if (t <= 3) size = {64, 112};            // depot base and roof
                if (t >= 4 && t <= 9) size = {160, -1};  // one row of the station
                const std::string prefix = t >= 21 && t <= 26 ? f + "v" + std::to_string(r) : g;
                if (!type.perPlayer) e[g + type.suffix + ".jgd"] = size;
                for (int c = 0; c < 4 && type.perPlayer; ++c)
                    e[prefix + type.suffix + std::to_string(c) + ".jgd"] = size;
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

// The written folder holds exactly the recipes, exactly the pictures the game
// reads with their sizes, and making a file again gives the same bytes.
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
        EXPECT_EQ(dib.width, size.first) << name;
        EXPECT_TRUE(size.second < 0 || dib.height == size.second) << name;
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
    for (size_t i = 0; i < recipes.size(); i += 7)
        EXPECT_EQ(recipes[i].make(), ReadFileBytes(folder + "/" + recipes[i].path))
            << recipes[i].path;
    // A folder that cannot be made (a file stands in its place) is reported.
    std::ofstream(folder + "/blocked").put('x');
    EXPECT_FALSE(standin::WriteDataFolder(folder + "/blocked/data", &error));
    EXPECT_FALSE(error.empty());
}

TEST(DataFolderTest, BuildingPicturesHoldTheirFootprintAndAllShareThePalette) {
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
    // Every picture has the same palette: the display's twenty static colours at
    // both ends, the player colours at the entries the screens use directly, and
    // a light text colour to stand on the dark screens and plates.
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

// The opponent screens write their lines in the light text colour: every
// line's place is one plain, darker colour, and the two button faces of each
// sheet differ.
TEST(DataFolderTest, OpponentScreensLeaveTheirLinesPlainForTheText) {
    namespace os = opponent_screens;
    auto plain = [](const ParsedDib& dib, int x0, int y0, int x1, int y1) {
        std::set<uint8_t> colours;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < std::min(x1, dib.width - 2); ++x) colours.insert(dib.At(x, y));
        return colours.size() == 1 && *colours.begin() != standin::pal::kText;
    };
    const ParsedDib& overview = Load(os::kOverviewPicture);
    ASSERT_TRUE(overview.ok);
    for (const os::FigureLine& l :
         {os::kNameLine, os::kCapitalLine, os::kProfitLine, os::kVehiclesLine, os::kWayLengthLine,
          os::kWorthLine, os::kPointsLine, os::kPriceLine}) {
        EXPECT_TRUE(plain(overview, l.x, l.y, l.x + l.width, l.y + os::kFigureHeight)) << l.y;
    }
    const ParsedDib& news = Load(os::kNewsPicture);
    ASSERT_TRUE(news.ok);
    const int bottom = os::kNewsFirstFigureY + os::kNewsFigureStep * (os::kNewsFigureLines - 1) +
                       os::kFigureHeight;
    EXPECT_TRUE(plain(news, os::kNewsTextX, os::kNewsNameY, news.width, bottom));
    for (const char* sheet : {os::kNewsSheet, os::kOverviewSheet}) {
        const ParsedDib& s = Load(sheet);
        ASSERT_TRUE(s.ok) << sheet;
        int differing = 0;
        for (int y = 0; y < os::kButtonHeight; ++y)
            for (int x = 0; x < os::kButtonWidth; ++x)
                differing += s.At(x, y) != s.At(x + os::kOkFaceX, y);
        EXPECT_GT(differing, 50) << sheet;
    }
}

int MarkAt(const ParsedDib& dib, int x, int y) {
    return standin::DecodeMark(dib.At(x, y), dib.At(x + 1, y));
}

// Sheets of equal cells, numbered row by row: cell i lies at column i % cols,
// row i / cols, and carries its mark at `at(column)` inside the cell.
TEST(DataFolderTest, MarksNameTheirCellsGroundTilesMatchThePickingMask) {
    for (int i = 0; i <= standin::kMarkMaxIndex; ++i) {
        const auto [a, b] = standin::EncodeMark(i);
        ASSERT_EQ(standin::DecodeMark(a, b), i);
    }
    // Pixels that are no mark decode to none.
    EXPECT_EQ(standin::DecodeMark(0, standin::kMarkFirst), -1);
    EXPECT_EQ(standin::DecodeMark(standin::kMarkFirst, 255), -1);
    using standin::CellPoint;
    struct Grid {
        std::string name;
        int count, cols, width, height;
        std::function<CellPoint(int)> at;
    };
    const auto fixed = [](int x, int y) { return [=](int) { return CellPoint{x, y}; }; };
    std::vector<Grid> grids = {
        {"spring/tiles.jgd", 180, 15, 64, 40, fixed(standin::kTileMarkX, standin::kTileMarkY)},
        {"autumn/tilesg.jgd", 180, 15, 64, 40, fixed(standin::kTileMarkX, standin::kTileMarkY)},
        {"streets.jgd", 126, 21, 64, 40, standin::StreetMarkPoint},
        {"ueber.jgd", 65, 15, 64, 40, fixed(30, 1)},
        {"hang.jgd", 5, 5, 64, 40, fixed(30, 4)},
        {"prosgn_2.jgd", 37, 37, 32, 32, fixed(0, 31)},
        {"bridge.jgd", 60, 12, 64, 64, standin::BridgeMarkPoint},
        {"summer/baum.jgd", 12 * 33, 33, 44, 72, fixed(standin::kTreeMarkX, standin::kTreeMarkY)},
    };
    for (int type = 0; type < 12; ++type) {
        const standin::AnimationSize size = standin::AnimationCellSize(type);
        if (size.width == 0) continue;
        grids.push_back({"ani_" + std::to_string(type + 1) + ".jgd", size.frames, size.frames,
                         size.width, size.height,
                         [type](int) { return standin::AnimationMarkPoint(type); }});
    }
    for (const Grid& g : grids) {
        const ParsedDib& dib = Load(g.name);
        ASSERT_TRUE(dib.ok) << g.name;
        for (int i = 0; i < g.count; ++i) {
            const int col = i % g.cols, row = i / g.cols;
            const CellPoint p = g.at(col);
            EXPECT_EQ(MarkAt(dib, col * g.width + p.x, row * g.height + p.y), i) << g.name;
        }
    }
    // Vehicle sheets: one row per picture, one column per heading.
    for (const auto& [name, kind] : {std::pair{"lk1.jgd", standin::VehicleSheet::Truck},
                                     {"lo3.jgd", standin::VehicleSheet::Engine},
                                     {"wa0.jgd", standin::VehicleSheet::Wagon},
                                     {"ck.jgd", standin::VehicleSheet::CityCar}}) {
        const ParsedDib& dib = Load(name);
        const standin::PictureColumn* cols = standin::SheetColumns(kind);
        for (int row = 0; row < standin::SheetRows(kind); ++row) {
            for (int h = 0; h < 8; ++h) {
                const auto& c = cols[h];
                EXPECT_EQ(MarkAt(dib, c.x + c.width / 2 - 1, row * c.height + c.height / 2),
                          row * 8 + h)
                    << name << " row " << row << " heading " << h;
            }
        }
    }
    // Buildings carry theirs at the footprint's bottom corner: a store of
    // type 24 (2 x 2), a 4 x 4 factory, a 2 x 3 stadium both ways, a city building.
    const std::tuple<const char*, int, int> buildings[] = {{"spring/v0_32.jgd", 2, 24},
                                                           {"summer/g2_12.jgd", 4, 17},
                                                           {"autumn/g1_32.jgd", 3, 30},
                                                           {"autumn/g0_32.jgd", 2, 30},
                                                           {"summer/g3_50.jgd", 1, 50}};
    for (const auto& [name, a, index] : buildings) {
        const ParsedDib& dib = Load(name);
        EXPECT_EQ(MarkAt(dib, 32 * a - 1, dib.height - 2), index) << name;
    }
    // Mark colours appear only in marks.
    auto markPixels = [](const ParsedDib& dib) {
        return std::count_if(dib.pixels.begin(), dib.pixels.end(), standin::IsMarkDigit);
    };
    EXPECT_EQ(markPixels(Load("streets.jgd")), 2 * 21 * 6);
    EXPECT_EQ(markPixels(Load("lo0.jgd")), 2 * 8 * 9);
    for (const char* clean : {"t_mask.jgd", "font_1.jgd", "scr_0.jgd", "scb_0.jgd", "signs.jgd"})
        EXPECT_EQ(markPixels(Load(clean)), 0) << clean;
    // The picking mask gives exactly the ground tile's pixels to the field itself
    // and the rest to the neighbour on their side; the ground tiles have the
    // corner rows that the world view's outline overlay draws, {right, bottom,
    // left} per shape (give or take the pixel a corner's point falls between).
    constexpr int kCorners[15][3] = {{16, 30, 16}, {16, 38, 24}, {8, 22, 16},  {16, 22, 8},
                                     {24, 38, 16}, {8, 30, 16},  {16, 22, 16}, {16, 30, 8},
                                     {24, 38, 24}, {16, 30, 24}, {8, 22, 8},   {24, 30, 16},
                                     {16, 38, 16}, {24, 30, 24}, {8, 30, 8}};
    const ParsedDib& mask = Load("t_mask.jgd");
    const ParsedDib& tiles = Load("summer/tiles.jgd");
    ASSERT_TRUE(mask.ok && tiles.ok);
    // The first and last opaque row of a column of a shape's tile.
    auto opaque = [&](int shape, int x) {
        std::pair<int, int> rows{-1, -1};
        for (int y = 0; y < 40; ++y) {
            if (tiles.At(shape * 64 + x, 2 * 40 + y) == 0) continue;
            if (rows.first < 0) rows.first = y;
            rows.second = y;
        }
        return rows;
    };
    for (int shape = 0; shape < 15; ++shape) {
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 64; ++x) {
                const int v = mask.At(shape * 64 + x, y);
                ASSERT_LE(v, 4);
                EXPECT_EQ(v == 0, tiles.At(shape * 64 + x, 40 + y) != 0) << shape << " " << x;
                EXPECT_TRUE(v == 0 || (x < 32) == (v == 1 || v == 3)) << shape << " " << x;
            }
        }
        // The box's top-left corner is the upper-left neighbour's, its
        // bottom-left corner the lower-left one's.
        EXPECT_EQ(std::tuple(mask.At(shape * 64, 0), mask.At(shape * 64, 39)), std::tuple(1, 3));
        EXPECT_EQ(opaque(shape, 31), std::pair(0, kCorners[shape][1] + 1)) << shape;
        for (const auto& [x, corner] :
             {std::pair{1, kCorners[shape][2]}, {62, kCorners[shape][0]}}) {
            EXPECT_LE(opaque(shape, x).first, corner + 1) << shape;
            EXPECT_GE(opaque(shape, x).second, corner - 1) << shape;
        }
    }
}

// The ink of a cell, and its rightmost ink column (-1 when empty).
std::pair<std::vector<bool>, int> Cell(const ParsedDib& font, int code, int size) {
    std::pair<std::vector<bool>, int> cell{{}, -1};
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < font.width; ++x) {
            const bool ink = font.At(x, (code - 26) * size + y) != 0;
            cell.first.push_back(ink);
            if (ink) cell.second = std::max(cell.second, x);
        }
    }
    return cell;
}

// The pixels of a w x h box of a canvas.
std::vector<uint8_t> Box(const standin::Canvas& c, int x0, int y0, int w, int h) {
    std::vector<uint8_t> v;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) v.push_back(c.Get(x, y));
    return v;
}

// Title buttons: ten distinct faces, each visibly pressed. Vehicles: ink over
// a good part of every heading's picture. Animations: frames that move, the
// one-shot types with a resting cell, the ground-level types on one ground
// in every cell, which their animated buildings leave open.
TEST(GeneratedPictures, APlayerCanTellThemApartStampsAreSmoothGlyphsFit) {
    const standin::Canvas buttons = standin::MakeTitleButtons();
    ASSERT_EQ(buttons.height, 64);
    auto face = [&](int col, int y0) { return Box(buttons, col * 160, y0, 160, 32); };
    for (int col = 0; col < 10; ++col) {
        const auto normal = face(col, 0), pressed = face(col, 32);
        int differing = 0;
        for (size_t i = 0; i < normal.size(); ++i) differing += normal[i] != pressed[i];
        EXPECT_GT(differing, 160 * 32 / 2) << "column " << col;
        for (int other = col + 1; other < 10; ++other) EXPECT_NE(normal, face(other, 0));
    }
    EXPECT_EQ(standin::TitleButtonLabel(1280), "Quit");
    for (auto kind : {standin::VehicleSheet::Truck, standin::VehicleSheet::Engine,
                      standin::VehicleSheet::Wagon, standin::VehicleSheet::CityCar}) {
        const standin::Canvas sheet = standin::MakeVehicleSheet(kind, 1);
        for (int h = 0; h < 8; ++h) {
            const standin::PictureColumn& col = standin::SheetColumns(kind)[h];
            const auto pixels = Box(sheet, col.x, 0, col.width, col.height);
            const auto ink = std::count_if(pixels.begin(), pixels.end(), [](uint8_t p) {
                return p != 0 && !standin::IsMarkDigit(p);  // not counting the mark
            });
            EXPECT_GT(ink, col.width * col.height / 4) << static_cast<int>(kind) << " " << h;
        }
    }
    for (int type = 0; type < standin::kAnimationTypes; ++type) {
        const standin::AnimationSize size = standin::AnimationCellSize(type);
        if (size.width == 0) continue;
        const standin::Canvas sheet = standin::MakeAnimationSheet(type);
        auto frame = [&](int f) {
            return Box(sheet, f * size.width, 0, size.width, size.height - 1);
        };
        EXPECT_NE(frame(0), frame(1)) << "type " << type;
        if (type >= 8) {
            EXPECT_EQ(size.frames, 17);
        }
        if (type == 0) continue;  // drawn above everything
        // Drawn into the ground, every cell covers the ink of every other.
        std::vector<int> inked(frame(0).size(), 0);
        for (int f = 0; f < size.frames; ++f) {
            const std::vector<uint8_t> cell = frame(f);
            for (size_t i = 0; i < cell.size(); ++i) inked[i] += cell[i] != 0 ? 1 : 0;
        }
        EXPECT_EQ(std::count_if(inked.begin(), inked.end(),
                                [&](int n) { return n != 0 && n != size.frames; }),
                  0)
            << "type " << type;
    }
    // The animated buildings leave a window open over their animation, and
    // every cell's opaque ground fills exactly that window: no bare ground
    // in it, and nothing of a cell, its mark included, beside the building.
    for (int type : {11, 12, 17, 18, 28, 29, 30, 31}) {
        const standin::Canvas plain = standin::MakeBuildingPicture(type, 0, 0);
        const standin::Canvas animated = standin::MakeAnimatedBuildingPicture(type);
        const standin::AnimationSize size = standin::AnimationCellSize(AnimationKindOfType(type));
        const standin::Canvas sheet = standin::MakeAnimationSheet(AnimationKindOfType(type));
        int left = 0, top = 0;
        ASSERT_TRUE(standin::AnimationCellOrigin(type, &left, &top)) << type;
        int open = 0;
        for (size_t i = 0; i < plain.pixels.size(); ++i)
            open += plain.pixels[i] != 0 && animated.pixels[i] == 0 ? 1 : 0;
        EXPECT_GT(open, 50) << "type " << type;
        for (int f = 0; f < size.frames; ++f) {
            int bare = 0, beside = 0;
            for (int cy = 0; cy < size.height; ++cy) {
                for (int cx = 0; cx < size.width; ++cx) {
                    const int x = left + cx, y = top + cy;
                    const uint8_t ground = sheet.Get(f * size.width + cx, cy);
                    const bool window = plain.Get(x, y) != 0 && animated.Get(x, y) == 0;
                    bare += window && (ground == 0 || standin::IsMarkDigit(ground)) ? 1 : 0;
                    beside += !window && animated.Get(x, y) == 0 && ground != 0 ? 1 : 0;
                }
            }
            EXPECT_EQ(std::pair(bare, beside), std::pair(0, 0)) << "type " << type << " cell " << f;
        }
    }
    // The steel mill's smoke stands on its chimney, which hides the mark.
    const standin::Canvas mill = standin::MakeBuildingPicture(kTypeSteelMill, 0, 0);
    int mill_left = 0, mill_top = 0;
    ASSERT_TRUE(standin::AnimationCellOrigin(kTypeSteelMill, &mill_left, &mill_top));
    const standin::CellPoint mouth = standin::AnimationMarkPoint(0);
    EXPECT_TRUE(mill.Get(mill_left + mouth.x, mill_top + mouth.y) != 0 &&
                mill.Get(mill_left + mouth.x + 1, mill_top + mouth.y) != 0);
    // A tree's shadow stays in its cell: no month's cells begin with ink
    // (a tree standing on a field would carry a dash 72 rows above it).
    const standin::Canvas trees = standin::MakeTreeSheet(1);
    for (int y = 0; y < trees.height; y += standin::kTreeHeight) {
        const auto row = Box(trees, 0, y, trees.width, 1);
        EXPECT_EQ(std::count(row.begin(), row.end(), 0), trees.width) << "row " << y;
    }
    // Rows of odd widths are padded and keep their pixels.
    for (int width : {1, 2, 3, 5, 30, 63}) {
        standin::Canvas c(width, 2);
        for (int x = 0; x < width; ++x) {
            c.Set(x, 0, static_cast<uint8_t>(x + 1));
            c.Set(x, 1, static_cast<uint8_t>(200 - x));
        }
        ParsedDib d = ParseDib(standin::EncodeDib(c));
        ASSERT_TRUE(d.ok) << width << ": " << d.problem;
        EXPECT_EQ(d.pixels, c.pixels) << width;
    }
    // The stamps the world generator places: sorted by kind, flat at the rim,
    // smooth enough for the map's height rule, and with mountains.
    for (int season = 1; season <= 3; ++season) {
        int lastKind = 0, highest = 0;
        for (const standin::LandscapeStamp& st : standin::MakeLandscapeStamps(season)) {
            EXPECT_GE(st.kind, lastKind) << season;
            lastKind = st.kind;
            auto h = [&](int i, int k) { return int(st.heights[size_t(i) * st.sizeY + k]); };
            for (int i = 0; i < st.sizeX; ++i) {
                for (int k = 0; k < st.sizeY; ++k) {
                    ASSERT_LE(h(i, k), 14);
                    highest = std::max(highest, h(i, k));
                    const bool rim = i == 0 || k == 0 || i == st.sizeX - 1 || k == st.sizeY - 1;
                    EXPECT_TRUE(!rim || h(i, k) <= 1) << season << " kind " << st.kind;
                    // Neighbouring cells, diagonals included, differ by one step at most.
                    for (const auto& [di, dk] : {std::pair{1, 0}, {0, 1}, {1, 1}, {1, -1}}) {
                        const int ni = i + di, nk = k + dk;
                        const bool inside = ni < st.sizeX && nk >= 0 && nk < st.sizeY;
                        EXPECT_TRUE(!inside || std::abs(h(i, k) - h(ni, nk)) <= 1) << season;
                    }
                }
            }
        }
        EXPECT_GE(highest, 12) << season << ": mountains";
    }
    // Glyphs stay inside their advances and differ from each other.
    struct Font {
        const char* name;
        const uint8_t* advances;  // from code 26
        int size, last, roomy;    // cell size, last character, advance that has room for ink
    };
    for (const Font& f : {Font{"font_1.jgd", standin::kFont1Advances.data(), 16, 255, 3},
                          Font{"font_2.jgd", standin::kFont2Advances.data(), 8, 95, 2}}) {
        const ParsedDib& font = Load(f.name);
        ASSERT_TRUE(font.ok);
        for (int code = 26; code <= f.last; ++code) {
            const int right = Cell(font, code, f.size).second;
            if (code >= 123) {  // icons, drawn in their own colours: none is empty
                EXPECT_GE(right, 0) << code;
                continue;
            }
            const int advance = f.advances[code - 26];
            EXPECT_LT(right, advance) << f.name << " code " << code;
            EXPECT_TRUE(advance < f.roomy || code == ' ' || right >= 0) << f.name << " " << code;
        }
    }
    const ParsedDib& font = Load("font_1.jgd");
    const std::string chars = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    for (size_t i = 0; i < chars.size(); ++i)
        for (size_t j = i + 1; j < chars.size(); ++j)
            EXPECT_NE(Cell(font, chars[i], 16).first, Cell(font, chars[j], 16).first)
                << chars[i] << " and " << chars[j];
}

}  // namespace
}  // namespace standin_test
