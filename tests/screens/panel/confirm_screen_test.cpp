// The yes/no questions: Enter answers exactly as OK, other keys do nothing,
// the editor's end question has its own picture, the cursor is kept inside
// and freed before the answer, and the receiver may delete the screen while
// it handles the answer.

#include "screens/panel/confirm_screen.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/test_window.h"
#include "screens/panel/dialog_layout.h"
#include "state/messages.h"
#include "support/dialog_game.h"
#include "support/fnv_hash.h"

namespace {

namespace dl = dialog_layout;

class ConfirmScreens : public fvtest::DialogGame {
  protected:
    ConfirmScreens() { target.Create(nullptr, {0, 0, 10, 10}, WS_POPUP); }
    ~ConfirmScreens() override { target.DestroyWindow(); }
    FS_CONFIRM* Make(ConfirmKind kind) {
        auto* screen = new FS_CONFIRM(kind);
        EXPECT_TRUE(screen->Create(&Panel(), &target, View().GetWindowRect()));
        h.Run();
        return screen;
    }
    using Answer = std::tuple<uint32_t, plat::WParam, plat::LParam>;
    std::vector<Answer> Answers() const {
        std::vector<Answer> out;
        for (const auto& l : target.log) {
            if (l.message >= WM_USER) out.emplace_back(l.message, l.wParam, l.lParam);
        }
        return out;
    }
    plat_test::TestWindow target;
};

TEST_F(ConfirmScreens, EnterAnswersExactlyAsOkAndOtherKeysDoNothing) {
    const std::pair<ConfirmKind, uint32_t> kinds[] = {
        {ConfirmKind::Overwrite, kMsgOverwriteAnswer},
        {ConfirmKind::Leave, kMsgPanelLeaveDone},
        {ConfirmKind::NextLevel, kMsgPanelNextLevelDone},
        {ConfirmKind::End, kMsgPanelEndConfirmDone},
        {ConfirmKind::Demolish, kMsgPanelDemolitionDone}};
    for (const auto& [kind, answer] : kinds) {
        std::unique_ptr<FS_CONFIRM> screen(Make(kind));
        target.log.clear();
        ClickAt(screen.get(), {dl::kConfirmOk.x + 50, dl::kConfirmOk.y + 20});
        const auto by_click = Answers();
        ASSERT_EQ(by_click.size(), 1u);
        EXPECT_EQ(by_click[0], Answer(answer, 0, 0));
        screen.reset(Make(kind));
        target.log.clear();
        Key(VK_ESCAPE, 27);
        Type("y ");
        EXPECT_TRUE(Answers().empty());
        Key(VK_RETURN, 13);
        EXPECT_EQ(Answers().size(), 1u);
        EXPECT_EQ(Answers(), by_click);
        EXPECT_EQ(screen->buttons[0]->state, 1);  // OK shown pressed
        // Cancel answers no.
        target.log.clear();
        ClickAt(screen.get(), {dl::kConfirmCancel.x + 50, dl::kConfirmCancel.y + 20});
        ASSERT_EQ(Answers().size(), 1u);
        EXPECT_EQ(Answers()[0], Answer(answer, 0, 1));
    }
}

TEST_F(ConfirmScreens, TheEditorsEndQuestionHasItsOwnPicture) {
    for (const int32_t mode : {kModeGame, kModeEditor, kModeCareer, kModeMission}) {
        gs.game_mode = mode;
        std::unique_ptr<FS_CONFIRM> screen(Make(ConfirmKind::End));
        EXPECT_EQ(screen->Picture(), mode == kModeEditor ? 48 : 32);
        EXPECT_EQ(std::tuple(screen->width, screen->height),
                  std::tuple(dl::kConfirmWidth, dl::kConfirmHeight));
    }
}

TEST_F(ConfirmScreens, CentredOverTheViewWithTheCursorKeptInsideUntilTheAnswer) {
    FS_CONFIRM* screen = Make(ConfirmKind::Leave);
    const plat::Rect view = View().GetWindowRect();
    const plat::Rect r = screen->GetWindowRect();
    EXPECT_EQ(
        r, (plat::Rect{view.left + (view.Width() - 272) / 2, view.top + (view.Height() - 200) / 2,
                       view.left + (view.Width() - 272) / 2 + 274,
                       view.top + (view.Height() - 200) / 2 + 202}));
    plat::Rect clip;
    ASSERT_TRUE(plat::GetClipCursor(&clip));
    EXPECT_EQ(clip, r);
    h.host.InjectMouseMove({0, 0});
    h.Run();
    EXPECT_TRUE(r.Contains(plat::GetCursorPos()));
    // The receiver finds the cursor free and deletes the screen at once.
    bool free_at_answer = false;
    target.On(kMsgPanelLeaveDone, [&](plat::WParam, plat::LParam) {
        free_at_answer = !plat::GetClipCursor(&clip);
        EXPECT_TRUE(plat::IsWindow(screen));  // sent while it still exists
        delete screen;
        return plat::LResult{0};
    });
    Key(VK_RETURN, 13);
    EXPECT_TRUE(free_at_answer);
    EXPECT_EQ(target.Count(kMsgPanelLeaveDone), 1u);
    h.Run();
}

TEST_F(ConfirmScreens, ThePanelsEndQuestionNoKeepsTheGame) {
    Panel().SendMessage(kMsgPanelOpenEndConfirm);
    h.Run();
    auto* screen = dynamic_cast<FS_CONFIRM*>(Open(PanelPopup::EndConfirm));
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(std::tuple(gs.sim_halted, gs.screen_open), std::tuple(1, 1));
    const uint64_t shown = fvtest::ScreenHash(800, 600);
    fvtest::MaybeSaveScreen("confirm_end");
    ClickAt(screen, {dl::kConfirmCancel.x + 10, dl::kConfirmCancel.y + 10});
    EXPECT_EQ(Open(PanelPopup::EndConfirm), nullptr);
    EXPECT_EQ(std::tuple(gs.sim_halted, gs.screen_open), std::tuple(0, 0));
    EXPECT_NE(g_pSpielFeld, nullptr);  // still in the game
    EXPECT_NE(fvtest::ScreenHash(800, 600), shown);
}

}  // namespace
