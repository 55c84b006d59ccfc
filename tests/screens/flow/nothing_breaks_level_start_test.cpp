// The start of a mission and of a career assignment as the player meets
// it from the title: the company name first (in front of a mission's
// briefing, which is shown from the start; an assignment's text waits
// hidden) and the level's text after it, and no empty button slot on the
// text. The level's read does not hand the music back before the text
// pauses it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/app_globals.h"
#include "app/game_files.h"
#include "app/level_file.h"
#include "app/main_frame.h"
#include "gfx/buttons.h"
#include "panel/control_panel.h"
#include "platform/compositor.h"
#include "screens/flow/flow_host.h"
#include "screens/flow/flow_popup.h"
#include "screens/flow/level_end_play.h"
#include "state/game_files.h"
#include "state/game_state.h"
#include "state/messages.h"
#include "state/world_images.h"

namespace {

using flowtest::kEnter;

// The title with the stand-in levels, as the player finds it.
struct AtTheTitle {
    AtTheTitle() {
        InstallLevelFiles();
        g_LogoShown[0] = g_LogoShown[1] = 1;
        f.h.frame->SendMessage(kMsgShowStartScreen);
        f.h.Run();
    }
    ~AtTheTitle() { InstallGameFiles(nullptr); }
    static plat::Window* Popup(PanelPopup slot) {
        return g_pHauptDialog != nullptr ? g_pHauptDialog->Popup(slot) : nullptr;
    }
    static bool Shown(PanelPopup slot) {
        const plat::Window* w = Popup(slot);
        return w != nullptr && w->IsWindowVisible();
    }
    void NameTheCompany() {
        for (char c : std::string("First Light")) f.Char(static_cast<uint8_t>(c));
        f.Char(kEnter);
    }
    flowtest::FlowHost f{{1024, 768}, true};
};

TEST(NothingBreaks, ALevelStartShowsTheCompanyNameInFrontThenTheLevelsText) {
    for (const flowtest::LevelChoice& start : flowtest::kLevelChoices) {
        SCOPED_TRACE(start.name);
        AtTheTitle t;
        std::vector<std::string>& calls = t.f.h.sound->calls;
        calls.clear();
        // The pictures a read reloads hand the music back as the game's do.
        GetWorldImageHooks().resume_music = [] { g_pSound->ResumeMusic(); };
        const LevelPictureHooks loaders = std::exchange(GetLevelPictureHooks(), {});
        InstallLevelPictureLoaders();
        start.choose(t.f);
        GetWorldImageHooks().resume_music = nullptr;
        GetLevelPictureHooks() = loaders;
        // From the title's end to the text's pause, only the trees' picture
        // may hand the music back: the level's read does not.
        const auto paused = std::find(calls.begin(), calls.end(), "PauseMusic");
        const auto title_gone = std::find(calls.begin(), paused, "StopMusic");
        EXPECT_LE(std::count(title_gone, paused, "ResumeMusic"), 1);
        ASSERT_NE(t.Popup(PanelPopup::CompanyName), nullptr);
        ASSERT_NE(t.Popup(start.text), nullptr);
        EXPECT_TRUE(t.Shown(PanelPopup::CompanyName));
        EXPECT_EQ(t.Shown(start.text), start.text_shown_under_name);
        t.NameTheCompany();
        EXPECT_EQ(t.Popup(PanelPopup::CompanyName), nullptr);
        EXPECT_STREQ(t.f.gs().company_names[0], "First Light");
        EXPECT_TRUE(t.Shown(start.text));
        // Its OK clicked: a briefing shown from the start never took the keys.
        auto* text = dynamic_cast<FlowPopup*>(t.Popup(start.text));
        ASSERT_TRUE(text != nullptr && !text->buttons.empty());
        const plat::Rect ok = text->buttons[0]->GetWindowRect();
        t.f.Click((ok.left + ok.right) / 2, (ok.top + ok.bottom) / 2);
        EXPECT_EQ(t.Popup(start.text), nullptr);
        EXPECT_EQ(std::tuple(t.f.gs().screen_open, t.f.gs().sim_halted), std::tuple(0, 0));
    }
}

TEST(NothingBreaks, AnAssignmentsTextShowsNoEmptyButtonSlot) {
    AtTheTitle t;
    ASSERT_NO_FATAL_FAILURE(flowtest::ChooseAnEasyCareer(t.f));
    t.NameTheCompany();
    auto* text = dynamic_cast<FlowPopup*>(t.Popup(PanelPopup::AssignmentText));
    ASSERT_NE(text, nullptr);
    ASSERT_TRUE(text->IsWindowVisible());
    // At a start only OK is offered (the restart is for the goal's reading).
    ASSERT_EQ(text->buttons.size(), 1u);
    const plat::Rect ok = text->buttons[0]->GetWindowRect();
    // Where the second button would stand, left of OK, the picture is the
    // plain ground it stands on: no recess waiting for a button.
    const plat::Rect popup = text->GetWindowRect();
    const plat::Surface& screen = plat::ComposeScreen();
    const int32_t left = popup.left + 1 + 44 - 4;
    const int32_t top = ok.top - 4;
    const uint8_t ground = screen.Row(top - 4)[left];
    int32_t other = 0;
    for (int32_t y = top; y < ok.bottom + 4; ++y) {
        for (int32_t x = left; x < left + 108 + 8; ++x) other += screen.Row(y)[x] != ground;
    }
    EXPECT_EQ(other, 0);
}

}  // namespace
