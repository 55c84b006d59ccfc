// The SDL back end: start-up, the window and its picture, the clock, waiting
// and the audio device.

#include "platform/sdl/sdl_backend.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>

#include "platform/host_backend.h"
#include "platform/sdl/sdl_music.h"
#include "platform/sdl/sdl_signals.h"
#include "platform/termination.h"

namespace plat {
namespace {

constexpr const char* kCaption = "Ferrovane";
constexpr uint32_t kDefaultRefreshMs = 16;
constexpr int kAudioFramesPerCallback = 1024;

// The window size for --window: the screen itself, made smaller (keeping its
// shape) when the desktop cannot hold it.
Size WindowedSize(Size screen) {
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0) return screen;
    const int32_t maxWidth = usable.w * 9 / 10;
    const int32_t maxHeight = usable.h * 9 / 10;
    if (screen.width <= maxWidth && screen.height <= maxHeight) return screen;
    const ScreenFit fit = FitScreen({maxWidth, maxHeight}, screen);
    return {std::max(fit.picture.Width(), 320), std::max(fit.picture.Height(), 240)};
}

// The full-screen window is made as large as the desktop from the start, so
// that it covers the screen even where no window manager enlarges it.
Size DesktopSize(Size screen) {
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0 || mode.w <= 0 || mode.h <= 0) return screen;
    return {mode.w, mode.h};
}

bool IsInvisibleDriver(const std::string& driver) {
    return driver == "offscreen" || driver == "dummy" || driver == "evdev";
}

void IgnoreAlsaError(const char* /*file*/, int /*line*/, const char* /*function*/, int /*error*/,
                     const char* /*format*/, ...) {}

// ALSA writes every step of a failed probe to stderr: eight lines when there
// is no sound card. The game says itself, in one line, that it runs without
// sound, so ALSA's own reports are switched off. SDL loads the same shared
// library, and the handler belongs to the library, so it holds for SDL's use
// too; the library stays loaded for the rest of the run.
void SilenceAlsaErrors() {
    static bool done = false;
    if (done) return;
    done = true;
    void* alsa = dlopen("libasound.so.2", RTLD_LAZY | RTLD_LOCAL);
    if (alsa == nullptr) return;  // no ALSA: nothing to silence
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    using SetHandler = int (*)(Handler);
    auto* set = reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler"));
    if (set != nullptr) set(&IgnoreAlsaError);
}

// Once a run, however often the sound is switched on again.
void ReportNoSound(const char* reason) {
    static bool reported = false;
    if (reported) return;
    reported = true;
    std::fprintf(stderr, "ferrovane: no sound device (%s): running without sound\n",
                 reason != nullptr && reason[0] != 0 ? reason : "none found");
}

// Wakes SDL_WaitEventTimeout in the main thread; called from the signal
// watcher's thread.
void WakeEventLoop() {
    SDL_Event wake{};
    wake.type = SDL_USEREVENT;
    SDL_PushEvent(&wake);
}

void AudioTrampoline(void* user, Uint8* stream, int length) {
    auto* callback = static_cast<AudioCallback*>(user);
    const int frames = length / static_cast<int>(2 * sizeof(int16_t));
    if (*callback) {
        (*callback)(reinterpret_cast<int16_t*>(stream), frames);
    } else {
        std::memset(stream, 0, static_cast<size_t>(length));
    }
}

// Whether the renderer just made draws through an OpenGL that runs on the
// processor (its context is current): Mesa's llvmpipe, softpipe or swrast.
bool DrawsWithSoftwareGl() {
    if (SDL_GL_GetCurrentContext() == nullptr) return false;
    using GetString = const unsigned char* (*)(unsigned int);
    auto* get = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    if (get == nullptr) return false;
    constexpr unsigned int kGlRenderer = 0x1F01;
    const unsigned char* name = get(kGlRenderer);
    if (name == nullptr) return false;
    const std::string text(reinterpret_cast<const char*>(name));
    for (const char* soft : {"llvmpipe", "softpipe", "Software Rasterizer", "swrast"}) {
        if (text.find(soft) != std::string::npos) return true;
    }
    return false;
}

}  // namespace

