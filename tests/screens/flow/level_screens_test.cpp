// The popups of a level start: the mission and scenario lists and the
// briefing and assignment texts, over a world view with its control panel.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "app/app_globals.h"
#include "app/main_frame.h"
#include "panel/control_panel.h"
#include "screens/flow/flow_host.h"
#include "screens/flow/level_select_screen.h"
#include "screens/flow/level_text_screen.h"
#include "state/game_files.h"
#include "state/game_state.h"
#include "state/messages.h"
#include "view/world_view.h"

namespace {

using flowtest::FlowHost;
using Kind = plat::MessageTrace::Kind;

constexpr uint8_t kEnter = 13;

// Missions and scenarios, read whole as saved games: noted, not read.
struct NotedFiles : GameFiles {
    std::vector<std::string> loaded;  // file names without their folder
    LevelLoadResult LoadPreparedGame(const std::string& path) override {
        loaded.push_back(path.substr(path.rfind('\\') + 1));
        return LevelLoadResult::Cancelled;
    }
};

class LevelScreens : public ::testing::Test {
  protected:
    LevelScreens() {
        InstallGameFiles(&files_);
        EXPECT_TRUE(f.h.frame->StartWorldView(kModeGame));
        g_LogoShown[0] = g_LogoShown[1] = 1;
    }
    ~LevelScreens() override { InstallGameFiles(nullptr); }
    void Write(const std::string& path, const std::string& text) {
        const std::filesystem::path p = std::filesystem::path(f.folder) / path;
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << text;
    }
    LevelSelectScreen* Open(uint32_t message, PanelPopup slot) {
        plat::SendMessage(g_pHauptDialog, message);
        f.h.Run();
        return dynamic_cast<LevelSelectScreen*>(g_pHauptDialog->Popup(slot));
    }
    std::vector<std::string> Rows(const LISTBOX& list) {
        std::vector<std::string> rows;
        for (int32_t i = 0; i < list.LineCount(); ++i) rows.push_back(list.GetLine(i));
        return rows;
    }
    // A point of a popup's client area (inside its one-pixel border).
    void ClickIn(const plat::Window& popup, int32_t x, int32_t y) {
        const plat::Rect r = popup.GetWindowRect();
        f.Click(r.left + 1 + x, r.top + 1 + y);
    }
    void ClickRow(const plat::Window& popup, int32_t row) { ClickIn(popup, 80, 63 + 17 * row + 8); }
    void ClickTab(const plat::Window& popup, int32_t tab) {
        ClickIn(popup, 20 + 80 * tab + 30, 263 + 8);
    }
    FlowHost f;
    NotedFiles files_;
};

TEST_F(LevelScreens, AGapLeavesContiguousRowsWithTheirNumbers) {
    Write("mission/m0_0.dir", "Harbour\r\nsecond line\r\n");
    Write("mission/m0_2.dir", "Mountain pass");
    LevelSelectScreen* s = Open(kMsgPanelOpenMissionSelect, PanelPopup::MissionSelect);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(Rows(*s->list), (std::vector<std::string>{"Harbour", "Mountain pass"}));
    EXPECT_EQ(std::tuple(s->entry_files[0], s->entry_files[1], s->entry_files[2], s->entry_count),
              std::tuple(0, 2, -1, 2));
    fvtest::MaybeSaveScreen("flow_mission_list");
    ClickRow(*s, 3);  // below the last title: no change
    EXPECT_EQ(s->selected, 0);
    ClickRow(*s, 1);
    EXPECT_EQ(s->selected, 1);
    f.Char(kEnter);
    EXPECT_EQ(files_.loaded, std::vector<std::string>{"m0_2.lvl"});
}

TEST_F(LevelScreens, AnEmptyGroupMissionOkAnswersAsBackScenarioOkDoesNothing) {
    LevelSelectScreen* scenarios = Open(kMsgPanelOpenScenarioSelect, PanelPopup::ScenarioSelect);
    ASSERT_NE(scenarios, nullptr);
    EXPECT_EQ(scenarios->list->LineCount(), 0);
    f.Char(kEnter);
    EXPECT_EQ(g_pHauptDialog->Popup(PanelPopup::ScenarioSelect), scenarios);
    EXPECT_EQ(scenarios->selected, 0);
    const auto palette = flowtest::WatchWorldPalette(f.gs(), kMsgPanelScenarioSelectDone);
    ClickIn(*scenarios, 212 + 50, 311 + 20);  // back: the game ends, the title follows
    EXPECT_EQ(*palette, std::vector<bool>{true});
    EXPECT_EQ(std::tuple(g_pSpielFeld, f.h.frame->Screen(FrameScreen::Start) != nullptr),
              std::tuple(nullptr, true));
    EXPECT_TRUE(files_.loaded.empty());
    f.h.frame->SendMessage(kMsgStartScreenResult, 0, kChoiceMission);
    LevelSelectScreen* missions = dynamic_cast<LevelSelectScreen*>(
        g_pHauptDialog != nullptr ? g_pHauptDialog->Popup(PanelPopup::MissionSelect) : nullptr);
    ASSERT_NE(missions, nullptr);
    f.Char(kEnter);
    EXPECT_EQ(f.h.host.Recorder().Count(Kind::Sent, nullptr, kMsgPanelMissionSelectDone), 1u);
    EXPECT_EQ(std::tuple(g_pSpielFeld, files_.loaded.size()), std::tuple(nullptr, 0u));
}

TEST_F(LevelScreens, ATabSwitchStartsTheNewGroupAtItsFirstRow) {
    for (const char* name : {"mission/m0_0.dir", "mission/m0_1.dir", "mission/m0_2.dir",
                             "mission/m2_3.dir", "mission/m2_7.dir"}) {
        Write(name, name);
    }
    LevelSelectScreen* s = Open(kMsgPanelOpenMissionSelect, PanelPopup::MissionSelect);
    ASSERT_NE(s, nullptr);
    ClickRow(*s, 2);
    EXPECT_EQ(s->selected, 2);
    ClickTab(*s, 2);
    EXPECT_EQ(std::tuple(s->group, s->selected, s->entry_count), std::tuple(2, 0, 2));
    ClickIn(*s, 44 + 50, 311 + 20);
    EXPECT_EQ(files_.loaded, std::vector<std::string>{"m2_3.lvl"});
}

TEST_F(LevelScreens, TheFourthScenarioGroupListsTheEditorsLevels) {
    Write("save/s_4.dir", "My own island\r\n");
    Write("scenario/s0_0.dir", "Prepared");
    LevelSelectScreen* s = Open(kMsgPanelOpenScenarioSelect, PanelPopup::ScenarioSelect);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(Rows(*s->list), std::vector<std::string>{"Prepared"});
    ClickTab(*s, 3);
    EXPECT_EQ(Rows(*s->list), std::vector<std::string>{"My own island"});
    f.Char(kEnter);
    EXPECT_EQ(files_.loaded, std::vector<std::string>{"s_4.lvl"});
}

TEST(LevelText, UmlautsAndTheAccentBecomeGlyphCodes) {
    struct Case {
        uint8_t from, to;
    };
    for (const Case& c :
         {Case{196, 26}, Case{214, 27}, Case{220, 28}, Case{228, 29}, Case{246, 30}, Case{252, 31},
          Case{180, 39}, Case{223, 223}, Case{233, 233}, Case{'a', 'a'}}) {
        const std::string line = RemapTextLine(std::string(1, static_cast<char>(c.from)) + "x");
        EXPECT_EQ(static_cast<uint8_t>(line[0]), c.to) << int{c.from};
        EXPECT_EQ(line[1], 'x');
    }
}

TEST_F(LevelScreens, ALongLineFillsTwoRowsAndOkAnswers) {
    Write("mission/m0_1.txt", std::string(150, 'w') + "\r\nEnd of briefing\r\n");
    plat::SendMessage(g_pHauptDialog, kMsgPanelOpenMissionText, 0, 1);
    auto* text = dynamic_cast<LevelTextScreen*>(g_pHauptDialog->Popup(PanelPopup::MissionText));
    ASSERT_NE(text, nullptr);
    const std::vector<std::string> rows = Rows(*text->text_list);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(std::tuple(rows[0].size(), rows[1].size(), rows[2]),
              std::tuple(99u, 51u, std::string("End of briefing")));
    f.Char(kEnter);
    EXPECT_EQ(g_pHauptDialog->Popup(PanelPopup::MissionText), nullptr);
    // Opened from the information list, OK clears that list's first four
    // checks; from anywhere else it leaves the panel at no tool. At a level's
    // start it hands the music back, once.
    constexpr int32_t kInformationList = -6;
    HAUPTDIALOG& panel = *g_pHauptDialog;
    for (const auto& [tool, level_start] : {std::pair{kInformationList, 1}, std::pair{11, 0}}) {
        plat::SendMessage(&panel, kMsgPanelOpenMissionText, 0, 1);
        ASSERT_NE(panel.Popup(PanelPopup::MissionText), nullptr);
        std::fill(std::begin(panel.entry_checked), std::end(panel.entry_checked), 1);
        std::tie(g_pSpielFeld->tool, panel.current_heading) = std::tuple(tool, 3);
        f.gs().level_start_pending = level_start;
        const int resumed = f.h.sound->Count("ResumeMusic");
        f.Char(kEnter);
        EXPECT_EQ(panel.Popup(PanelPopup::MissionText), nullptr);
        EXPECT_EQ(std::pair(f.h.sound->Count("ResumeMusic") - resumed, f.gs().level_start_pending),
                  std::pair(level_start, 0));
        if (tool == kInformationList) {
            EXPECT_EQ(std::vector<int32_t>(panel.entry_checked, panel.entry_checked + 5),
                      (std::vector<int32_t>{0, 0, 0, 0, 1}));
        } else {
            EXPECT_EQ(std::pair(panel.current_heading, g_pSpielFeld->tool),
                      std::pair(kHeadingNoTool, kToolNone));
        }
    }
}

TEST_F(LevelScreens, RetryThenCancelAbortsOnceAndShowsNoText) {
    f.h.host.QueueMessageBoxAnswer(IDRETRY);
    f.h.host.QueueMessageBoxAnswer(IDCANCEL);
    plat::SendMessage(g_pHauptDialog, kMsgPanelOpenMissionText, 1, 5);
    ASSERT_EQ(f.h.host.MessageBoxes().size(), 2u);
    EXPECT_NE(f.h.host.MessageBoxes()[0].text.find("m1_5.txt"), std::string::npos);
    EXPECT_EQ(f.h.host.Recorder().Count(Kind::Sent, f.h.frame, kMsgAbort), 1u);
    EXPECT_TRUE(plat::QuitRequested());
    EXPECT_EQ(g_pHauptDialog, nullptr);  // the abort took the game down
}

TEST_F(LevelScreens, TheRestartButtonOnlyWithTextFromMenu) {
    Write("karriere/k0_3.txt", "Earn 4,000,000.\r\n");
    for (int32_t from_menu : {0, 1}) {
        f.gs().text_from_menu = from_menu;
        plat::SendMessage(g_pHauptDialog, kMsgPanelOpenAssignmentText, 0, 3);
        auto* text =
            dynamic_cast<LevelTextScreen*>(g_pHauptDialog->Popup(PanelPopup::AssignmentText));
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->buttons.size(), from_menu == 1 ? 2u : 1u);
        EXPECT_EQ(Rows(*text->text_list), std::vector<std::string>{"Earn 4,000,000."});
        if (from_menu == 1) fvtest::MaybeSaveScreen("flow_assignment_text");
        ClickIn(*text, 212 + 50, 311 + 20);
        EXPECT_EQ(g_pHauptDialog->Popup(PanelPopup::AssignmentText), nullptr);
    }
}

}  // namespace
