#pragma once
// Playing a mission or a career to its end from the title: the title's
// choices, the game clock run month by month, and clicks on the buttons of
// the popups and full screens that come up on the way.

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "app/app_globals.h"
#include "app/game_files.h"
#include "app/main_frame.h"
#include "gfx/buttons.h"
#include "panel/control_panel.h"
#include "screens/flow/flow_host.h"
#include "screens/flow/flow_popup.h"
#include "screens/flow/level_text_screen.h"
#include "screens/full_screen.h"
#include "state/game_files.h"
#include "state/game_state.h"
#include "state/messages.h"
#include "support/frame_host.h"

namespace flowtest {

constexpr uint8_t kEnter = 13;

// Button i (0 continue .. 9 quit) down the title's right edge.
inline void ChooseOnTheTitle(FlowHost& f, int32_t i) {
    f.Click(192 + 480 + 80, 144 + 23 + 45 * i + 16);
}
// The title's missions, the first (m0_0) chosen: its company name entry comes.
inline void ChooseTheFirstMission(FlowHost& f) {
    ChooseOnTheTitle(f, 4);
    ASSERT_TRUE(g_pHauptDialog != nullptr &&
                g_pHauptDialog->Popup(PanelPopup::MissionSelect) != nullptr);
    f.Char(kEnter);
}
// The title's career at the easy difficulty (50): its company name entry comes.
inline void ChooseAnEasyCareer(FlowHost& f) {
    ChooseOnTheTitle(f, 5);
    ASSERT_NE(f.h.frame->Screen(FrameScreen::Career), nullptr);
    f.Click(192 + 128 + 50, 144 + 191 + 20);
}

// The title's ways to a level that ask a company name in front of the
// level's text: the popup of that text, and whether it stands shown under
// the name entry (a mission's briefing) or waits hidden (a career's text).
struct LevelChoice {
    const char* name;
    PanelPopup text;
    bool text_shown_under_name;
    void (*choose)(FlowHost&);
};
inline const LevelChoice kLevelChoices[] = {
    {"the first mission", PanelPopup::MissionText, true, ChooseTheFirstMission},
    {"an easy career", PanelPopup::AssignmentText, false, ChooseAnEasyCareer},
};

class LevelEndPlay : public ::testing::Test {
  protected:
    static constexpr uint8_t kEnter = flowtest::kEnter;
    static constexpr uint32_t kShortTick = 150;  // the game clock, faster on the fake clock

    LevelEndPlay() : f({1024, 768}, true), tick_(std::exchange(g_TickLength, kShortTick)) {
        InstallLevelFiles();
        g_LogoShown[0] = g_LogoShown[1] = 1;
    }
    ~LevelEndPlay() override {
        InstallGameFiles(nullptr);
        g_TickLength = tick_;
    }

    void Title() {
        f.h.frame->SendMessage(kMsgShowStartScreen);
        f.h.Run();
        ASSERT_NE(f.h.frame->Screen(FrameScreen::Start), nullptr);
    }
    // Button i (0 continue .. 9 quit) down the title's right edge.
    void Choose(int32_t i) { ChooseOnTheTitle(f, i); }
    // The title's new game, its set-up taken as it is and the company
    // named: the choice of opponents comes.
    void ChooseAFreeGame(const std::string& company) {
        Choose(2);
        ASSERT_NE(f.h.frame->Screen(FrameScreen::NewGame), nullptr);
        f.Char(kEnter);
        ASSERT_NE(Popup(PanelPopup::CompanyName), nullptr);
        TypeCompanyName(company);
        ASSERT_NE(f.h.frame->Screen(FrameScreen::OpponentSelect), nullptr);
    }

    // Game ticks on the fake clock, the loop turning every 26 ms, until the
    // calendar moved `ticks` on or the clock stopped (at most a game year).
    void RunTicks(int32_t ticks) {
        const int32_t end = GameTicks() + ticks;
        for (int32_t turns = 0; GameTicks() < end && turns < 48 * 20; ++turns) {
            f.h.host.AdvanceClock(26);
            f.h.Turn();
            if (g_pGameState == nullptr || g_pGameState->goal_reached != 0) return;
        }
    }
    // To the start of the next month, with the month's processing.
    void RunMonth() { RunTicks(4 - g_pGameState->week); }
    static int32_t GameTicks() {
        const CGameState& gs = *g_pGameState;
        return ((gs.year - 1960) * 12 + gs.month) * 4 + gs.week;
    }

