// The acceptance of the game flow: the program driven from its title as a
// player drives it, on the fake clock with clicks and keys injected into the
// real screens.
//
// Not here yet: building a chain of one's own (a raw-material site, a
// factory, a road, two depots, a truck with a two-stop schedule) through the
// purchase and schedule screens, which come with the economy and vehicle
// screens; the free game saved and loaded below runs without it.

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/app_globals.h"
#include "app/game_files.h"
#include "app/level_file.h"
#include "app/main_frame.h"
#include "economy/building.h"
#include "economy/building_table.h"
#include "game/opponent.h"
#include "panel/control_panel.h"
#include "screens/flow/flow_host.h"
#include "screens/flow/load_game_screen.h"
#include "screens/flow/save_game_screen.h"
#include "state/game_files.h"
#include "state/game_state.h"
#include "state/messages.h"

namespace {

using flowtest::FlowHost;

constexpr uint8_t kEnter = 13;

struct AnswerLater : plat::Window {
    bool Open(HAUPTDIALOG& panel, const PopupRequest& request) {
        return Create(&panel, request.rect, WS_POPUP | WS_VISIBLE);
    }
};

std::vector<char> Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class PlayThrough : public ::testing::Test {
  protected:
    PlayThrough() : f({1024, 768}, true) {
        InstallLevelFiles();
        g_LogoShown[0] = g_LogoShown[1] = 1;
    }
    ~PlayThrough() override { InstallGameFiles(nullptr); }
    void Title() {
        f.h.frame->SendMessage(kMsgShowStartScreen);
        f.h.Run();
        ASSERT_NE(f.h.frame->Screen(FrameScreen::Start), nullptr);
    }
    // Button i (0 continue .. 9 quit) down the title's right edge.
    void Choose(int32_t i) { f.Click(192 + 480 + 80, 144 + 23 + 45 * i + 16); }
    // A free game from the title: set-up OK, a name, three rivals, no growth.
    void StartFreeGame(std::initializer_list<int32_t> portraits) {
        Title();
        Choose(2);
        ASSERT_NE(f.h.frame->Screen(FrameScreen::NewGame), nullptr);
        f.Char(kEnter);
        ASSERT_NE(g_pHauptDialog, nullptr);
        // The name and growth choices are the control panel's own screens.
        for (PanelPopup slot : {PanelPopup::CompanyName, PanelPopup::CityGrowth}) {
            g_pHauptDialog->SetPopupFactory(slot, OpenPopupScreen<AnswerLater>);
        }
        plat::SendMessage(g_pHauptDialog, kMsgPanelOpenCompanyName);
        std::strcpy(g_pHauptDialog->popup_result.text, "Play Through Ltd");
        plat::SendMessage(g_pHauptDialog, kMsgPanelCompanyNameDone, 0, 0);
        ASSERT_NE(f.h.frame->Screen(FrameScreen::OpponentSelect), nullptr);
        for (int32_t p : portraits) f.Click(192 + 430, 144 + 60 + 80 * p + 35);
        f.Char(kEnter);
        g_pHauptDialog->popup_result.choice = 0;
        plat::SendMessage(g_pHauptDialog, kMsgPanelCityGrowthDone, 0, 0);
        ASSERT_EQ(f.gs().sim_halted, 0);
    }
    // Game ticks on the fake clock, the loop turning every 26 ms.
    void RunTicks(int32_t ticks) {
        const int32_t end = GameTicks() + ticks;
        while (GameTicks() < end) {
            f.h.host.AdvanceClock(26);
            f.h.Turn();
        }
    }
    int32_t GameTicks() const {
        const CGameState& gs = *g_pGameState;
        return ((gs.year - 1960) * 12 + gs.month) * 4 + gs.week;
    }
    void ClickIn(const plat::Window& popup, int32_t x, int32_t y) {
        const plat::Rect r = popup.GetWindowRect();
        f.Click(r.left + 1 + x, r.top + 1 + y);
    }
    void SaveInto(int32_t slot, const std::string& description) {
        plat::SendMessage(g_pHauptDialog, kMsgPanelOpenSaveGame);
        auto* save = dynamic_cast<FS_SAVE_GAME*>(g_pHauptDialog->Popup(PanelPopup::SaveGame));
        ASSERT_NE(save, nullptr);
        ClickIn(*save, 80, 63 + 17 * slot + 8);
        for (char c : description) f.Char(static_cast<uint8_t>(c));
        f.Char(kEnter);
        ASSERT_EQ(g_pHauptDialog->Popup(PanelPopup::SaveGame), nullptr);
    }
    FlowHost f;
};

TEST_F(PlayThrough, EveryTitleChoiceButTheHighScoresOpensItsScreen) {
    struct Case {
        int32_t button;
        const char* shot;  // a screenshot name, or empty
    };
    Title();
    for (const Case& c :
         {Case{2, "play_setup"}, Case{5, "play_career"}, Case{6, ""}, Case{8, "play_tutorial"},
          Case{4, "play_missions"}, Case{3, "play_scenarios"}, Case{1, "play_load"}}) {
        Choose(c.button);
        if (c.shot[0] != 0) fvtest::MaybeSaveScreen(c.shot);
        bool open = false;
        switch (c.button) {
            case 2:
                open = f.h.frame->Screen(FrameScreen::NewGame) != nullptr;
                f.h.frame->Screen(FrameScreen::NewGame)->SendMessage(WM_COMMAND, kCmdBack);
                break;
            case 5:
                open = f.h.frame->Screen(FrameScreen::Career) != nullptr;
                f.h.frame->Screen(FrameScreen::Career)->SendMessage(WM_COMMAND, kCmdDialogCancel);
                break;
            case 6:
                open = f.h.frame->Screen(FrameScreen::EditorStart) != nullptr;
                f.h.frame->Screen(FrameScreen::EditorStart)->SendMessage(WM_COMMAND, kCmdBack);
                break;
            case 8:
                open = f.h.frame->Screen(FrameScreen::Tutorial) != nullptr;
                f.Char(27);
                break;
            default: {
                const PanelPopup slot = c.button == 4   ? PanelPopup::MissionSelect
                                        : c.button == 3 ? PanelPopup::ScenarioSelect
                                                        : PanelPopup::LoadGame;
                plat::Window* popup =
                    g_pHauptDialog != nullptr ? g_pHauptDialog->Popup(slot) : nullptr;
                open = popup != nullptr;
                if (popup != nullptr) popup->SendMessage(WM_COMMAND, kCmdDialogCancel);
                break;
            }
        }
        EXPECT_TRUE(open) << c.button;
        ASSERT_NE(f.h.frame->Screen(FrameScreen::Start), nullptr) << c.button;
    }
}

TEST_F(PlayThrough, AMissionStartsWithItsBriefing) {
    Title();
    Choose(4);
    ASSERT_NE(g_pHauptDialog, nullptr);
    f.Char(kEnter);  // the first mission
    CGameState& gs = f.gs();
    EXPECT_EQ(std::tuple(gs.game_mode, gs.cash[0]), std::tuple(int32_t{kModeMission}, 400000));
    plat::Window* briefing = g_pHauptDialog->Popup(PanelPopup::MissionText);
    ASSERT_NE(briefing, nullptr);
    fvtest::MaybeSaveScreen("play_briefing");
    briefing->SendMessage(WM_COMMAND, kCmdOk);
    EXPECT_EQ(g_pHauptDialog->Popup(PanelPopup::MissionText), nullptr);
}

TEST_F(PlayThrough, AScenarioStartsWithoutABriefingAndWithoutARivalsChoice) {
    Title();
    Choose(3);
    ASSERT_NE(g_pHauptDialog, nullptr);
    for (PanelPopup slot : {PanelPopup::CompanyName, PanelPopup::CityGrowth}) {
        g_pHauptDialog->SetPopupFactory(slot, OpenPopupScreen<AnswerLater>);
    }
    f.Char(kEnter);  // "Open country"
    CGameState& gs = f.gs();
    EXPECT_EQ(std::tuple(gs.game_mode, gs.cash[0]), std::tuple(int32_t{kModeGame}, 1000000));
    EXPECT_EQ(g_pHauptDialog->Popup(PanelPopup::MissionText), nullptr);
    EXPECT_TRUE(f.h.host.MessageBoxes().empty());
    plat::SendMessage(g_pHauptDialog, kMsgPanelCompanyNameDone, 0, 0);
    EXPECT_EQ(f.h.frame->Screen(FrameScreen::OpponentSelect), nullptr);
}

TEST_F(PlayThrough, AFreeGameSavedAndLoadedThroughTheScreensSavesTheSameBytes) {
    StartFreeGame({0, 1, 2});
    RunTicks(12);  // three game months
    const int64_t cash = f.gs().cash[0];
    SaveInto(0, "First save");
    RunTicks(8);  // the game goes on and changes
    plat::SendMessage(g_pHauptDialog, kMsgPanelOpenLoadGame);
    auto* load = dynamic_cast<FS_LOAD_GAME*>(g_pHauptDialog->Popup(PanelPopup::LoadGame));
    ASSERT_NE(load, nullptr);
    EXPECT_EQ(load->list->GetLine(0), "First save");
    f.Char(kEnter);  // row 0
    ASSERT_EQ(g_pHauptDialog->Popup(PanelPopup::LoadGame), nullptr);
    EXPECT_EQ(f.gs().cash[0], cash);
    SaveInto(1, "Second save");
    const std::vector<char> first = Bytes(f.folder + "/save/0.lvl");
    ASSERT_GT(first.size(), 786432u);
    EXPECT_TRUE(first == Bytes(f.folder + "/save/1.lvl"));
}

TEST_F(PlayThrough, ThreePickedRivalsBuildWithinTwoGameYears) {
    // The same game, faster on the fake clock.
    struct ShortTicks {
        uint32_t previous = std::exchange(g_TickLength, 150u);
        ~ShortTicks() { g_TickLength = previous; }
    } short_ticks;
    StartFreeGame({4, 2, 0});
    int32_t owned = 0;
    for (int32_t month = 0; month < 24 && owned == 0; ++month) {
        RunTicks(4);
        for (int32_t n = 1; n < kBuildingSlots; ++n) {
            const CBuilding* b = g_ppBuildings->At(n);
            if (b != nullptr && b->owner >= 1 && b->owner <= 3) ++owned;
        }
    }
    EXPECT_GT(owned, 0);
}

TEST_F(PlayThrough, EveryStandinLevelReadsBack) {
    ASSERT_TRUE(f.h.frame->StartWorldView(kModeGame));
    int32_t levels = 0;
    for (const char* folder : {"karriere", "mission", "scenario"}) {
        for (const auto& entry : std::filesystem::directory_iterator(f.folder + "/" + folder)) {
            if (entry.path().extension() != ".lvl") continue;
            const std::string path =
                f.folder + "\\" + folder + "\\" + entry.path().filename().string();
            EXPECT_EQ(LoadLevel(path), LevelLoadResult::Loaded) << path;
            EXPECT_EQ(LoadSavedGame(path), LevelLoadResult::Loaded) << path;
            ++levels;
        }
    }
    EXPECT_EQ(levels, 15);
    EXPECT_TRUE(f.h.host.MessageBoxes().empty());
}

}  // namespace
