#include "screen_fixture.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <utility>

#include <unistd.h>

#include "dib_writer.h"
#include "gfx/font_tables.h"
#include "screens/world/gen_progress_screen.h"
#include "state/game_state.h"
#include "state/messages.h"
#include "support/fnv_hash.h"

namespace worldgen {
namespace {

// Font 1: every glyph a frame of its advance width, so that text shows.
standin::Canvas GlyphStrip() {
    constexpr int kGlyphs = 98;
    standin::Canvas c(kFont1Cell, kFont1Cell * kGlyphs);
    for (int g = 0; g < kGlyphs; ++g) {
        const int w = std::max<int>(kFont1Advances[size_t(g)] - 1, 1);
        c.FrameRect(0, g * kFont1Cell + 2, w, kFont1Cell - 4, kGlyphInk);
    }
    return c;
}

// The lamp sheet: lit lamp at x 0, unlit at x 16, each a disc on colour 0.
standin::Canvas LampSheet() {
    standin::Canvas c(32, 16);
    c.FillEllipse(8, 8, 6, 6, kLitLampInk);
    c.FillEllipse(24, 8, 6, 6, kUnlitLampInk);
    return c;
}

}  // namespace

// The progress screen's requests, answered as the main frame does.
plat::LResult ProgressFrame::OnMessage(uint32_t message, plat::WParam w, plat::LParam l) {
    if (message == kMsgOpenGenProgress) {
        if (progress == nullptr) progress = kGenProgressScreenEntry.open(*this, w, l);
        return 0;
    }
    if (message == kMsgGenProgressDone) {
        CloseProgress();
        return 0;
    }
    return FrameWindow::OnMessage(message, w, l);
}

void ProgressFrame::CloseProgress() {
    if (progress == nullptr) return;
    kGenProgressScreenEntry.before_delete(*this, progress, 0, 0);
    delete std::exchange(progress, nullptr);
}

ScreenTest::ScreenTest() {
    folder_ = (std::filesystem::temp_directory_path() /
               ("ferrovane-world-screens-" + std::to_string(::getpid())))
                  .string();
    std::filesystem::create_directories(folder_);
    CGameState& gs = game_.state();
    for (auto& path : gs.data_paths) std::snprintf(path, kDataPathLength, "%s", folder_.c_str());
    gs.install_index = 0;
    gs.screen_width = 800;
    gs.screen_height = 600;

    WritePicture("font_1.jgd", GlyphStrip());
    WritePicture("tile.jgd", standin::Canvas(100, 100, kTileInk));
    WritePicture("scr_42.jgd", standin::Canvas(320, 200, kPictureInk));
    WritePicture("scb_42.jgd", LampSheet());
    gs.images.main_font.Load(folder_ + "\\font_1.jgd", nullptr, 1);
    gs.images.tile.LoadJgd(folder_ + "\\tile.jgd");

    frame_ = new ProgressFrame;
    frame_->Create(nullptr, {0, 0, 800, 600}, WS_POPUP | WS_VISIBLE);
    host_.host.RunUntilIdle();
}

ScreenTest::~ScreenTest() {
    frame_->CloseProgress();
    delete frame_;
    host_.host.RunUntilIdle();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

void ScreenTest::WritePicture(const std::string& name, const standin::Canvas& picture) {
    const std::vector<uint8_t> bytes = standin::EncodeDib(picture);
    std::ofstream out(std::filesystem::path(folder_) / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

uint64_t ScreenTest::SurfaceHash(plat::Window& window) {
    const plat::Surface& s = window.GetSurface();
    return fvtest::PictureHash(s.width, s.height, [&](int32_t y) { return s.Row(y); });
}

}  // namespace worldgen
