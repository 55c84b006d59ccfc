// The generation-progress screen: opened and closed by the frame's requests,
// it receives the generator's reports while open and draws lamps, caption and
// bar from them.

#include "screens/world/gen_progress_screen.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "cities/city_manager.h"
#include "screen_fixture.h"
#include "state/game_state.h"
#include "state/messages.h"
#include "state/progress_events.h"
#include "support/frame_host.h"

namespace worldgen {
namespace {

// The 320 x 200 picture lies in the middle of the 800 x 600 screen.
constexpr int32_t kOx = 240;
constexpr int32_t kOy = 200;
constexpr uint8_t kCaptionInk = 10;  // the main font's text colour

class GenProgressScreen : public ScreenTest {
  protected:
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
};

TEST_F(GenProgressScreen, OpenReceivesTheReportsAndHoldsTrafficUntilClosed) {
    CCityManager cities;
    g_pCityManager = &cities;
    FS_GEN_FORTSCHRITT& s = Open();
    EXPECT_EQ(&Progress(), static_cast<ProgressEvents*>(&s));
    EXPECT_EQ(cities.traffic_held, 1);
    EXPECT_TRUE(s.IsWindowVisible());
    EXPECT_STREQ(s.captions[3], "Generating industries");
    EXPECT_EQ(Pixel(s, 5, 5), kTileInk);
    EXPECT_EQ(Pixel(s, kOx + 5, kOy + 5), kPictureInk);
    // The paint turned a total of 0 into 1; no stage is lit, the bar empty.
    EXPECT_EQ(s.total, 1);
    EXPECT_EQ(Lamp(s, 0), kUnlitLampInk);
    EXPECT_EQ(BarWidth(s), 0);

    // Closing: command OK blackens and hides it, then it is deleted.
    s.SendMessage(WM_COMMAND, kCmdOk, 0);
    EXPECT_FALSE(s.IsWindowVisible());
    EXPECT_EQ(Pixel(s, 5, 5), 0);
    frame_->SendMessage(kMsgGenProgressDone);
    EXPECT_EQ(frame_->progress, nullptr);
    EXPECT_EQ(dynamic_cast<GenerationProgress*>(&Progress()), nullptr);
    EXPECT_EQ(cities.traffic_held, 0);
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
        if (r.lit >= 0) {
            EXPECT_EQ(Lamp(s, r.lit), kLitLampInk) << &r - reports;
        }
    }
    EXPECT_EQ(Lamp(s, 3), kUnlitLampInk);
    for (int32_t n = 0; n < 10; ++n) Progress().Step();
    EXPECT_EQ(Pixel(s, kOx + 319, kOy + 85), 195);
    EXPECT_EQ(Pixel(s, kOx + 320, kOy + 85), kTileInk);  // nothing beyond the picture
    // The caption of the running stage in the main font at (56, 52).
    bool ink = false;
    for (int32_t x = 56; x < 80; ++x) ink |= Pixel(s, kOx + x, kOy + 52 + 8) == kCaptionInk;
    EXPECT_TRUE(ink);
}

TEST_F(GenProgressScreen, ScreenMatchesItsStoredPicture) {
    FS_GEN_FORTSCHRITT& s = Open();
    s.stage_done[0] = 1;
    s.stage_done[2] = 1;
    s.stage = 1;
    s.total = 7;
    s.current = 3;
    s.SendMessage(WM_PAINT);
    // Change it only after looking at the screen (set FV_GOLDEN_PNG to a
    // folder to get it as a picture).
    fvtest::MaybeSaveScreen("gen_progress");
    EXPECT_EQ(SurfaceHash(s), 0xcc0ecc4741850753ull) << std::hex << SurfaceHash(s);
}

TEST_F(GenProgressScreen, WithoutItsPicturesTheScreenStaysBlankButWorks) {
    std::filesystem::remove(std::filesystem::path(folder_) / "scr_42.jgd");
    host_.host.QueueMessageBoxAnswer(IDCANCEL);
    FS_GEN_FORTSCHRITT& s = Open();
    Progress().Stage(1, 5);
    Progress().Step();
    Progress().StageDone(1);
    EXPECT_EQ(s.current, 1);
    EXPECT_EQ(s.stage_done[1], 1);
}

}  // namespace
}  // namespace worldgen
