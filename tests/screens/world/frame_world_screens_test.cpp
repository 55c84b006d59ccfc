// The editor-start and new-world screens in the main frame, drawn from the
// stand-in pictures: back, cancel and OK.

#include <gtest/gtest.h>

#include <tuple>

#include "app/app_globals.h"
#include "app/interface_hooks.h"
#include "dib_writer.h"
#include "landscape_templates.h"
#include "platform/random.h"
#include "screens.h"
#include "screens/world/editor_start_screen.h"
#include "screens/world/new_world_screen.h"
#include "screens/world/world_screen_layout.h"
#include "state/progress_events.h"
#include "support/frame_host.h"
#include "world/terrain.h"
#include "world_screens.h"

namespace {

using fvtest::FrameHost;
using fvtest::RecordingPanel;
using fvtest::RecordingView;
using Kind = plat::MessageTrace::Kind;

namespace ws = world_screens;

// The 16 x 16 socket of an option as drawn on the screen.
std::vector<uint8_t> Socket(ChoiceScreen& s, int32_t column, int32_t row_top) {
    std::vector<uint8_t> pixels;
    for (int32_t y = 0; y < ws::kMarkerSize; ++y) {
        const uint8_t* row = s.GetSurface().Row(s.origin_y + row_top + y);
        pixels.insert(pixels.end(), row + s.origin_x + column,
                      row + s.origin_x + column + ws::kMarkerSize);
    }
    return pixels;
}

SPIEL_FELD* MakeView(HAUPTFENSTER& frame, const plat::Rect& area) {
    auto* view = new RecordingView;
    view->tile_in_view = 1;
    view->Create(&frame, area, WS_CHILD | WS_VISIBLE);
    auto* panel = new RecordingPanel;
    panel->Create(&frame, {area.right, 0, area.right + 10, 10}, WS_CHILD | WS_VISIBLE);
    SetControlPanel(panel);
    return view;
}

class FrameWorldScreens : public ::testing::Test {
  protected:
    FrameWorldScreens() {
        GetFrameHooks().create_world_view = &MakeView;
        g_LogoShown[0] = g_LogoShown[1] = 1;
        for (const auto& [name, bytes] : Files())
            h.folder.Write(name, {bytes.begin(), bytes.end()});
    }
    // The files of these screens and the autumn templates, made once.
    static const std::vector<std::pair<std::string, std::vector<uint8_t>>>& Files() {
        static const std::vector<std::pair<std::string, std::vector<uint8_t>>> files = {
            {"scr_neuw.jgd", standin::EncodeDib(standin::MakeNewWorldScreen())},
            {"scb_neuw.jgd", standin::EncodeDib(standin::MakeNewWorldSheet())},
            {"scr_edst.jgd", standin::EncodeDib(standin::MakeEditorStartScreen())},
            {"scb_edst.jgd", standin::EncodeDib(standin::MakeEditorStartSheet())},
            {"scr_42.jgd", standin::EncodeDib(standin::MakeProgressScreen())},
            {"scb_42.jgd", standin::EncodeDib(standin::MakeProgressLamps())},
            {"autumn/3berge", standin::EncodeLandscapeFile(standin::MakeLandscapeStamps(3))},
        };
        return files;
    }
    ~FrameWorldScreens() override {
        if (g_pSpielFeld != nullptr) h.frame->SendMessage(kMsgEndRunningGame);
        h.DeletePanel();
        g_pTerrain = nullptr;
        GetFrameHooks().create_world_view = nullptr;
    }

    // Clicks an option of a choice screen, or a point of its area.
    void Click(ChoiceScreen& s, int32_t x, int32_t y) {
        h.host.AdvanceClock(1000);  // no double click
        h.host.InjectClick({s.origin_x + x, s.origin_y + y});
        h.Run();
    }
    void ClickOption(ChoiceScreen& s, int32_t column, int32_t row) {
        Click(s, column + 60, row + 8);
    }

