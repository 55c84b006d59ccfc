// The world-making screens: editor start and new world in the main frame,
// and the generation-progress screen drawn from plain-colour pictures.

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "app/app_globals.h"
#include "app/interface_hooks.h"
#include "cities/city_manager.h"
#include "dib_writer.h"
#include "gfx/font_tables.h"
#include "gfx/gfx_host.h"
#include "landscape_templates.h"
#include "platform/random.h"
#include "screens.h"
#include "screens/world/editor_start_screen.h"
#include "screens/world/gen_progress_screen.h"
#include "screens/world/new_world_screen.h"
#include "screens/world/world_screen_layout.h"
#include "state/messages.h"
#include "state/progress_events.h"
#include "support/fnv_hash.h"
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
    ASSERT_EQ(kEditorStartScreenEntry.cancel_command, kCmdClose);
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

namespace worldgen {
namespace {

// Colours of the synthetic pictures; the 320 x 200 picture's place.
constexpr uint8_t kTileInk = 7, kPictureInk = 3, kLitLampInk = 200, kUnlitLampInk = 100;
constexpr uint8_t kGlyphInk = 9;
constexpr int32_t kOx = 240, kOy = 200;

// The progress screen's requests, answered as the main frame does.
class ProgressFrame : public gfxtest::FrameWindow {
  public:
    plat::Window* progress = nullptr;  // the open progress screen
    void CloseProgress() {
        if (progress != nullptr) kGenProgressScreenEntry.before_delete(*this, progress, 0, 0);
        delete std::exchange(progress, nullptr);
    }

  protected:
    plat::LResult OnMessage(uint32_t message, plat::WParam w, plat::LParam l) override {
        if (message == kMsgOpenGenProgress && progress == nullptr) {
            progress = kGenProgressScreenEntry.open(*this, w, l);
        }
        if (message == kMsgGenProgressDone) CloseProgress();
        if (message == kMsgOpenGenProgress || message == kMsgGenProgressDone) return 0;
        return FrameWindow::OnMessage(message, w, l);
    }
};

class GenProgressScreen : public ::testing::Test {
  protected:
    GenProgressScreen() {
        CGameState& gs = game_.state();
        for (auto& path : gs.data_paths) {
            std::snprintf(path, kDataPathLength, "%s", folder_.Path().c_str());
        }
        std::tie(gs.install_index, gs.screen_width, gs.screen_height) = std::tuple(0, 800, 600);
        // Font 1: every glyph a frame of its advance width, so that text shows.
        standin::Canvas glyphs(kFont1Cell, kFont1Cell * 98);
        for (int g = 0; g < 98; ++g) {
            const int w = std::max<int>(kFont1Advances[size_t(g)] - 1, 1);
            glyphs.FrameRect(0, g * kFont1Cell + 2, w, kFont1Cell - 4, kGlyphInk);
        }
        // The lamp sheet: lit lamp at x 0, unlit at x 16, discs on colour 0.
        standin::Canvas lamps(32, 16);
        lamps.FillEllipse(8, 8, 6, 6, kLitLampInk);
        lamps.FillEllipse(24, 8, 6, 6, kUnlitLampInk);
        WritePicture("font_1.jgd", glyphs);
        WritePicture("tile.jgd", standin::Canvas(100, 100, kTileInk));
        WritePicture("scr_42.jgd", standin::Canvas(320, 200, kPictureInk));
        WritePicture("scb_42.jgd", lamps);
        gs.images.main_font.Load(folder_.Path() + "\\font_1.jgd", nullptr, 1);
        gs.images.tile.LoadJgd(folder_.Path() + "\\tile.jgd");
        frame_ = new ProgressFrame;
        frame_->Create(nullptr, {0, 0, 800, 600}, WS_POPUP | WS_VISIBLE);
        host_.host.RunUntilIdle();
    }
    ~GenProgressScreen() override {
        frame_->CloseProgress();
        delete frame_;
        host_.host.RunUntilIdle();
    }
    void WritePicture(const std::string& name, const standin::Canvas& picture) {
        const std::vector<uint8_t> bytes = standin::EncodeDib(picture);
        folder_.Write(name, std::string(bytes.begin(), bytes.end()));
    }
    static uint8_t Pixel(plat::Window& window, int32_t x, int32_t y) {
        return window.GetSurface().Row(y)[x];
    }
    FS_GEN_FORTSCHRITT& Open() {
        frame_->SendMessage(kMsgOpenGenProgress);
        host_.host.RunUntilIdle();
        auto* screen = dynamic_cast<FS_GEN_FORTSCHRITT*>(frame_->progress);
        EXPECT_NE(screen, nullptr);
        return *screen;
    }
    // The colour at the middle of a lamp of the picture.
    uint8_t Lamp(FS_GEN_FORTSCHRITT& s, int32_t stage) {
        const plat::Point at[4] = {{44, 111}, {44, 135}, {164, 111}, {164, 135}};
        return Pixel(s, kOx + at[stage].x + 8, kOy + at[stage].y + 8);
    }
    // Width of the bar, read from row 85 of the picture.
    int32_t BarWidth(FS_GEN_FORTSCHRITT& s) {
        int32_t width = 0;
        while (width < 268 && Pixel(s, kOx + 52 + width, kOy + 85) == 195) ++width;
        return width;
    }