std::unique_ptr<Backend> CreateHostBackend(const LaunchOptions& options, std::string* error) {
    auto backend = std::make_unique<SdlBackend>();
    if (!backend->Start(options, error)) return nullptr;
    return backend;
}

SdlBackend::~SdlBackend() {
    // From here on the signal watcher only records a request: a wake-up it
    // pushed while SDL_Quit frees the video device would use freed memory
    // and corrupt the heap (a rare crash at the end of the program).
    SetTerminationWaker(nullptr);
    music_.reset();  // closes its mixer before SDL goes down
    CloseAudio();
    FreeCursors();
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
    if (videoStarted_) SDL_Quit();
}

bool SdlBackend::Start(const LaunchOptions& options, std::string* error) {
    screen_ = options.screen;
    WatchTerminationSignals();
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    // A click that brings the window to the front is a click in the game too.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // Message boxes take the focus; the full-screen window must stay.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");

    auto fail = [&](const std::string& reason) {
        if (error) *error = "cannot open a display: " + reason;
        return false;
    };
    // Without a display SDL would fall back to drawing into memory, and the
    // game would run unseen. Such drivers count only when asked for by name.
    const bool driverChosen = std::getenv("SDL_VIDEODRIVER") != nullptr;
    if (!driverChosen && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
        return fail("neither DISPLAY nor WAYLAND_DISPLAY is set");
    }
    // With only an X display, try only X: the other drivers' failures would
    // clutter the one line that explains the problem.
    if (!driverChosen && !std::getenv("WAYLAND_DISPLAY")) SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        const char* display = std::getenv("DISPLAY");
        return fail(std::string(SDL_GetError()) +
                    (display ? std::string(" (DISPLAY=") + display + ")" : ""));
    }
    videoStarted_ = true;
    SetTerminationWaker(&WakeEventLoop);
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driverChosen && driver && IsInvisibleDriver(driver)) {
        return fail(std::string("only the invisible video driver \"") + driver + "\" works");
    }

    const Size size = options.windowed ? WindowedSize(screen_) : DesktopSize(screen_);
    const Uint32 flags =
        options.windowed ? Uint32{SDL_WINDOW_RESIZABLE} : Uint32{SDL_WINDOW_FULLSCREEN_DESKTOP};
    window_ = SDL_CreateWindow(kCaption, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, size.width,
                               size.height, flags);
    if (!window_) return fail(std::string("no window: ") + SDL_GetError());
    if (options.windowed) SDL_SetWindowMinimumSize(window_, 320, 240);

    renderer_ = SDL_CreateRenderer(window_, -1, 0);
    if (renderer_ && !std::getenv("SDL_RENDER_DRIVER") && DrawsWithSoftwareGl()) {
        // OpenGL drawn by the processor costs many times what SDL's own
        // drawing into the window's pixels does for the same picture.
        SDL_DestroyRenderer(renderer_);
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        renderer_ = nullptr;
    }
    if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer_) return fail(std::string("cannot draw into the window: ") + SDL_GetError());
    SDL_RendererInfo info;
    softwareRenderer_ =
        SDL_GetRendererInfo(renderer_, &info) == 0 && (info.flags & SDL_RENDERER_SOFTWARE) != 0;

    SDL_DisplayMode mode;
    const int display = SDL_GetWindowDisplayIndex(window_);
    refreshMs_ = kDefaultRefreshMs;
    if (display >= 0 && SDL_GetCurrentDisplayMode(display, &mode) == 0 && mode.refresh_rate > 0) {
        refreshMs_ = std::max(1, 1000 / mode.refresh_rate);
    }

    SDL_StartTextInput();
    int globalX = 0, globalY = 0, windowX = 0, windowY = 0;
    SDL_GetGlobalMouseState(&globalX, &globalY);
    SDL_GetWindowPosition(window_, &windowX, &windowY);
    cursor_ = WindowToScreen(WindowFit(), {globalX - windowX, globalY - windowY});
    SetCursorShape(IDC_ARROW, true);

    renderPending_ = true;  // black until the game draws
    Render();
    return true;
}

uint32_t SdlBackend::Now() {
    return SDL_GetTicks();
}

