// The title screen: its place, its ten buttons, and what each button tells
// the main frame (quit posted, every other choice sent after the screen went
// black; continue only when a last game can be opened).

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "app/app_globals.h"
#include "platform/app.h"
#include "platform/compositor.h"
#include "screens/flow/title_screen.h"
#include "screens/world/editor_start_screen.h"
#include "state/game_state.h"
#include "state/messages.h"
#include "support/frame_host.h"

namespace {

using fvtest::FrameHost;
using Kind = plat::MessageTrace::Kind;

struct Button {
    int32_t y, column;
    uint16_t command;
    int32_t choice;
};
constexpr Button kButtons[kTitleButtonCount] = {
    {23, 640, 40166, kChoiceContinue},   {68, 800, 40169, kChoiceLoadGame},
    {113, 480, 40167, kChoiceNewGame},   {158, 0, 40292, kChoiceScenario},
    {203, 160, 40293, kChoiceMission},   {248, 320, 40168, kChoiceCareer},
    {293, 960, 40170, kChoiceEditor},    {338, 1120, 40171, kChoiceHighScores},
    {383, 1440, 40362, kChoiceTutorial}, {428, 1280, 40172, kChoiceQuit},
};

class TitleTest : public ::testing::Test {
  protected:
    void SetUp() override {
        g_LogoShown[0] = g_LogoShown[1] = 1;
        // The title's own entry, extended by a look at the screen at the
        // moment its choice arrives.
        int32_t count = 0;
        const ScreenEntry* table = FrameScreenTable(&count);
        for (int32_t i = 0; i < count; ++i) {
            if (table[i].slot != FrameScreen::Start) continue;
            ScreenEntry entry = table[i];
            entry.before_delete = [](plat::Window&, plat::Window* screen, plat::WParam,
                                     plat::LParam choice) {
                auto* title = static_cast<FS_START*>(screen);
                choices.push_back(static_cast<int32_t>(choice));
                black_when_chosen.push_back(
                    title->GetSurface().Row(title->origin_y + 200)[title->origin_x + 200] == 0);
            };
            h.frame->AddScreen(entry);
        }
        choices.clear();
        black_when_chosen.clear();
        h.frame->SendMessage(kMsgShowStartScreen);
        h.Run();
    }
    FS_START* Title() { return dynamic_cast<FS_START*>(h.frame->Screen(FrameScreen::Start)); }
    void Click(const Button& b) {
        h.host.AdvanceClock(1000);  // no double click
        h.host.InjectClick({192 + 480 + 80, 144 + b.y + 16});
        h.Run();
    }

    static inline std::vector<int32_t> choices;
    static inline std::vector<bool> black_when_chosen;
    FrameHost h;
};

TEST_F(TitleTest, CentredPictureWithTenButtonsDownItsRightEdge) {
    FS_START* title = Title();
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(plat::ScreenPixel(192, 144), title->background.pixels[0]);
    EXPECT_EQ(plat::ScreenPixel(191, 144), 0);
    for (int32_t i = 0; i < kTitleButtonCount; ++i) {
        const Button& b = kButtons[i];
        BUTTONS* button = title->buttons[i].get();
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->GetWindowRect(), (plat::Rect{672, 144 + b.y, 832, 144 + b.y + 32}));
        EXPECT_EQ(button->command_id, b.command);
        // The normal face as the sheet holds it.
        const int32_t stride = title->sheet.Stride();
        EXPECT_EQ(plat::ScreenPixel(672 + 5, 144 + b.y + 5),
                  title->sheet.pixels[size_t(5) * stride + b.column + 5]);
    }
}

TEST_F(TitleTest, QuitIsPostedAndEndsTheProgram) {
    Click(kButtons[9]);
    EXPECT_EQ(h.host.Recorder().Count(Kind::Posted, h.frame, kMsgStartScreenResult), 1u);
    EXPECT_EQ(choices, std::vector<int32_t>{kChoiceQuit});
    EXPECT_EQ(black_when_chosen, std::vector<bool>{false});  // nothing drawn
    EXPECT_FALSE(h.frame->IsWindow());
    EXPECT_TRUE(plat::QuitRequested());
}

TEST_F(TitleTest, EveryOtherChoiceIsSentAfterTheScreenWentBlack) {
    for (int32_t i = 1; i < 9; ++i) {
        // The editor's start screen exists: its back returns to the title.
        if (plat::Window* editor = h.frame->Screen(FrameScreen::EditorStart)) {
            editor->SendMessage(WM_COMMAND, kEditorStartScreenEntry.cancel_command, 0);
        }
        ASSERT_NE(Title(), nullptr);
        Click(kButtons[i]);
    }
    EXPECT_EQ(choices, (std::vector<int32_t>{kChoiceLoadGame, kChoiceNewGame, kChoiceScenario,
                                             kChoiceMission, kChoiceCareer, kChoiceEditor,
                                             kChoiceHighScores, kChoiceTutorial}));
    EXPECT_EQ(black_when_chosen, std::vector<bool>(8, true));
    EXPECT_EQ(h.host.Recorder().Count(Kind::Sent, h.frame, kMsgStartScreenResult), 8u);
    // None of the other screens exists yet: the title is back each time.
    EXPECT_NE(Title(), nullptr);
    EXPECT_EQ(h.gs->screen_open, 1);
}

TEST_F(TitleTest, ContinueNeedsALastGame) {
    Click(kButtons[0]);
    EXPECT_TRUE(choices.empty());
    ASSERT_NE(Title(), nullptr);
    EXPECT_NE(Title()->GetSurface().Row(344)[392], 0);  // not blackened

    h.folder.Write("save/lastsave.lvl", "level");
    Click(kButtons[0]);
    EXPECT_EQ(choices, std::vector<int32_t>{kChoiceContinue});
    EXPECT_EQ(black_when_chosen, std::vector<bool>{true});
}

TEST(TitleSmallScreenTest, ThePictureIsAtTheCorner) {
    FrameHost small({640, 480});
    g_LogoShown[0] = g_LogoShown[1] = 1;
    small.frame->SendMessage(kMsgShowStartScreen);
    auto* title = dynamic_cast<FS_START*>(small.frame->Screen(FrameScreen::Start));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->buttons[0]->GetWindowRect(), (plat::Rect{480, 23, 640, 55}));
}

TEST_F(TitleTest, PaintPlaysTheTitleMusicAndClosingStopsIt) {
    EXPECT_GE(h.sound->Count("PlayTitleMusic"), 1);
    EXPECT_EQ(h.sound->Count("StopMusic"), 0);
    h.frame->DeleteScreen(FrameScreen::Start);
    EXPECT_EQ(h.sound->Count("StopMusic"), 1);
}

}  // namespace
