// The generation-progress screen on the headless back end: lamps, caption
// and bar as the generator sets them, a stored hash of the whole screen, and
// the open and close messages of the main frame.

#include "world/gen_progress_screen.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "cities/city_manager.h"
#include "platform/compositor.h"
#include "platform/message_box.h"
#include "screen_fixture.h"
#include "state/game_state.h"

namespace worldgen {
namespace {

// The 320 x 200 picture lies in the middle of the 800 x 600 screen.
constexpr int32_t kOx = 240;
constexpr int32_t kOy = 200;
constexpr uint8_t kCaptionInk = 10;  // the main font's text colour

class GenProgressScreen : public ScreenTest {
  protected:
    FS_GEN_FORTSCHRITT& Open() {
        FS_GEN_FORTSCHRITT* screen = OpenGenProgress(frame_);
        EXPECT_NE(screen, nullptr);
        host_.host.RunUntilIdle();
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

TEST_F(GenProgressScreen, OpensOnceOverTheScreenWithTheTiledBackground) {
    FS_GEN_FORTSCHRITT& s = Open();
    EXPECT_EQ(g_pGenProgressScreen, &s);
    EXPECT_EQ(OpenGenProgress(frame_), &s);  // a second open changes nothing
    EXPECT_TRUE(s.IsWindowVisible());
    EXPECT_EQ(s.GetWindowRect(), (plat::Rect{0, 0, 800, 600}));
    EXPECT_EQ(s.origin_x, kOx);
    EXPECT_EQ(s.origin_y, kOy);
    EXPECT_EQ(s.lamp_rects[3], (plat::Rect{kOx + 164, kOy + 135, kOx + 180, kOy + 151}));
    EXPECT_STREQ(s.captions[3], "Generating industries");
    EXPECT_EQ(Pixel(s, 5, 5), kTileInk);
    EXPECT_EQ(Pixel(s, kOx + 5, kOy + 5), kPictureInk);
    // The paint turned a total of 0 into 1; no stage is lit, the bar empty.
    EXPECT_EQ(s.total, 1);
    for (int32_t stage = 0; stage < 4; ++stage) EXPECT_EQ(Lamp(s, stage), kUnlitLampInk);
    EXPECT_EQ(BarWidth(s), 0);
}

TEST_F(GenProgressScreen, LampsCaptionAndBarFollowTheGenerator) {
    FS_GEN_FORTSCHRITT& s = Open();
    GenProgressStage(0, 8);
    GenProgressStep();
    EXPECT_EQ(BarWidth(s), 25);
    GenProgressStageDone(0);
    EXPECT_EQ(Lamp(s, 0), kLitLampInk);
    EXPECT_EQ(Lamp(s, 1), kUnlitLampInk);

    GenProgressStage(2, 3);
    EXPECT_EQ(s.current, 0);
    EXPECT_EQ(BarWidth(s), 0);
    GenProgressStep();
    EXPECT_EQ(BarWidth(s), 66);  // 200 / 3, truncated
    GenProgressStep();
    GenProgressStep();
    EXPECT_EQ(BarWidth(s), 200);
    GenProgressStep();  // more steps than the total: the bar grows on, clipped
    EXPECT_EQ(BarWidth(s), 266);
    for (int32_t n = 0; n < 10; ++n) GenProgressStep();
    EXPECT_EQ(Pixel(s, kOx + 319, kOy + 85), 195);
    EXPECT_EQ(Pixel(s, kOx + 320, kOy + 85), kTileInk);  // nothing beyond the picture

    // A total of 0 (or less) counts as 1.
    GenProgressStage(3, 0);
    EXPECT_EQ(s.total, 1);
    s.total = 0;
    s.current = 1;
    s.UpdateProgress();
    EXPECT_EQ(BarWidth(s), 200);

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
    if (const char* folder = std::getenv("FV_GOLDEN_PNG")) {
        plat::SaveScreenPng(std::string(folder) + "/gen_progress.png");
    }
    EXPECT_EQ(SurfaceHash(s), 0xcc0ecc4741850753ull) << std::hex << SurfaceHash(s);
}

TEST_F(GenProgressScreen, CloseBlackensHidesAndDeletes) {
    // While the screen is open the cities make no traffic cars.
    CCityManager cities;
    g_pCityManager = &cities;
    FS_GEN_FORTSCHRITT& s = Open();
    EXPECT_EQ(cities.traffic_held, 1);
    const plat::Window* screen = &s;
    CloseGenProgress();
    EXPECT_EQ(g_pGenProgressScreen, nullptr);
    EXPECT_FALSE(plat::IsWindow(screen));
    EXPECT_EQ(cities.traffic_held, 0);
    g_pCityManager = nullptr;
    CloseGenProgress();  // nothing left to close

    // The frame's messages open and close it.
    frame_->SendMessage(kMsgOpenGenProgress);
    ASSERT_NE(g_pGenProgressScreen, nullptr);
    FS_GEN_FORTSCHRITT& again = *g_pGenProgressScreen;
    again.SendMessage(WM_COMMAND, kCmdProdOk, 0);
    EXPECT_FALSE(again.IsWindowVisible());
    EXPECT_EQ(Pixel(again, 5, 5), 0);  // blackened
    frame_->SendMessage(kMsgGenProgressDone);
    EXPECT_EQ(g_pGenProgressScreen, nullptr);
}

TEST_F(GenProgressScreen, WithoutItsPicturesTheScreenStaysBlankButWorks) {
    std::filesystem::remove(std::filesystem::path(folder_) / "scr_42.jgd");
    host_.host.QueueMessageBoxAnswer(IDCANCEL);
    FS_GEN_FORTSCHRITT& s = Open();
    GenProgressStage(1, 5);
    GenProgressStep();
    GenProgressStageDone(1);
    EXPECT_EQ(s.current, 1);
    EXPECT_EQ(s.stage_done[1], 1);
}

}  // namespace
}  // namespace worldgen
