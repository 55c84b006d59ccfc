// The start-up logos: where they stand on each screen size, how long they
// stay (16-bit milliseconds since their last paint) and what ends them.

#include <gtest/gtest.h>

#include "app/app_globals.h"
#include "platform/compositor.h"
#include "screens/flow/logo_screen.h"
#include "state/game_state.h"
#include "state/messages.h"
#include "support/frame_host.h"

namespace {

using fvtest::FrameHost;

constexpr uint32_t kLogoTimer = 1105;

FS_LOGO* OpenLogo(FrameHost& h, int32_t index) {
    // The frame's flags as they stand when this logo is due.
    g_LogoShown[0] = 1;
    g_LogoShown[1] = index;
    h.frame->SendMessage(kMsgOpenLogo, index);
    return dynamic_cast<FS_LOGO*>(h.frame->Screen(FrameScreen::Logo));
}

// A timer tick of the logo at the given clock value; true while it stays.
bool TickAt(FrameHost& h, FS_LOGO* logo, uint32_t time) {
    h.host.SetClock(time);
    logo->SendMessage(WM_TIMER, kLogoTimer);
    return h.frame->Screen(FrameScreen::Logo) == logo;
}

TEST(LogoTest, PlacesByScreenSize) {
    struct Case {
        plat::Size screen;
        plat::Point logo0, logo1;
    };
    for (const Case& c :
         {Case{{640, 480}, {0, 0}, {0, 0}}, Case{{800, 600}, {225, 229}, {240, 251}},
          Case{{1024, 768}, {337, 313}, {352, 335}}}) {
        FrameHost h(c.screen);
        for (int32_t index : {0, 1}) {
            FS_LOGO* logo = OpenLogo(h, index);
            ASSERT_NE(logo, nullptr);
            const plat::Point at = index == 0 ? c.logo0 : c.logo1;
            EXPECT_EQ(logo->origin_x, at.x) << c.screen.width;
            EXPECT_EQ(logo->origin_y, at.y) << c.screen.width;
            // The picture's top-left pixel on a black screen.
            EXPECT_EQ(plat::ScreenPixel(at.x, at.y), logo->picture.pixels[0]);
            EXPECT_NE(plat::ScreenPixel(at.x, at.y), 0);
            EXPECT_EQ(plat::ScreenPixel(c.screen.width - 1, c.screen.height - 1), 0);
            h.frame->SendMessage(kMsgLogoDone);
        }
    }
}

TEST(LogoTest, SixteenBitClockWrapsAndARepaintRestartsTheTime) {
    FrameHost h;
    const uint32_t start = 5 * 65536 - 1000;  // low 16 bits 64536
    h.host.SetClock(start);
    FS_LOGO* logo = OpenLogo(h, 0);
    EXPECT_TRUE(TickAt(h, logo, start + 4000));
    EXPECT_EQ(logo->now, 3000);
    EXPECT_FALSE(TickAt(h, logo, start + 4001));
    // What follows is logo 1.
    logo = dynamic_cast<FS_LOGO*>(h.frame->Screen(FrameScreen::Logo));
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->logo_index, 1);
    h.host.SetClock(start + 5000);
    logo->Invalidate();
    logo->UpdateWindow();  // painted again: logo 1 stays 3 s from here
    EXPECT_TRUE(TickAt(h, logo, start + 8000));
    EXPECT_FALSE(TickAt(h, logo, start + 8001));
}

TEST(LogoTest, EscapeEndsItOtherKeysAndClicksDoNot) {
    FrameHost h;
    FS_LOGO* logo = OpenLogo(h, 0);
    h.host.InjectClick({500, 400});
    h.host.InjectClick({10, 10}, plat::MouseButton::Right);
    h.host.InjectKeyPress(VK_RETURN);
    h.host.InjectKeyPress('X');
    h.host.InjectChar('e');
    h.Run();
    EXPECT_EQ(h.frame->Screen(FrameScreen::Logo), logo);
    h.host.InjectKeyPress(VK_ESCAPE);
    h.Run();
    auto* next = dynamic_cast<FS_LOGO*>(h.frame->Screen(FrameScreen::Logo));
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->logo_index, 1);
    h.host.InjectKeyPress(VK_ESCAPE);
    h.Run();
    EXPECT_EQ(h.frame->Screen(FrameScreen::Logo), nullptr);
    EXPECT_NE(h.frame->Screen(FrameScreen::Start), nullptr);
}

}  // namespace