    // A click on the middle of a window (a button), never a double click.
    void ClickWindow(const plat::Window& w) {
        const plat::Rect r = w.GetWindowRect();
        f.h.host.AdvanceClock(1000);
        f.h.host.InjectClick({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
        f.h.Run();
    }
    template <typename Screen>
    void Press(const Screen& s, uint16_t command) {
        for (const auto& b : s.buttons) {
            if (b->command_id == command) return ClickWindow(*b);
        }
        ADD_FAILURE() << "no button " << command;
    }
    plat::Window* Popup(PanelPopup slot) const {
        return g_pHauptDialog != nullptr ? g_pHauptDialog->Popup(slot) : nullptr;
    }
    template <typename T>
    T* Screen(FrameScreen slot) {
        return f.Screen<T>(slot);
    }

    // A click on a rectangle of the control panel (a heading or a row).
    void ClickPanel(const plat::Rect& r) {
        const plat::Point p =
            g_pHauptDialog->ClientToScreen(plat::Point{(r.left + r.right) / 2, r.top + 5});
        f.h.host.AdvanceClock(1000);
        f.h.host.InjectClick(p);
        f.h.Run();
    }
    // A heading of the panel, then its row with `command`.
    void ChooseInPanel(int32_t heading, int32_t command) {
        ClickPanel(g_pHauptDialog->heading_rects[heading]);
        for (int32_t r = 0; r < kPanelRowCount; ++r) {
            if (g_pHauptDialog->entry_command[r] == command) {
                return ClickPanel(g_pHauptDialog->row_rects[r]);
            }
        }
        ADD_FAILURE() << "no row " << command << " under heading " << heading;
    }
    // The end-of-game requests the frame got, by their picture (37 won, 38 lost).
    std::vector<plat::LParam> GameEndPictures() {
        std::vector<plat::LParam> pictures;
        for (const plat::MessageTrace& t :
             f.h.host.Recorder().Filter(plat::MessageTrace::Kind::Sent, f.h.frame, kMsgGameEnd)) {
            pictures.push_back(t.lParam);
        }
        return pictures;
    }
    // A line of the open briefing of `slot`.
    std::string BriefingLine(PanelPopup slot, int32_t line) {
        auto* text = dynamic_cast<LevelTextScreen*>(Popup(slot));
        return text != nullptr ? text->text_list->GetLine(line) : "(no briefing)";
    }
    // A career from the title's choice at the easy difficulty (50), its
    // first assignment's company name typed and briefing closed.
    void StartEasyCareer(const std::string& company) {
        if (f.h.frame->Screen(FrameScreen::Start) == nullptr) Title();
        ASSERT_NO_FATAL_FAILURE(ChooseAnEasyCareer(f));
        ASSERT_NE(Popup(PanelPopup::CompanyName), nullptr);
        TypeCompanyName(company);
        CloseBriefing(PanelPopup::AssignmentText);
    }
    // The first mission from the title's mission choice, named and briefed.
    void StartFirstMission(const std::string& company) {
        if (f.h.frame->Screen(FrameScreen::Start) == nullptr) Title();
        ASSERT_NO_FATAL_FAILURE(ChooseTheFirstMission(f));
        ASSERT_NE(Popup(PanelPopup::CompanyName), nullptr);
        TypeCompanyName(company);
        CloseBriefing(PanelPopup::MissionText);
    }
    void CloseBriefing(PanelPopup slot) {
        auto* text = dynamic_cast<FlowPopup*>(Popup(slot));
        ASSERT_NE(text, nullptr);
        Press(*text, kCmdOk);
        ASSERT_EQ(Popup(slot), nullptr);
    }
    // The screen as it stands once every window has painted, as a PNG.
    void Shot(const std::string& name) {
        f.h.Run();
        fvtest::MaybeSaveScreen(name);
    }
    // A company name typed over the one the level gave.
    void TypeCompanyName(const std::string& name) {
        for (int32_t i = 0; i < 40; ++i) f.Char(8);  // backspace
        for (char c : name) f.Char(static_cast<uint8_t>(c));
        f.Char(kEnter);
    }

    FlowHost f;

  private:
    uint32_t tick_;
};

// The level-end play for plain tests, with the panel's file heading (save
// and load) and clicks on the popups' rows.
struct LevelEndPlayer : LevelEndPlay {
    void TestBody() override {}
    using LevelEndPlay::Choose;
    using LevelEndPlay::ChooseAFreeGame;
    using LevelEndPlay::ChooseInPanel;
    using LevelEndPlay::ClickPanel;
    using LevelEndPlay::CloseBriefing;
    using LevelEndPlay::f;
    using LevelEndPlay::kEnter;
    using LevelEndPlay::Popup;
    using LevelEndPlay::Press;
    using LevelEndPlay::RunMonth;
    using LevelEndPlay::Screen;
    using LevelEndPlay::StartEasyCareer;
    using LevelEndPlay::StartFirstMission;
    using LevelEndPlay::Title;
    using LevelEndPlay::TypeCompanyName;

    static constexpr int32_t kFileHeading = 1;
    static constexpr int32_t kGameHeading = 0;

    // Frames of the loop, 26 ms apart.
    void Frames(int32_t n) {
        for (int32_t i = 0; i < n; ++i) {
            f.h.host.AdvanceClock(26);
            f.h.Turn();
        }
    }
    // A click at (x, y) inside a popup's frame.
    void ClickIn(const plat::Window& popup, int32_t x, int32_t y) {
        const plat::Rect r = popup.GetWindowRect();
        f.Click(r.left + 1 + x, r.top + 1 + y);
    }
    // A row of the save or load list.
    void ClickRow(const plat::Window& popup, int32_t row) { ClickIn(popup, 80, 63 + 17 * row + 8); }
    // The file heading's save into `slot` under `description`.
    void SaveInto(int32_t slot, const std::string& description) {
        ChooseInPanel(kFileHeading, kCmdSave);
        plat::Window* save = Popup(PanelPopup::SaveGame);
        ASSERT_NE(save, nullptr);
        ClickRow(*save, slot);
        for (char c : description) f.Char(static_cast<uint8_t>(c));
        f.Char(kEnter);
        ASSERT_EQ(Popup(PanelPopup::SaveGame), nullptr);
    }
    // The file heading's load of `slot`.
    void LoadSlot(int32_t slot) {
        ChooseInPanel(kFileHeading, kCmdLoad);
        plat::Window* load = Popup(PanelPopup::LoadGame);
        ASSERT_NE(load, nullptr);
        ClickRow(*load, slot);
        f.Char(kEnter);
        ASSERT_EQ(Popup(PanelPopup::LoadGame), nullptr);
    }
    std::string SavePath(const std::string& name) const { return f.folder + "/save/" + name; }
    // The bytes of a file of the save folder, none where it is missing.
    std::vector<char> Bytes(const std::string& name) const {
        std::ifstream in(SavePath(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
};

}  // namespace flowtest