    FrameHost h;
};

TEST_F(FrameWorldScreens, EditorStartBackReturnsToTheTitleAndOkStartsTheEditor) {
    h.frame->SendMessage(kMsgStartScreenResult, 0, kChoiceEditor);
    auto* screen = dynamic_cast<FS_EDITORSTART*>(h.frame->Screen(FrameScreen::EditorStart));
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(h.gs->start_marker, 0);
    h.Run();
    EXPECT_EQ(std::pair(screen->background.width, screen->sheet.width),
              std::pair(ws::kAreaWidth, ws::kSheetWidth));
    const int32_t column = ws::kColumns[ws::kCapitalColumn];
    EXPECT_NE(Socket(*screen, column, ws::kUpperRows[ws::kInitialCapitalRow]),
              Socket(*screen, column, ws::kUpperRows[0]));
    screen->SendMessage(WM_COMMAND, kEditorStartScreenEntry.cancel_command, 0);
    // The title screen is open again.
    EXPECT_EQ(
        std::tuple(h.frame->Screen(FrameScreen::EditorStart), h.gs->screen_open, g_pSpielFeld),
        std::tuple(nullptr, 1, nullptr));
    EXPECT_NE(h.frame->Screen(FrameScreen::Start), nullptr);
    // Opened again, its OK starts the editor with the chosen capital.
    fvtest::WriteWorldPictures(h.folder.Path());
    h.frame->SendMessage(kMsgStartScreenResult, 0, kChoiceEditor);
    screen = dynamic_cast<FS_EDITORSTART*>(h.frame->Screen(FrameScreen::EditorStart));
    ASSERT_NE(screen, nullptr);
    h.gs->bookmarks[3] = {5, 6};
    h.gs->show_grid = 0;
    h.gs->build_orientation = 3;
    h.Run();
    const std::vector<uint8_t> unchosen = Socket(*screen, column, ws::kUpperRows[4]);
    ClickOption(*screen, column, ws::kUpperRows[4]);  // 2,000,000
    EXPECT_NE(Socket(*screen, column, ws::kUpperRows[4]), unchosen);
    EXPECT_EQ(Socket(*screen, column, ws::kUpperRows[1]), unchosen);
    screen->SendMessage(WM_CHAR, 13);
    EXPECT_EQ(h.frame->Screen(FrameScreen::EditorStart), nullptr);
    ASSERT_NE(g_pSpielFeld, nullptr);
    EXPECT_EQ(std::tuple(h.gs->game_mode, h.gs->cash[0], h.gs->cash_shown[0], h.gs->year),
              std::tuple(kModeEditor, 2000000, 2000000, 1960));
    EXPECT_EQ(std::tuple(h.gs->screen_open, h.gs->build_orientation, h.gs->show_grid,
                         h.gs->bookmarks[3].x),
              std::tuple(0, 0, 1, -1));
    EXPECT_NE(h.frame->accelerators, nullptr);
}

// Back and cancel leave the settings; only OK (the Enter key) writes them
// and regenerates the world behind the progress screen.
TEST_F(FrameWorldScreens, NewWorldBackOrCancelLeaveTheSettingsOkRegenerates) {
    for (const bool back : {true, false}) {
        h.gs->ng_land = 1;
        h.frame->SendMessage(kMsgOpenNewWorld);
        auto* screen = dynamic_cast<FS_NEUE_WELT*>(h.frame->Screen(FrameScreen::NewWorld));
        ASSERT_NE(screen, nullptr);
        h.Run();
        ClickOption(*screen, ws::kColumns[0], ws::kUpperRows[0]);
        EXPECT_EQ(screen->choices[FS_NEUE_WELT::kLand], 0);  // the top row
        if (back) {
            Click(*screen, ws::kBackButtonX + 50, ws::kButtonsY + 20);
        } else {
            screen->SendMessage(WM_COMMAND, kNewWorldScreenEntry.cancel_command, 0);
        }
        EXPECT_EQ(std::tuple(h.frame->Screen(FrameScreen::NewWorld), h.gs->ng_land,
                             h.host.Recorder().Count(Kind::Sent, h.frame, kMsgOpenGenProgress)),
                  std::tuple(nullptr, 1, 0u));
    }
    CTerrain terrain;
    g_pTerrain = &terrain;
    h.gs->season = 3;
    h.gs->ng_site_distance = 2;  // the middle row of the single-marker column
    h.gs->ng_towns = 1;
    h.gs->ng_forests = 3;
    h.frame->SendMessage(kMsgOpenNewWorld);
    auto* screen = dynamic_cast<FS_NEUE_WELT*>(h.frame->Screen(FrameScreen::NewWorld));
    ASSERT_NE(screen, nullptr);
    h.Run();
    fvtest::MaybeSaveScreen("new_world");
    EXPECT_EQ(std::pair(screen->background.Rows(), screen->sheet.Rows()),
              std::pair(ws::kAreaHeight, ws::kSheetHeight));
    // A chosen and an unchosen socket of a column differ; two unchosen alike.
    const int32_t column = ws::kColumns[FS_NEUE_WELT::kSiteDistance];
    EXPECT_NE(Socket(*screen, column, ws::kUpperRows[2]),
              Socket(*screen, column, ws::kUpperRows[1]));
    EXPECT_EQ(Socket(*screen, column, ws::kUpperRows[0]),
              Socket(*screen, column, ws::kUpperRows[1]));
    ClickOption(*screen, ws::kColumns[0], ws::kUpperRows[0]);  // land: very much
    ClickOption(*screen, ws::kColumns[1], ws::kUpperRows[4]);  // mountains: very few
    ClickOption(*screen, ws::kColumns[0], ws::kLowerRows[2]);  // woods: off
    ClickOption(*screen, ws::kColumns[0], ws::kLowerRows[2]);  // ... and on again
    EXPECT_NE(h.gs->ng_land, 4);                               // nothing written before OK
    h.gs->build_orientation = 2;
    h.sound->calls.clear();
    plat::Srand(9);
    screen->SendMessage(WM_CHAR, 13);
    // The groups not clicked keep their start.
    EXPECT_EQ(std::tuple(h.gs->ng_land, h.gs->ng_mountains, h.gs->ng_forests, h.gs->ng_towns,
                         h.gs->ng_site_distance, h.gs->regen_woods),
              std::tuple(4, 0, 3, 1, 2, 1));
    EXPECT_EQ(std::tuple(h.frame->Screen(FrameScreen::NewWorld),
                         h.frame->Screen(FrameScreen::GenProgress),
                         dynamic_cast<GenerationProgress*>(&Progress())),
              std::tuple(nullptr, nullptr, nullptr));
    EXPECT_EQ(std::pair(h.host.Recorder().Count(Kind::Sent, h.frame, kMsgOpenGenProgress),
                        h.host.Recorder().Count(Kind::Sent, h.frame, kMsgGenProgressDone)),
              std::pair(size_t{1}, size_t{1}));
    EXPECT_EQ(std::pair(h.gs->screen_open, h.gs->build_orientation), std::pair(0, 0));
    EXPECT_TRUE(h.sound->calls.empty());         // the sound kept playing
    EXPECT_TRUE(h.host.MessageBoxes().empty());  // the progress pictures were there
    int32_t land = 0;
    for (const MapField& f : h.gs->fields) land += f.hoehe() > 0;
    EXPECT_GT(land, 10000);
    g_pTerrain = nullptr;
}

}  // namespace
