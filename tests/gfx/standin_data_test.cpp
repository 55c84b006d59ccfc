// The engine on the stand-in data folder: every picture the loaders read is
// there for every season, rotation and player colour; and a golden scene
// drawn from it with every drawing call shows the cells that were asked for.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "cell_mark.h"
#include "gfx/blit_dc.h"
#include "gfx/font_tables.h"
#include "gfx/palette.h"
#include "gfx_host.h"
#include "platform/compositor.h"
#include "platform/temp_folder.h"
#include "standin.h"
#include "state/data_tables.h"
#include "state/game_state.h"
#include "state/world_images.h"
#include "support/fnv_hash.h"
#include "support/game_scope.h"
#include "terrain_tiles.h"
#include "ways.h"

namespace {

using gfxtest::GfxHost;

// One stand-in folder for all tests of this file, removed at exit.
const std::string& StandInPath() {
    static const fvtest::TempFolder folder;
    static const bool written = [] {
        std::string error;
        EXPECT_TRUE(standin::WriteDataFolder(folder.Path(), &error)) << error;
        return true;
    }();
    (void)written;
    return folder.Path();
}

class StandInTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InitBuildingTypes();
        CGameState& gs = *g_pGameState;
        for (auto& path : gs.data_paths) {
            std::snprintf(path, sizeof path, "%s", StandInPath().c_str());
        }
        const char* folders[] = {"\\spring", "\\summer", "\\autumn"};
        for (int i = 0; i < 3; ++i) std::snprintf(gs.season_folders[i], 250, "%s", folders[i]);
        gs.install_index = 0;
        gs.season = 2;
        gs.screen_height = 768;
    }
    size_t Boxes() { return host.host.MessageBoxes().size(); }
    GfxHost host;
    fvtest::GameScope scope;
};

// The game's loaders find every picture (no retry box).
TEST_F(StandInTest, EveryWorldPictureLoadsForEverySeasonRotationAndColour) {
    LoadStartupImages();
    const GameImages& im = g_pGameState->images;
    EXPECT_EQ(im.main_font.Rows(), 3680);
    for (int season = 1; season <= 3; ++season) {
        g_pGameState->season = season;
        LoadWorldImages();
        for (int rotation = 0; rotation < 4; ++rotation) {
            for (int colour = 0; colour < 4; ++colour) {
                g_pGameState->rotation = rotation;
                g_pGameState->player_colors[0] = uint8_t(colour);
                LoadObjectImages();
                ASSERT_EQ(Boxes(), 0u) << season << " " << rotation << " " << colour;
                for (int n = 0; n <= 86; ++n) {
                    ASSERT_EQ(im.building_pictures[n].Loaded(), n < 32 || n >= 34) << n;
                }
            }
        }
    }
}

// Reads the cell mark at (x, y) of a surface.
int MarkAt(const PixelSurface& s, int32_t x, int32_t y) {
    const uint8_t* row = s.pixels + size_t(y) * size_t(s.stride);
    return standin::DecodeMark(row[x], row[x + 1]);
}

