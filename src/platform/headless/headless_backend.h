#pragma once
// The back end of every test: no window, a fake clock, input injected by the
// test, scripted message-box answers and a record of what the game asked of
// the host (message boxes, cursor, presented screens, audio).
//
//   plat::HeadlessBackend host;           // becomes the current back end
//   auto* w = new MyWindow;
//   w->Create(nullptr, {0, 0, 100, 100}, WS_POPUP | WS_VISIBLE);
//   host.InjectClick({10, 10});
//   host.RunUntilIdle();                  // the click has been handled
//   host.AdvanceClock(100);               // timers due by now fire ...
//   host.RunUntilIdle();                  // ... here
//   delete w;
//
// Constructing it resets the window layer's queue, timers, capture, focus,
// cursor and key state; destroying it resets them again and restores the
// fallback back end. Windows must be destroyed by the test itself.

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/headless/message_recorder.h"

namespace plat {

class HeadlessBackend : public Backend {
  public:
    explicit HeadlessBackend(Size screen = {1024, 768});
    ~HeadlessBackend() override;

    // --- Backend ------------------------------------------------------------
    uint32_t Now() override { return now_; }
    void PumpEvents(InputSink& sink) override;
    void WaitForEvents(uint32_t /*maxMs*/) override {}
    Size ScreenSize() override { return screen_; }
    int32_t ShowMessageBox(const std::string& text, const std::string& caption,
                           uint32_t flags) override;
    void SetCursorShape(CursorId id, bool visible) override;
    void WarpCursor(Point screen) override { warps_.push_back(screen); }
    void SetCursorClip(const Rect* screenRect) override;
    void Present(const Surface& screen, const uint8_t rgb[256][3],
                 const std::vector<Rect>& changed) override;
    bool OpenAudio(AudioCallback callback) override;
    void CloseAudio() override;
    MusicDevice* Music() override { return music_; }

    // --- Clock ----------------------------------------------------------------
    void AdvanceClock(uint32_t ms) { now_ += ms; }
    void SetClock(uint32_t now) { now_ = now; }

    // --- Input (virtual-screen coordinates, stamped with the current clock) ---
    void InjectMouseMove(Point screen);
    void InjectMouseButton(MouseButton button, bool down);
    // Move to the point, press and release.
    void InjectClick(Point screen, MouseButton button = MouseButton::Left);
    void InjectKey(int32_t virtualKey, bool down, uint8_t character = 0);
    // Press and release.
    void InjectKeyPress(int32_t virtualKey, uint8_t character = 0);
    void InjectChar(uint8_t character);
    void InjectCloseRequest();

    // --- Driving the layer -------------------------------------------------------
    // Delivers the injected input and handles every message due at the
    // current clock value (no idle handler).
    void RunUntilIdle();
    // Advances the clock in steps of `stepMs`, running until idle after each.
    void RunFor(uint32_t ms, uint32_t stepMs = 1);

    // --- Message boxes -----------------------------------------------------------
    struct MessageBoxRecord {
        std::string text;
        std::string caption;
        uint32_t flags = 0;
        int32_t answer = 0;
    };
    void QueueMessageBoxAnswer(int32_t answer) { answers_.push_back(answer); }
    const std::vector<MessageBoxRecord>& MessageBoxes() const { return boxes_; }

    // --- Cursor as the host was told -------------------------------------------
    CursorId CursorShape() const { return cursorShape_; }
    bool CursorVisible() const { return cursorVisible_; }
    // False while the cursor is free.
    bool CursorClip(Rect* rect) const;
    const std::vector<Point>& CursorWarps() const { return warps_; }

    // --- Screen ------------------------------------------------------------------
    int PresentCount() const { return presentCount_; }
    const Surface& LastPresentedScreen() const { return lastScreen_; }
    // The rectangles of the last present, and the pixels presented so far
    // (the sum of every present's rectangles).
    const std::vector<Rect>& LastPresentedRects() const { return lastRects_; }
    int64_t PresentedPixels() const { return presentedPixels_; }
    const uint8_t (&LastPresentedPalette() const)[256][3] { return lastPalette_; }

    // --- Audio and music -----------------------------------------------------------
    // Whether OpenAudio succeeds (default true).
    void SetAudioAvailable(bool available) { audioAvailable_ = available; }
    bool AudioOpen() const { return static_cast<bool>(audio_); }
    // Pulls `frameCount` stereo frames from the open audio callback (silence
    // when none is open).
    void RenderAudio(int16_t* stereoFrames, int frameCount);
    void SetMusicDevice(MusicDevice* music) { music_ = music; }

    MessageRecorder& Recorder() { return recorder_; }

  private:
    struct Event {
        enum class Kind { Move, Button, Key, Char, Close } kind = Kind::Move;
        Point point;
        MouseButton button = MouseButton::Left;
        bool down = false;
        int32_t key = 0;
        uint8_t character = 0;
        uint32_t time = 0;
    };

    Size screen_;
    uint32_t now_ = 0;
    std::deque<Event> events_;
    std::deque<int32_t> answers_;
    std::vector<MessageBoxRecord> boxes_;
    CursorId cursorShape_ = IDC_ARROW;
    bool cursorVisible_ = true;
    bool clipped_ = false;
    Rect clip_;
    std::vector<Point> warps_;
    int presentCount_ = 0;
    Surface lastScreen_;
    std::vector<Rect> lastRects_;
    int64_t presentedPixels_ = 0;
    uint8_t lastPalette_[256][3] = {};
    bool audioAvailable_ = true;
    AudioCallback audio_;
    MusicDevice* music_ = nullptr;
    MessageRecorder recorder_;
};

}  // namespace plat