void SdlBackend::WaitForEvents(uint32_t maxMs) {
    RenderIfDue();
    const uint32_t wait = std::min(maxMs, MillisecondsUntilRender());
    // Returns at once when input is waiting; leaves it in the queue.
    if (wait > 0) SDL_WaitEventTimeout(nullptr, static_cast<int>(std::min<uint32_t>(wait, 1000)));
    RenderIfDue();
}

ScreenFit SdlBackend::WindowFit() {
    int width = 0, height = 0;
    if (window_) SDL_GetWindowSize(window_, &width, &height);
    return FitScreen({width, height}, screen_);
}

ScreenFit SdlBackend::OutputFit() {
    int width = 0, height = 0;
    if (renderer_) SDL_GetRendererOutputSize(renderer_, &width, &height);
    return FitScreen({width, height}, screen_);
}

void SdlBackend::OnWindowResized() {
    ApplyCursorClip();
    const int32_t scale = WholeScale(WindowFit());
    if (scale != cursorScale_) {
        // Cursors are drawn at the size of the screen's pixels.
        FreeCursors();
        cursorScale_ = scale;
        SetCursorShape(cursorId_, cursorVisible_);
    }
    wholeWindowDue_ = true;
    renderPending_ = true;
}

void SdlBackend::Present(const Surface& screen, const uint8_t rgb[256][3],
                         const std::vector<Rect>& changed) {
    if (!renderer_ || screen.width <= 0 || screen.height <= 0) return;
    std::vector<Rect> whole;
    const std::vector<Rect>* parts = &changed;
    if (pixelsSize_ != Size{screen.width, screen.height}) {
        pixelsSize_ = {screen.width, screen.height};
        pixels_.assign(static_cast<size_t>(screen.width) * screen.height, 0xFF000000u);
        whole.push_back({0, 0, screen.width, screen.height});
        parts = &whole;  // the new frame holds nothing yet
        wholeWindowDue_ = true;
        textureStale_ = true;
    }
    uint32_t lookup[256];
    for (int i = 0; i < 256; ++i) {
        lookup[i] = 0xFF000000u | (uint32_t{rgb[i][0]} << 16) | (uint32_t{rgb[i][1]} << 8) |
                    uint32_t{rgb[i][2]};
    }
    // Only the changed rectangles are converted; the render shows them.
    const Rect bounds{0, 0, screen.width, screen.height};
    for (const Rect& part : *parts) {
        const Rect r = Intersect(part, bounds);
        if (r.IsEmpty()) continue;
        for (int y = r.top; y < r.bottom; ++y) {
            const uint8_t* in = screen.Row(y);
            uint32_t* out = pixels_.data() + static_cast<size_t>(y) * screen.width;
            for (int x = r.left; x < r.right; ++x) out[x] = lookup[in[x]];
        }
        unshown_.push_back(r);
    }
    renderPending_ = true;
    RenderIfDue();
}

void SdlBackend::RebuildTexture() {
    if (texture_) SDL_DestroyTexture(texture_);
    texture_ = nullptr;
    textureStale_ = true;
    wholeWindowDue_ = true;
    renderPending_ = true;
}

uint32_t SdlBackend::MillisecondsUntilRender() {
    if (!renderPending_) return std::numeric_limits<uint32_t>::max();
    const uint32_t elapsed = Now() - lastRender_;
    return elapsed >= refreshMs_ ? 0 : refreshMs_ - elapsed;
}

void SdlBackend::RenderIfDue() {
    if (renderPending_ && MillisecondsUntilRender() == 0) Render();
}

void SdlBackend::Render() {
    if (!RenderDirect()) RenderScaled();
    unshown_.clear();
    wholeWindowDue_ = false;
    lastRender_ = Now();
    renderPending_ = false;
}

