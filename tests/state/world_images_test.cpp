// The world and tree image loaders: which file lands in which holder for
// every season, rotation, colour and option, and when the music is handed back.

#include "state/world_images.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "gfx/gfx_host.h"
#include "gfx/gfx_test_files.h"
#include "state/data_tables.h"
#include "state/game_state.h"
#include "state/tree_images.h"
#include "support/game_scope.h"

namespace {

using gfxtest::GfxHost;
using gfxtest::TempDataFolder;
using gfxtest::TestPicture;

const int32_t kAnimated[] = {11, 12, 17, 18, 28, 29, 30, 31};

bool Coloured(int32_t type) {
    return (type >= 0 && type <= 3) || (type >= 6 && type <= 9) || (type >= 21 && type <= 26);
}

// The file of building type t (0..31) or city building t (34..86) as the
// loaders name it; the animated variant has no rotation or colour.
std::string Picture(const std::string& season, int r, int t, int c, bool animated = false) {
    const std::string stem = t < 32 ? g_pGameState->building_types[t].image_suffix
                                    : std::string("_").append(std::to_string(t));
    if (animated) return season + "/g0" + stem + "a.jgd";
    return season + (t >= 21 && t <= 26 ? "/v" : "/g") + std::to_string(r) + stem +
           (Coloured(t) ? std::to_string(c) : "") + ".jgd";
}

// Writes every world file as a 4 x 2 picture whose first two pixels carry
// a number that names the file; `ids` maps each relative path to it.
class WorldFolder {
  public:
    TempDataFolder folder;
    std::map<std::string, int> ids;
    WorldFolder() {
        for (const char* name : {"signs.jgd", "t_mask.jgd", "streets.jgd", "ueber.jgd", "hang.jgd",
                                 "bridge.jgd", "sf.jgd", "ck.jgd"})
            Put(name);
        for (int c = 0; c < 4; ++c)
            for (const char* prefix : {"prosgn_", "lk", "lo", "wa"})
                Put(prefix + std::to_string(c) + ".jgd");
        for (int n : {1, 2, 3, 4, 5, 6, 9, 10, 11, 12}) Put("ani_" + std::to_string(n) + ".jgd");
        for (const std::string season : {"spring", "summer", "autumn"}) {
            for (const char* name : {"tilesg", "tiles", "baum", "trees6", "stumpf"})
                Put(season + "/" + name + ".jgd");
            for (int t = 0; t <= 86; ++t)
                for (int r = 0; r < 4 && (t < 32 || t > 33); ++r)
                    for (int c = 0; c < (Coloured(t) ? 4 : 1); ++c) Put(Picture(season, r, t, c));
            for (int t : kAnimated) Put(Picture(season, 0, t, 0, true));
        }
    }
    int Id(const std::string& relative) const {
        return ids.count(relative) ? ids.at(relative) : -1;
    }

  private:
    void Put(const std::string& relative) {
        const int id = int(ids.size()) + 1;
        ids[relative] = id;
        TestPicture pic = TestPicture::Filled(4, 2, 0);
        pic.pixels[0] = uint8_t(id & 0xFF);
        pic.pixels[1] = uint8_t(id >> 8);
        folder.WritePicture(relative, pic);
    }
};

// The number a picture was written with, -1 when nothing is loaded.
template <typename Image>
int IdOf(const Image& image) {
    return image.Loaded() ? image.pixels[0] | (image.pixels[1] << 8) : -1;
}

class WorldImagesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InitBuildingTypes();
        world = std::make_unique<WorldFolder>();
        CGameState& gs = *g_pGameState;
        for (auto& path : gs.data_paths)
            std::snprintf(path, sizeof path, "%s", world->folder.Path().c_str());
        const char* folders[] = {"\\spring", "\\summer", "\\autumn"};
        for (int i = 0; i < 3; ++i) std::snprintf(gs.season_folders[i], 250, "%s", folders[i]);
        std::tie(gs.install_index, gs.season, gs.rotation, gs.player_colors[0], gs.opt_animations,
                 gs.screen_height) = std::tuple(0, 1, 0, 0, 1, 600);
    }
    void ExpectBuildings(const std::string& season, int rotation, int colour) {
        const GameImages& im = g_pGameState->images;
        const bool animated = rotation == 0 && g_pGameState->opt_animations == 1;
        for (int t = 0; t <= 86; ++t) {
            const bool anim = animated && std::count(std::begin(kAnimated), std::end(kAnimated), t);
            const int expected =
                t == 32 || t == 33 ? -1 : world->Id(Picture(season, rotation, t, colour, anim));
            EXPECT_EQ(IdOf(im.building_pictures[t]), expected) << t;
            if (t >= 32 || !Coloured(t)) continue;
            for (int c = 0; c < 4; ++c)
                EXPECT_EQ(IdOf(im.colour_pictures[t][c]),
                          world->Id(Picture(season, rotation, t, c)));
            EXPECT_EQ(&im.BuildingPicture(t, 2), &im.colour_pictures[t][2]);
        }
        EXPECT_EQ(&im.BuildingPicture(10, 2), &im.building_pictures[10]);
    }
    GfxHost host;
    fvtest::GameScope scope;
    std::unique_ptr<WorldFolder> world;
};

