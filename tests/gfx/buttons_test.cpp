// The image button's press, drag and release rules on the headless back end.

#include "gfx/buttons.h"

#include <gtest/gtest.h>

#include "gfx/wing_bitmap.h"
#include "gfx_host.h"
#include "platform/input.h"
#include "platform/message_queue.h"
#include "platform/test_window.h"

namespace {

constexpr uint32_t kCommand = 40186;
constexpr uint8_t kNormalInk = 1;
constexpr uint8_t kPressedInk = 2;

class ButtonTest : public ::testing::Test {
  protected:
    void SetUp() override {
        RgbQuad colours[256] = {};
        sheet.Create(colours, 108, 80);
        sheet.FillRect(0, 0, 108, 40, kNormalInk);
        sheet.FillRect(0, 40, 108, 40, kPressedInk);
        parent.Create(nullptr, {100, 100, 500, 400}, WS_POPUP | WS_VISIBLE);
        ASSERT_TRUE(button->Create(
            {.x = 10, .y = 20, .command = kCommand, .width = 108, .height = 40, .pressed = {0, 40}},
            &parent, sheet, plat::StockDefaultPalette()));
        host.host.RunUntilIdle();
    }
    void TearDown() override { delete button; }

    // Moves to client point (x, y) of the button.
    void Move(int32_t x, int32_t y) {
        host.host.InjectMouseMove({110 + x, 120 + y});
        host.host.RunUntilIdle();
    }
    void Press(bool down = true) {
        host.host.InjectMouseButton(plat::MouseButton::Left, down);
        host.host.RunUntilIdle();
    }
    void Release() { Press(false); }
    size_t Commands() { return parent.Count(WM_COMMAND); }
    uint8_t Shown() { return button->GetSurface().Row(5)[5]; }

    gfxtest::GfxHost host;
    WinGBitmap sheet;
    plat_test::TestWindow parent;
    BUTTONS* button = new BUTTONS;
};

// A command is posted once, at a release inside (the right and bottom edges
// count as inside); pressed, moved out and released: nothing. A double
// click fires once; moves with Shift held are ignored.
TEST_F(ButtonTest, FiresOnceAtAReleaseInside) {
    Move(50, 20);
    Press();
    EXPECT_EQ(Shown(), kPressedInk);
    EXPECT_EQ(plat::GetCapture(), button);
    Move(150, 20);  // outside, still captured
    EXPECT_EQ(Shown(), kNormalInk);
    Release();
    EXPECT_EQ(Commands(), 0u);
    EXPECT_EQ(plat::GetCapture(), nullptr);

    host.host.AdvanceClock(1000);
    Move(50, 20);
    Press();
    Move(108, 40);  // one past the last pixel: still inside
    EXPECT_EQ(Shown(), kPressedInk);
    Release();
    EXPECT_EQ(Commands(), 1u);
    EXPECT_EQ(parent.Last(WM_COMMAND)->wParam, kCommand);
    EXPECT_EQ(Shown(), kNormalInk);
    Press();  // arrives as a double click: ignored
    Release();
    EXPECT_EQ(Commands(), 1u);

    host.host.AdvanceClock(1000);
    Move(50, 20);
    Press();
    host.host.InjectKey(VK_SHIFT, true);
    Move(150, 20);  // outside, but with Shift: nothing changes
    EXPECT_EQ(Shown(), kPressedInk);
    host.host.InjectKey(VK_SHIFT, false);
    Move(50, 20);
    Release();
    EXPECT_EQ(host.host.Recorder().Count(plat::MessageTrace::Kind::Posted, &parent, WM_COMMAND),
              2u);
}

// Mode 1 fires at the press, or when dragged onto with the button down.
TEST_F(ButtonTest, ModeOneFiresAtThePressAndTheOwnerShowsItPressed) {
    button->mode = 1;
    Move(50, 20);
    Press();
    EXPECT_EQ(Commands(), 1u);
    EXPECT_EQ(button->state, 1);
    Move(60, 25);
    Release();
    EXPECT_EQ(Commands(), 1u);
    EXPECT_EQ(button->state, 0);

    host.host.AdvanceClock(1000);  // no double click
    Move(200, 100);                // on the parent, beside the button
    Press();
    Move(50, 20);
    Move(55, 20);
    EXPECT_EQ(Commands(), 2u);
    Release();

    // The owner can show it pressed without firing; a press clears state 2.
    button->mode = 0;
    button->state = 1;
    button->Redraw();
    EXPECT_EQ(Shown(), kPressedInk);
    EXPECT_EQ(Commands(), 2u);
    button->state = 2;
    host.host.AdvanceClock(1000);
    Press();
    EXPECT_EQ(button->state, 0);
    Release();
    EXPECT_EQ(Commands(), 3u);
}

}  // namespace