bool SdlBackend::RenderDirect() {
    // The window's pixels are SDL's own only with its software renderer; a
    // graphics card's renderer must not be mixed with them.
    if (!softwareRenderer_ || pixels_.empty()) return false;
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (surface == nullptr) return false;
    const Rect picture = FitScreen({surface->w, surface->h}, screen_).picture;
    if (picture.Width() != pixelsSize_.width || picture.Height() != pixelsSize_.height) {
        return false;  // scaled
    }
    const bool whole = wholeWindowDue_ || !shownDirect_;
    if (whole) {
        SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
        unshown_.assign(1, {0, 0, pixelsSize_.width, pixelsSize_.height});
    }
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return false;
    const int pitch = pixelsSize_.width * static_cast<int>(sizeof(uint32_t));
    const int bytesPerPixel = surface->format->BytesPerPixel;
    std::vector<SDL_Rect> sent;
    for (const Rect& r : unshown_) {
        const uint32_t* from =
            pixels_.data() + static_cast<size_t>(r.top) * pixelsSize_.width + r.left;
        auto* to = static_cast<uint8_t*>(surface->pixels) +
                   static_cast<ptrdiff_t>(picture.top + r.top) * surface->pitch +
                   static_cast<ptrdiff_t>(picture.left + r.left) * bytesPerPixel;
        SDL_ConvertPixels(r.Width(), r.Height(), SDL_PIXELFORMAT_ARGB8888, from, pitch,
                          surface->format->format, to, surface->pitch);
        sent.push_back({picture.left + r.left, picture.top + r.top, r.Width(), r.Height()});
    }
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    if (whole) {
        SDL_UpdateWindowSurface(window_);
    } else if (!sent.empty()) {
        SDL_UpdateWindowSurfaceRects(window_, sent.data(), static_cast<int>(sent.size()));
    }
    textureStale_ = true;
    shownDirect_ = true;
    return true;
}

void SdlBackend::RenderScaled() {
    if (!pixels_.empty() && (!texture_ || textureSize_ != pixelsSize_)) {
        if (texture_) SDL_DestroyTexture(texture_);
        texture_ =
            SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                              pixelsSize_.width, pixelsSize_.height);
        textureSize_ = texture_ ? pixelsSize_ : Size{0, 0};
        textureStale_ = true;
    }
    if (texture_) {
        const int pitch = pixelsSize_.width * static_cast<int>(sizeof(uint32_t));
        if (textureStale_) unshown_.assign(1, {0, 0, pixelsSize_.width, pixelsSize_.height});
        for (const Rect& r : unshown_) {
            const SDL_Rect area{r.left, r.top, r.Width(), r.Height()};
            SDL_UpdateTexture(
                texture_, &area,
                pixels_.data() + static_cast<size_t>(r.top) * pixelsSize_.width + r.left, pitch);
        }
        textureStale_ = false;
    }
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    if (texture_) {
        const ScreenFit fit = OutputFit();
        const SDL_ScaleMode mode =
            FilterFor(fit) == ScreenFilter::Linear ? SDL_ScaleModeLinear : SDL_ScaleModeNearest;
        SDL_SetTextureScaleMode(texture_, mode);
        const Rect picture = fit.picture;
        const SDL_Rect target{picture.left, picture.top, picture.Width(), picture.Height()};
        SDL_RenderCopy(renderer_, texture_, nullptr, &target);
    }
    SDL_RenderPresent(renderer_);
    shownDirect_ = false;
}

bool SdlBackend::OpenAudio(AudioCallback callback) {
    CloseAudio();
    SilenceAlsaErrors();
    if (!audioStarted_) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            ReportNoSound(SDL_GetError());
            return false;
        }
        audioStarted_ = true;
    }
    audioCallback_ = std::move(callback);
    SDL_AudioSpec wanted{};
    wanted.freq = kAudioRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    wanted.samples = kAudioFramesPerCallback;
    wanted.callback = AudioTrampoline;
    wanted.userdata = &audioCallback_;
    // SDL converts to whatever the device really plays.
    audioDevice_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (audioDevice_ == 0) {
        ReportNoSound(SDL_GetError());
        audioCallback_ = nullptr;
        return false;
    }
    SDL_PauseAudioDevice(audioDevice_, 0);
    return true;
}

void SdlBackend::CloseAudio() {
    if (audioDevice_ != 0) SDL_CloseAudioDevice(audioDevice_);
    audioDevice_ = 0;
    audioCallback_ = nullptr;
}

void SdlBackend::LockAudio() {
    if (audioDevice_ != 0) SDL_LockAudioDevice(audioDevice_);
}

void SdlBackend::UnlockAudio() {
    if (audioDevice_ != 0) SDL_UnlockAudioDevice(audioDevice_);
}

MusicDevice* SdlBackend::Music() {
    if (!music_) music_ = CreateSdlMusicDevice();
    return music_.get();
}

}  // namespace plat
