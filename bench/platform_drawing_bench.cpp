// Costs of the drawing and sound layer's hot paths: composing the screen,
// window block copies and mixing the effect channels.

#include <benchmark/benchmark.h>

#include <vector>

#include "platform/compositor.h"
#include "platform/gdi.h"
#include "platform/headless/headless_backend.h"
#include "platform/sound.h"
#include "platform/window.h"

namespace {

// The game screen: the full-screen frame, the world view and a popup.
static void BM_ComposeGameScreen(benchmark::State& state) {
    plat::HeadlessBackend host({1024, 768});
    auto* frame = new plat::Window;
    frame->Create(nullptr, {0, 0, 1024, 768}, WS_POPUP | WS_VISIBLE);
    auto* view = new plat::Window;
    view->Create(frame, {162, 0, 1024, 768}, WS_CHILD | WS_VISIBLE);
    auto* popup = new plat::Window;
    popup->Create(nullptr, {300, 200, 700, 500}, WS_POPUP | WS_BORDER | WS_VISIBLE, WS_EX_TOPMOST);
    for (auto _ : state) benchmark::DoNotOptimize(plat::ComposeScreen().pixels.data());
    delete popup;
    delete view;
    delete frame;
}
BENCHMARK(BM_ComposeGameScreen);

// One full view copy from the composite buffer to the view window.
static void BM_BlitViewToWindow(benchmark::State& state) {
    plat::HeadlessBackend host({1024, 768});
    auto* view = new plat::Window;
    view->Create(nullptr, {162, 0, 1024, 768}, WS_POPUP | WS_VISIBLE);
    plat::DcHandle memory = plat::CreateMemoryDC();
    memory->SelectBitmap(plat::CreateBitmap8(862, 768));
    plat::DcHandle window = plat::GetWindowDC(*view);
    for (auto _ : state) {
        plat::BitBlt(*window, 0, 0, 862, 768, memory.get(), 0, 0, plat::RasterOp::SrcCopy);
    }
    window.reset();
    delete view;
}
BENCHMARK(BM_BlitViewToWindow);

// Six effects playing at once, one audio callback of 1,024 frames.
static void BM_MixSixEffects(benchmark::State& state) {
    plat::HeadlessBackend host;
    plat::SoundDeviceHandle device = plat::SoundDevice::Create();
    plat::WaveFormat format = plat::PcmFormat(1, 11025, 8);
    std::vector<plat::SoundBufferHandle> effects;
    for (int i = 0; i < 6; ++i) {
        effects.push_back(device->CreateBuffer({plat::kSoundBufferStatic, 20000, &format}));
        effects.back()->SetVolume(-800);
        effects.back()->SetPan(i * 1000 - 3000);
        effects.back()->Play(true);
    }
    std::vector<int16_t> out(2048);
    for (auto _ : state) host.RenderAudio(out.data(), 1024);
}
BENCHMARK(BM_MixSixEffects);

}  // namespace