TEST_F(WorldImagesTest, EverySetIsFilledFromItsFileForEverySeasonRotationAndColour) {
    LoadWorldImages();
    const GameImages& im = g_pGameState->images;
    // clang-format off
    const std::pair<int, const char*> sets[] = {
        {IdOf(im.tile_sheet), "spring/tilesg.jgd"}, {IdOf(im.sign_sheet), "signs.jgd"},
        {IdOf(im.product_signs), "prosgn_0.jgd"}, {IdOf(im.terrain_mask), "t_mask.jgd"},
        {IdOf(im.street_tiles), "streets.jgd"}, {IdOf(im.overview_sheet), "ueber.jgd"},
        {IdOf(im.slope_tiles), "hang.jgd"}, {IdOf(im.bridge_tiles), "bridge.jgd"},
        {IdOf(im.sf_sheet), "sf.jgd"}, {IdOf(im.vehicle_sheets[0]), "lk0.jgd"},
        {IdOf(im.vehicle_sheets[4]), "lo0.jgd"}, {IdOf(im.vehicle_sheets[16]), "wa0.jgd"},
        {IdOf(im.vehicle_sheets[20]), "ck.jgd"}};
    // clang-format on
    for (const auto& [id, name] : sets) EXPECT_EQ(id, world->Id(name)) << name;
    for (int i : {1, 5, 19}) EXPECT_FALSE(im.vehicle_sheets[i].Loaded()) << i;
    for (int n = 1; n <= 12; ++n) {
        const int expected = n == 7 || n == 8 ? -1 : world->Id("ani_" + std::to_string(n) + ".jgd");
        EXPECT_EQ(IdOf(im.animation_sets[n - 1]), expected) << n;
    }
    ExpectBuildings("spring", 0, 0);
    EXPECT_EQ(im.palette_a, im.tile_sheet.palette);  // the world palette is the tile sheet's
    EXPECT_EQ(std::tuple(g_pGameState->view_width, g_pGameState->view_height),
              std::tuple(636, 598));
    g_pGameState->season = 3;
    LoadWorldImages();
    EXPECT_EQ(IdOf(im.tile_sheet), world->Id("autumn/tilesg.jgd"));
    for (int rotation = 1; rotation <= 3; ++rotation) {
        g_pGameState->rotation = rotation;
        g_pGameState->player_colors[0] = uint8_t(rotation);
        LoadObjectImages();
        ExpectBuildings("autumn", rotation, rotation);
        EXPECT_EQ(IdOf(im.vehicle_sheets[0]), world->Id("lk" + std::to_string(rotation) + ".jgd"));
        EXPECT_EQ(IdOf(im.product_signs), world->Id("prosgn_" + std::to_string(rotation) + ".jgd"));
    }
    EXPECT_TRUE(host.host.MessageBoxes().empty());
    // Read with the grid on, a level whose options turn it off gets the
    // plain tiles with its pictures.
    g_pGameState->show_grid = 0;
    LoadObjectImages();
    EXPECT_EQ(IdOf(im.tile_sheet), world->Id("autumn/tiles.jgd"));
    // Without the pictures not every folder carries (city cars, sheet 5,
    // four factories and the warehouse, the other colours, four stores) the
    // loads ask nothing and leave those entries empty.
    const std::string base = world->folder.Path() + "/";
    for (const char* name : {"ck.jgd", "ani_5.jgd"}) std::filesystem::remove(base + name);
    for (int r = 0; r < 4; ++r) {
        for (int t : {14, 15, 16, 19, 20})
            std::filesystem::remove(base + Picture("autumn", r, t, 0));
        for (int t = 0; t < 27; ++t)
            for (int c = 0; c < 4 && Coloured(t); ++c)
                if (c != 0 || t >= 23) std::filesystem::remove(base + Picture("autumn", r, t, c));
    }
    FreeWorldImages();
    g_pGameState->player_colors[0] = 0;
    for (int rotation : {0, 1}) {
        g_pGameState->rotation = rotation;
        rotation == 0 ? LoadWorldImages() : LoadObjectImages();
    }
    EXPECT_TRUE(host.host.MessageBoxes().empty());
    EXPECT_EQ(std::tuple(im.vehicle_sheets[20].Loaded(), im.animation_sets[4].Loaded(),
                         im.building_pictures[15].Loaded(), im.building_pictures[23].Loaded(),
                         im.colour_pictures[6][1].Loaded(), im.colour_pictures[22][0].Loaded()),
              std::tuple(false, false, false, false, false, true));
}