    gfxtest::GfxHost host_;
    ProgressFrame* frame_ = nullptr;
    fvtest::GameScope game_;
    fvtest::TempFolder folder_;
};

TEST_F(GenProgressScreen, OpenReceivesTheReportsAndHoldsTrafficUntilClosed) {
    CCityManager cities;
    g_pCityManager = &cities;
    FS_GEN_FORTSCHRITT& s = Open();
    EXPECT_EQ(&Progress(), static_cast<ProgressEvents*>(&s));
    // The paint turned a total of 0 into 1.
    EXPECT_EQ(
        std::tuple(cities.traffic_held, s.IsWindowVisible(), std::string(s.captions[3]), s.total),
        std::tuple(1, true, "Generating industries", 1));
    // Closing: command OK blackens and hides it, then it is deleted.
    s.SendMessage(WM_COMMAND, kCmdOk, 0);
    EXPECT_EQ(std::tuple(s.IsWindowVisible(), Pixel(s, 5, 5)), std::tuple(false, 0));
    frame_->SendMessage(kMsgGenProgressDone);
    EXPECT_EQ(std::tuple(frame_->progress, dynamic_cast<GenerationProgress*>(&Progress()),
                         cities.traffic_held),
              std::tuple(nullptr, nullptr, 0));
    g_pCityManager = nullptr;
}

TEST_F(GenProgressScreen, LampsCaptionAndBarFollowTheReports) {
    FS_GEN_FORTSCHRITT& s = Open();
    struct Report {
        void (*report)();
        int32_t bar;
        int32_t lit;  // a lamp that is lit afterwards (-1: none)
    };
    const Report reports[] = {
        {[] { Progress().Stage(0, 8); }, 0, -1},
        {[] { Progress().Step(); }, 25, -1},
        {[] { Progress().StageDone(0); }, 25, 0},
        {[] { Progress().Stage(2, 3); }, 0, 0},
        {[] { Progress().Step(); }, 66, 0},  // 200 / 3, truncated
        {[] { Progress().Step(); }, 133, 0},
        {[] { Progress().Step(); }, 200, 0},
        // More steps than the total: the bar grows on, clipped to the picture.
        {[] { Progress().Step(); }, 266, 0},
        {[] { Progress().Phase(3); }, 266, 2},
        {[] { Progress().Stage(3, 0); }, 0, 2},  // a total of 0 counts as 1
        {[] { Progress().Step(); }, 200, 2},
    };
    for (const Report& r : reports) {
        r.report();
        EXPECT_EQ(BarWidth(s), r.bar) << &r - reports;
        EXPECT_EQ(Lamp(s, std::max(r.lit, 0)), r.lit >= 0 ? kLitLampInk : kUnlitLampInk);
    }
    EXPECT_EQ(Lamp(s, 3), kUnlitLampInk);
    for (int32_t n = 0; n < 10; ++n) Progress().Step();
    EXPECT_EQ(Pixel(s, kOx + 319, kOy + 85), 195);
    EXPECT_EQ(Pixel(s, kOx + 320, kOy + 85), kTileInk);  // nothing beyond the picture
}

TEST_F(GenProgressScreen, ScreenMatchesItsStoredPicture) {
    FS_GEN_FORTSCHRITT& s = Open();
    std::tie(s.stage_done[0], s.stage_done[2], s.stage, s.total, s.current) =
        std::tuple(1, 1, 1, 7, 3);
    s.SendMessage(WM_PAINT);  // lamps, the running stage's caption and bar
    // Change it only after looking at the screen (FV_GOLDEN_PNG saves it).
    fvtest::MaybeSaveScreen("gen_progress");
    const plat::Surface& surface = s.GetSurface();
    const uint64_t hash = fvtest::PictureHash(surface.width, surface.height,
                                              [&](int32_t y) { return surface.Row(y); });
    EXPECT_EQ(hash, 0xcc0ecc4741850753ull) << std::hex << hash;
}

TEST_F(GenProgressScreen, WithoutItsPicturesTheScreenStaysBlankButWorks) {
    std::filesystem::remove(folder_.Path() + "/scr_42.jgd");
    host_.host.QueueMessageBoxAnswer(IDCANCEL);
    FS_GEN_FORTSCHRITT& s = Open();
    Progress().Stage(1, 5);
    Progress().Step();
    Progress().StageDone(1);
    EXPECT_EQ(std::tuple(s.current, s.stage_done[1]), std::tuple(1, 1));
}

}  // namespace
}  // namespace worldgen
