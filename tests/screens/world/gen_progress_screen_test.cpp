// The generation-progress screen, drawn from plain-colour pictures.

#include "screens/world/gen_progress_screen.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "cities/city_manager.h"
#include "dib_writer.h"
#include "gfx/font_tables.h"
#include "gfx/gfx_host.h"
#include "state/messages.h"
#include "support/fnv_hash.h"
#include "support/frame_host.h"

namespace worldgen {
namespace {

// Colours of the synthetic pictures; the 320 x 200 picture's place.
constexpr uint8_t kTileInk = 7, kPictureInk = 3, kLitLampInk = 200, kUnlitLampInk = 100;
constexpr uint8_t kGlyphInk = 9;
constexpr int32_t kOx = 240, kOy = 200;

// The progress screen's requests, answered as the main frame does.
class ProgressFrame : public gfxtest::FrameWindow {
  public:
    plat::Window* progress = nullptr;  // the open progress screen
    void CloseProgress() {
        if (progress != nullptr) kGenProgressScreenEntry.before_delete(*this, progress, 0, 0);
        delete std::exchange(progress, nullptr);
    }

  protected:
    plat::LResult OnMessage(uint32_t message, plat::WParam w, plat::LParam l) override {
        if (message == kMsgOpenGenProgress && progress == nullptr) {
            progress = kGenProgressScreenEntry.open(*this, w, l);
        }
        if (message == kMsgGenProgressDone) CloseProgress();
        if (message == kMsgOpenGenProgress || message == kMsgGenProgressDone) return 0;
        return FrameWindow::OnMessage(message, w, l);
    }
};

class GenProgressScreen : public ::testing::Test {
  protected:
    GenProgressScreen() {
        CGameState& gs = game_.state();
        for (auto& path : gs.data_paths) {
            std::snprintf(path, kDataPathLength, "%s", folder_.Path().c_str());
        }
        std::tie(gs.install_index, gs.screen_width, gs.screen_height) = std::tuple(0, 800, 600);
        // Font 1: every glyph a frame of its advance width, so that text shows.
        standin::Canvas glyphs(kFont1Cell, kFont1Cell * 98);
        for (int g = 0; g < 98; ++g) {
            const int w = std::max<int>(kFont1Advances[size_t(g)] - 1, 1);
            glyphs.FrameRect(0, g * kFont1Cell + 2, w, kFont1Cell - 4, kGlyphInk);
        }
        // The lamp sheet: lit lamp at x 0, unlit at x 16, discs on colour 0.
        standin::Canvas lamps(32, 16);
        lamps.FillEllipse(8, 8, 6, 6, kLitLampInk);
        lamps.FillEllipse(24, 8, 6, 6, kUnlitLampInk);
        WritePicture("font_1.jgd", glyphs);
        WritePicture("tile.jgd", standin::Canvas(100, 100, kTileInk));
        WritePicture("scr_42.jgd", standin::Canvas(320, 200, kPictureInk));
        WritePicture("scb_42.jgd", lamps);
        gs.images.main_font.Load(folder_.Path() + "\\font_1.jgd", nullptr, 1);
        gs.images.tile.LoadJgd(folder_.Path() + "\\tile.jgd");
        frame_ = new ProgressFrame;
        frame_->Create(nullptr, {0, 0, 800, 600}, WS_POPUP | WS_VISIBLE);
        host_.host.RunUntilIdle();
    }
    ~GenProgressScreen() override {
        frame_->CloseProgress();
        delete frame_;
        host_.host.RunUntilIdle();
    }
    void WritePicture(const std::string& name, const standin::Canvas& picture) {
        const std::vector<uint8_t> bytes = standin::EncodeDib(picture);
        folder_.Write(name, std::string(bytes.begin(), bytes.end()));
    }
    static uint8_t Pixel(plat::Window& window, int32_t x, int32_t y) {
        return window.GetSurface().Row(y)[x];
    }
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

    gfxtest::GfxHost host_;
    ProgressFrame* frame_ = nullptr;
    fvtest::GameScope game_;
    fvtest::TempFolder folder_;
};

TEST_F(GenProgressScreen, OpenReceivesTheReportsAndHoldsTrafficUntilClosed) {
    CCityManager cities;
    g_pCityManager = &cities;
    FS_GEN_FORTSCHRITT& s = Open();
    EXPECT_EQ(&Progress(), static_cast<ProgressEvents*>(&s));
    // The paint turned a total of 0 into 1.
    EXPECT_EQ(
        std::tuple(cities.traffic_held, s.IsWindowVisible(), std::string(s.captions[3]), s.total),
        std::tuple(1, true, "Generating industries", 1));
    // Closing: command OK blackens and hides it, then it is deleted.
    s.SendMessage(WM_COMMAND, kCmdOk, 0);
    EXPECT_EQ(std::tuple(s.IsWindowVisible(), Pixel(s, 5, 5)), std::tuple(false, 0));
    frame_->SendMessage(kMsgGenProgressDone);
    EXPECT_EQ(std::tuple(frame_->progress, dynamic_cast<GenerationProgress*>(&Progress()),
                         cities.traffic_held),
              std::tuple(nullptr, nullptr, 0));
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
        EXPECT_EQ(Lamp(s, std::max(r.lit, 0)), r.lit >= 0 ? kLitLampInk : kUnlitLampInk);
    }
    EXPECT_EQ(Lamp(s, 3), kUnlitLampInk);
    for (int32_t n = 0; n < 10; ++n) Progress().Step();
    EXPECT_EQ(Pixel(s, kOx + 319, kOy + 85), 195);
    EXPECT_EQ(Pixel(s, kOx + 320, kOy + 85), kTileInk);  // nothing beyond the picture
}

TEST_F(GenProgressScreen, ScreenMatchesItsStoredPicture) {
    FS_GEN_FORTSCHRITT& s = Open();
    std::tie(s.stage_done[0], s.stage_done[2], s.stage, s.total, s.current) =
        std::tuple(1, 1, 1, 7, 3);
    s.SendMessage(WM_PAINT);  // lamps, the running stage's caption and bar
    // Change it only after looking at the screen (FV_GOLDEN_PNG saves it).
    fvtest::MaybeSaveScreen("gen_progress");
    const plat::Surface& surface = s.GetSurface();
    const uint64_t hash = fvtest::PictureHash(surface.width, surface.height,
                                              [&](int32_t y) { return surface.Row(y); });
    EXPECT_EQ(hash, 0xcc0ecc4741850753ull) << std::hex << hash;
}

TEST_F(GenProgressScreen, WithoutItsPicturesTheScreenStaysBlankButWorks) {
    std::filesystem::remove(folder_.Path() + "/scr_42.jgd");
    host_.host.QueueMessageBoxAnswer(IDCANCEL);
    FS_GEN_FORTSCHRITT& s = Open();
    Progress().Stage(1, 5);
    Progress().Step();
    Progress().StageDone(1);
    EXPECT_EQ(std::tuple(s.current, s.stage_done[1]), std::tuple(1, 1));
}

}  // namespace
}  // namespace worldgen
