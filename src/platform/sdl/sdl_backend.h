#pragma once
// The game's back end on SDL: one window captioned "Ferrovane" that shows the
// virtual screen scaled with nearest-neighbour sampling and letterboxed
// (full screen on the desktop, or a resizable window; at 1:1 with SDL's own
// drawing only the changed rectangles are sent to the display), input mapped back to
// virtual-screen coordinates and Windows key numbers, the game's cursors,
// cursor confinement, real message boxes, the millisecond clock and the audio
// device.

#include <SDL.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/music.h"
#include "platform/screen.h"
#include "platform/screen_fit.h"

namespace plat {

class SdlBackend : public Backend {
  public:
    SdlBackend() = default;
    ~SdlBackend() override;
    SdlBackend(const SdlBackend&) = delete;
    SdlBackend& operator=(const SdlBackend&) = delete;

    // Opens the window. False with a one-line reason when there is no
    // display or the window cannot be made.
    bool Start(const LaunchOptions& options, std::string* error);

    // --- Backend ------------------------------------------------------------
    uint32_t Now() override;
    void PumpEvents(InputSink& sink) override;
    void WaitForEvents(uint32_t maxMs) override;
    Size ScreenSize() override { return screen_; }
    int32_t ShowMessageBox(const std::string& text, const std::string& caption,
                           uint32_t flags) override;
    void SetCursorShape(CursorId id, bool visible) override;
    void WarpCursor(Point screen) override;
    void SetCursorClip(const Rect* screenRect) override;
    void Present(const Surface& screen, const uint8_t rgb[256][3],
                 const std::vector<Rect>& changed) override;
    bool OpenAudio(AudioCallback callback) override;
    void CloseAudio() override;
    void LockAudio() override;
    void UnlockAudio() override;
    MusicDevice* Music() override;

  private:
    // --- Picture (sdl_backend.cpp) ---
    void RenderIfDue();
    void Render();
    // At 1:1 with SDL's own drawing: the converted rectangles copied into
    // the window's pixels and only they sent to the display. False when the
    // picture is scaled (or drawn by a graphics card).
    bool RenderDirect();
    void RenderScaled();
    uint32_t MillisecondsUntilRender();
    // Where the screen sits in window coordinates (mouse) and in output
    // pixels (drawing); they differ on high-density displays.
    ScreenFit WindowFit();
    ScreenFit OutputFit();
    void OnWindowResized();
    // After the renderer lost its textures: the texture is made again from
    // the last frame.
    void RebuildTexture();

    // --- Input (sdl_input.cpp) ---
    void HandleEvent(const SDL_Event& event, const SDL_Event* next, bool* nextTaken,
                     InputSink& sink);
    void HandleKey(const SDL_KeyboardEvent& key, const SDL_Event* next, bool* nextTaken,
                   InputSink& sink);
    void HandleText(const char* utf8, uint32_t time, InputSink& sink);
    void MoveTo(int32_t windowX, int32_t windowY, uint32_t time, InputSink& sink);
    void ReleaseEverything(uint32_t time, InputSink& sink);

    // --- Cursor (sdl_cursors.cpp) ---
    SDL_Cursor* CursorFor(CursorId id);
    void FreeCursors();
    void ApplyCursorClip();
    Point ClampToClip(Point screen) const;

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    bool softwareRenderer_ = false;  // SDL draws into the window's own pixels
    Size screen_{1024, 768};
    Size textureSize_{0, 0};
    bool videoStarted_ = false;

    // Presenting at most once per display refresh: a frame that comes
    // sooner waits in `pixels_` until its turn.
    uint32_t refreshMs_ = 16;
    uint32_t lastRender_ = 0;
    bool renderPending_ = false;
    std::vector<uint32_t> pixels_;  // converted frame
    Size pixelsSize_{0, 0};
    // What the window does not show yet: the rectangles of `pixels_`
    // converted since the last render, or all of the window (after a resize,
    // an exposure, a new size or a change between the two ways of drawing).
    std::vector<Rect> unshown_;
    bool wholeWindowDue_ = true;
    bool textureStale_ = true;  // the texture lacks frames drawn directly
    bool shownDirect_ = false;  // the last render went straight to the window's pixels

    // Input state.
    Point cursor_{0, 0};               // virtual screen
    std::map<int, int32_t> keysDown_;  // held keys: host scancode to virtual key
    std::set<MouseButton> buttonsDown_;
    bool warpPending_ = false;  // the next move to warpWindow_ is the warp's own
    Point warpWindow_{0, 0};
    Point warpScreen_{0, 0};

    // Cursor state.
    std::map<CursorId, SDL_Cursor*> cursors_;
    int32_t cursorScale_ = 1;
    CursorId cursorId_ = IDC_ARROW;
    bool cursorVisible_ = true;
    bool clipped_ = false;
    Rect clip_;  // virtual screen

    // Audio.
    SDL_AudioDeviceID audioDevice_ = 0;
    AudioCallback audioCallback_;
    bool audioStarted_ = false;

    // --- Music (created on first use; its mixer opens only when tracks exist) ---
    std::unique_ptr<MusicDevice> music_;
};

}  // namespace plat