int g_resumes = 0;

// No animation sheets when off or at rotation 2; object reloads keep the tile
// sheet and hand the music back unless a game track plays under an open screen
// or a level start is pending; freeing empties every holder.
TEST_F(WorldImagesTest, ObjectAndTreeReloadsAnimationsMusicAndFreeing) {
    CGameState& gs = *g_pGameState;
    const GameImages& im = gs.images;
    // An odd screen leaves the view size.
    std::tie(gs.opt_animations, gs.screen_height, gs.view_width) = std::tuple(0, 700, 11);
    LoadWorldImages();
    EXPECT_FALSE(im.animation_sets[0].Loaded());
    EXPECT_EQ(gs.view_width, 11);
    const uint8_t* tiles = im.tile_sheet.pixels;
    std::tie(gs.opt_animations, gs.rotation, gs.season) = std::tuple(1, 2, 3);
    LoadObjectImages();
    for (const WinGBitmap& sheet : im.animation_sets) EXPECT_FALSE(sheet.Loaded());
    ExpectBuildings("autumn", 2, 0);
    EXPECT_EQ(im.tile_sheet.pixels, tiles);
    gs.rotation = 0;
    GetWorldImageHooks().resume_music = [] { ++g_resumes; };
    fvtest::RecordingSound& sound = scope.UseSound();
    g_resumes = 0;
    struct Case {
        int32_t screen_open, track, level_start, resumes;
    };
    for (const Case c : {Case{0, 5, 0, 1}, {1, 5, 0, 1}, {1, 4, 0, 2}, {0, 4, 1, 2}}) {
        std::tie(gs.screen_open, sound.current_track, gs.level_start_pending) =
            std::tuple(c.screen_open, c.track, c.level_start);
        LoadObjectImages();
        EXPECT_EQ(g_resumes, c.resumes) << c.screen_open << c.track << c.level_start;
    }
    EXPECT_TRUE(im.animation_sets[0].Loaded());  // back at rotation 0
    // The tree picture follows the options and the season; only the tree loads
    // (not the stumps) hand the music back, not under an open screen with a
    // game track or while cities grow.
    g_resumes = 0;
    struct TreeCase {
        int32_t show_trees, seasons, season;
        const char* file;
        int32_t redraw, screen_open, track, growth, resumes;
    };
    for (const TreeCase c : {TreeCase{1, 1, 2, "summer/baum.jgd", 1, 0, 0, 0, 1},
                             {1, 0, 2, "summer/trees6.jgd", 1, 1, 5, 0, 1},
                             {0, 1, 2, "summer/stumpf.jgd", 0, 0, 0, 0, 1},
                             {0, 1, 3, "autumn/stumpf.jgd", 0, 0, 0, 0, 1},
                             {1, 0, 2, "summer/trees6.jgd", 1, 0, 0, 1, 1},
                             {1, 0, 2, "summer/trees6.jgd", 1, 1, 4, 0, 2}}) {
        std::tie(gs.show_trees, gs.opt_seasons, gs.season, gs.screen_open, sound.current_track,
                 gs.city_growth_running, gs.redraw_objects) =
            std::tuple(c.show_trees, c.seasons, c.season, c.screen_open, c.track, c.growth, 0);
        LoadTreeImages();
        EXPECT_EQ(std::tuple(IdOf(gs.images.tree_image), gs.redraw_objects, g_resumes),
                  std::tuple(world->Id(c.file), c.redraw, c.resumes))
            << c.file << " " << c.resumes;
    }
    EXPECT_TRUE(host.host.MessageBoxes().empty());
    std::filesystem::remove(world->folder.Path() + "/spring/baum.jgd");
    gs.season = gs.opt_seasons = 1;
    host.host.QueueMessageBoxAnswer(IDCANCEL);
    LoadTreeImages();
    ASSERT_EQ(host.host.MessageBoxes().size(), 1u);
    EXPECT_NE(host.host.MessageBoxes()[0].text.find("baum.jgd"), std::string::npos);
    EXPECT_FALSE(gs.images.tree_image.Loaded());
    FreeWorldGraphics();
    EXPECT_FALSE(im.tile_sheet.Loaded() || im.building_pictures[30].Loaded() ||
                 im.animation_sets[0].Loaded());
    EXPECT_STREQ(gs.season_folders[0], "");
}

}  // namespace
