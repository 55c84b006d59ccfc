// The three world-making screens drawn from the stand-in data folder: every
// picture they load is there with the size the layout expects, and the
// marker of a chosen option shows on the printed socket. Set FV_GOLDEN_PNG
// to a folder to get the screens as pictures.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/compositor.h"
#include "screen_fixture.h"
#include "screens/world/editor_start_screen.h"
#include "screens/world/gen_progress_screen.h"
#include "screens/world/new_world_screen.h"
#include "screens/world/world_screen_layout.h"
#include "standin.h"
#include "state/game_state.h"

namespace worldgen {
namespace {

namespace ws = world_screens;

// The 640 x 480 area lies in the middle of the 800 x 600 screen.
constexpr int32_t kOx = 80;
constexpr int32_t kOy = 60;

class StandInWorldScreens : public ScreenTest {
  protected:
    StandInWorldScreens() {
        // Only the stand-in files these screens read, over the synthetic ones.
        const std::vector<std::string> wanted = {"font_1.jgd",
                                                 "tile.jgd",
                                                 "scr_42.jgd",
                                                 "scb_42.jgd",
                                                 ws::kNewWorldPicture,
                                                 ws::kNewWorldSheet,
                                                 ws::kEditorStartPicture,
                                                 ws::kEditorStartSheet};
        size_t written = 0;
        for (const standin::FileRecipe& file : standin::DataFileRecipes()) {
            if (std::find(wanted.begin(), wanted.end(), file.path) == wanted.end()) continue;
            const std::vector<uint8_t> bytes = file.make();
            std::ofstream(std::filesystem::path(folder_) / file.path, std::ios::binary)
                .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
            ++written;
        }
        EXPECT_EQ(written, wanted.size());
        CGameState& gs = game_.state();
        gs.images.main_font.Free();
        gs.images.tile.Free();
        gs.images.main_font.Load(folder_ + "\\font_1.jgd", nullptr, 1);
        gs.images.tile.LoadJgd(folder_ + "\\tile.jgd");
    }
    void Keep(const char* name) {
        host_.host.RunUntilIdle();
        if (const char* folder = std::getenv("FV_GOLDEN_PNG")) {
            plat::SaveScreenPng(std::string(folder) + "/" + name);
        }
    }
    // The 16 x 16 socket of an option as drawn on the screen.
    static std::vector<uint8_t> Socket(plat::Window& w, int32_t column, int32_t row_top) {
        std::vector<uint8_t> pixels;
        for (int32_t y = 0; y < ws::kMarkerSize; ++y) {
            for (int32_t x = 0; x < ws::kMarkerSize; ++x) {
                pixels.push_back(Pixel(w, kOx + column + x, kOy + row_top + y));
            }
        }
        return pixels;
    }
};

TEST_F(StandInWorldScreens, NewWorldScreenShowsItsMarkersOnTheSockets) {
    CGameState& gs = game_.state();
    gs.ng_site_distance = 2;  // the middle row of the single-marker column
    gs.regen_world = 1;
    gs.regen_cities = 0;
    FS_NEUE_WELT s;
    ASSERT_TRUE(s.Open(frame_));
    Keep("new_world.png");
    EXPECT_TRUE(host_.host.MessageBoxes().empty());
    EXPECT_EQ(s.background.width, ws::kAreaWidth);
    EXPECT_EQ(s.background.Rows(), ws::kAreaHeight);
    EXPECT_EQ(s.sheet.width, ws::kSheetWidth);
    EXPECT_EQ(s.sheet.Rows(), ws::kSheetHeight);
    // A chosen and an unchosen socket of the same column differ; two
    // unchosen ones look alike.
    const int32_t column = ws::kColumns[FS_NEUE_WELT::kSiteDistance];
    EXPECT_NE(Socket(s, column, ws::kUpperRows[2]), Socket(s, column, ws::kUpperRows[1]));
    EXPECT_EQ(Socket(s, column, ws::kUpperRows[0]), Socket(s, column, ws::kUpperRows[1]));
    EXPECT_NE(Socket(s, ws::kColumns[0], ws::kLowerRows[0]),
              Socket(s, ws::kColumns[0], ws::kLowerRows[1]));
}

TEST_F(StandInWorldScreens, EditorStartAndProgressScreensFindTheirPictures) {
    {
        FS_EDITORSTART s;
        ASSERT_TRUE(s.Open(frame_));
        Keep("editor_start.png");
        EXPECT_EQ(s.background.width, ws::kAreaWidth);
        EXPECT_EQ(s.sheet.width, ws::kSheetWidth);
        const int32_t column = ws::kColumns[ws::kCapitalColumn];
        EXPECT_NE(Socket(s, column, ws::kUpperRows[ws::kInitialCapitalRow]),
                  Socket(s, column, ws::kUpperRows[0]));
    }
    frame_->SendMessage(kMsgOpenGenProgress);
    auto& p = *dynamic_cast<FS_GEN_FORTSCHRITT*>(frame_->progress);
    EXPECT_EQ(p.picture.width, 320);
    EXPECT_EQ(p.picture.Rows(), 200);
    EXPECT_GE(p.sheet.width, 32);
    EXPECT_GE(p.sheet.Rows(), 16);
    p.stage_done[0] = 1;
    p.stage = 1;
    p.total = 7;
    p.current = 3;
    p.UpdateProgress();
    Keep("gen_progress.png");
    EXPECT_TRUE(host_.host.MessageBoxes().empty());
}

}  // namespace
}  // namespace worldgen