TEST_F(StandInTest, GoldenSceneOfGroundWaysTextAndSprites) {
    LoadStartupImages();
    LoadWorldImages();
    ASSERT_EQ(Boxes(), 0u);
    GameImages& im = g_pGameState->images;
    WinGBitmap buffer;
    ASSERT_TRUE(buffer.Create(im.tile_sheet, 640, 480));
    BlitDCInBlocks(*buffer.dc, 0, 0, 640, 480, *im.tile.dc);
    // Ground tiles: kind k, shape s lies at (64 s, 40 k) of the tile sheet.
    struct Cell {
        int kind, shape, x, y;
    };
    const Cell cells[] = {{0, 0, 0, 0}, {3, 7, 100, 50}, {11, 14, 576, 440}, {5, 2, 300, 200}};
    for (const Cell& c : cells) {
        buffer.BlitImageKeyedClip(im.tile_sheet, c.x, c.y, 64 * c.shape, 40 * c.kind, 64, 40, 0, 1,
                                  0, 640, 0, 480);
    }
    for (const Cell& c : cells) {
        EXPECT_EQ(MarkAt(buffer.Surface(), c.x + standin::kTileMarkX, c.y + standin::kTileMarkY),
                  c.kind * 15 + c.shape)
            << c.kind << "/" << c.shape;
    }
    // A way piece on top: way type 2 (row 1), column 5.
    buffer.BlitRawKeyedClip(im.street_tiles, 300, 200, 64 * 5, 40 * 1, 64, 40, 0, 1, 0, 640, 0,
                            480);
    const standin::CellPoint way = standin::StreetMarkPoint(5);
    EXPECT_EQ(MarkAt(buffer.Surface(), 300 + way.x, 200 + way.y), 1 * 21 + 5);
    // The rest of the drawing calls: a fill, text in colours, cut at the
    // edges and in the small font, icons, a vehicle sheet at every divisor,
    // clipped, cut and as a glyph; then the scene shown through the palette.
    buffer.FillRect(20, 300, 280, 80, 12);
    buffer.DrawText("Ferrovane 1960", kFont1Advances, 30, 310, im.main_font);
    buffer.DrawText("cash \xe4 1,000", kFont1Advances, 30, 330, im.main_font, 16, 16, 243);
    buffer.DrawText("MW", kFont1Advances, -8, 470, im.main_font);  // cut at two edges
    buffer.DrawTextRaw("SMALL FONT az", kFont2Advances, 30, 360, im.small_font, 8, 8, 10);
    const char icons[] = {char(123), char(200), char(255), 0};
    buffer.DrawIcons(icons, kFont1Advances, 400, 310, im.main_font);
    const RawImage& sheet = im.vehicle_sheets[0];
    int32_t x = 170;
    for (int32_t d : {1, 2, 4, 16}) buffer.BlitRawKeyed(sheet, x += 70, 100, 0, 0, 64, 40, 0, d);
    buffer.BlitRawKeyedClip(sheet, 470, 100, 0, 0, 64, 40, 0, 1, 480, 520, 110, 130);
    buffer.BlitRawKeyed(sheet, -20, 440, 0, 0, 64, 40, 0, 1);
    buffer.BlitGlyphRaw(sheet, 500, 300, 0, 0, 64, 40, 0, 2, 100);
    class Screen : public plat::Window {};
    Screen screen;
    screen.Create(nullptr, {0, 0, 640, 480}, WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST);
    {
        plat::DcHandle dc = plat::GetWindowDC(screen);
        SelectPictureOutputPalette(*dc, buffer.dc.get(), im.palette_a);
        BlitDC(*dc, 0, 0, 640, 480, *buffer.dc, 0, 0);
        RestoreDefaultPalette(*dc);
    }
    EXPECT_EQ(plat::ScreenPixel(300 + way.x, 200 + way.y),
              buffer.pixels[(200 + way.y) * buffer.Stride() + 300 + way.x]);
    if (const char* folder = std::getenv("FV_GOLDEN_PNG")) {
        plat::SaveScreenPng(std::string(folder) + "/scene_standin.png");
    }
    // The scene's pixels, stored for the stand-in pictures they were drawn
    // from. When those change on purpose, look at the scene (set
    // FV_GOLDEN_PNG to a folder to get a PNG) and store both new values.
    uint64_t inputs = fvtest::kHashStart, scene = inputs;
    for (const char* file : {"/summer/tilesg.jgd", "/streets.jgd", "/font_1.jgd", "/font_2.jgd",
                             "/tile.jgd", "/lk0.jgd"}) {
        std::ifstream in(StandInPath() + file, std::ios::binary);
        const std::string bytes(std::istreambuf_iterator<char>(in), {});
        inputs = fvtest::Fnv1a(bytes.data(), bytes.size(), inputs);
    }
    for (int32_t y = 0; y < 480; ++y)
        scene = fvtest::Fnv1a(&buffer.pixels[y * buffer.Stride()], 640, scene);
    constexpr uint64_t kInputs = 0x43b1fb14ee32fce3ull;
    constexpr uint64_t kScene = 0x4f32907a0df64436ull;
    if (inputs != kInputs) {
        GTEST_SKIP() << "the stand-in pictures changed: inputs 0x" << std::hex << inputs
                     << ", scene 0x" << scene;
    }
    EXPECT_EQ(scene, kScene) << std::hex << scene;
}

}  // namespace
