// The headless back end: fake clock, injected input, scripted message boxes
// and a record of what the layer asked of the host.

#include "platform/headless/headless_backend.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/message_queue.h"
#include "platform/window_system.h"

namespace plat {

HeadlessBackend::HeadlessBackend(Size screen) : screen_(screen) {
    WindowSystem::Get().ResetState();
    SetCurrentBackend(this);
}

HeadlessBackend::~HeadlessBackend() {
    WindowSystem::Get().ResetState();
    SetCurrentBackend(nullptr);
}

void HeadlessBackend::PumpEvents(InputSink& sink) {
    while (!events_.empty()) {
        const Event e = events_.front();
        events_.pop_front();
        switch (e.kind) {
            case Event::Kind::Move:
                sink.OnMouseMove(e.point, e.time);
                break;
            case Event::Kind::Button:
                sink.OnMouseButton(e.button, e.down, e.time);
                break;
            case Event::Kind::Key:
                sink.OnKey(e.key, e.down, e.character, e.time);
                break;
            case Event::Kind::Char:
                sink.OnChar(e.character, e.time);
                break;
            case Event::Kind::Close:
                sink.OnCloseRequest(e.time);
                break;
        }
    }
}

int32_t HeadlessBackend::ShowMessageBox(const std::string& text, const std::string& caption,
                                        uint32_t flags) {
    int32_t answer = IDCANCEL;
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    } else {
        std::fprintf(stderr, "[message box, answered Cancel] %s: %s\n", caption.c_str(),
                     text.c_str());
    }
    boxes_.push_back({text, caption, flags, answer});
    return answer;
}

void HeadlessBackend::SetCursorShape(CursorId id, bool visible) {
    cursorShape_ = id;
    cursorVisible_ = visible;
}

void HeadlessBackend::SetCursorClip(const Rect* screenRect) {
    clipped_ = screenRect != nullptr;
    clip_ = screenRect ? *screenRect : Rect{};
}

bool HeadlessBackend::CursorClip(Rect* rect) const {
    if (rect != nullptr) *rect = clip_;
    return clipped_;
}

void HeadlessBackend::Present(const Surface& screen, const uint8_t rgb[256][3],
                              const std::vector<Rect>& changed) {
    ++presentCount_;
    lastScreen_ = screen;
    lastRects_ = changed;
    for (const Rect& r : changed) presentedPixels_ += int64_t{r.Width()} * r.Height();
    std::memcpy(lastPalette_, rgb, sizeof(lastPalette_));
}

bool HeadlessBackend::OpenAudio(AudioCallback callback) {
    if (!audioAvailable_) return false;
    audio_ = std::move(callback);
    return true;
}

void HeadlessBackend::CloseAudio() {
    audio_ = nullptr;
}

void HeadlessBackend::RenderAudio(int16_t* stereoFrames, int frameCount) {
    if (audio_) {
        audio_(stereoFrames, frameCount);
    } else {
        std::memset(stereoFrames, 0, sizeof(int16_t) * 2 * static_cast<size_t>(frameCount));
    }
}

void HeadlessBackend::InjectMouseMove(Point screen) {
    Event e;
    e.kind = Event::Kind::Move;
    e.point = screen;
    e.time = now_;
    events_.push_back(e);
}

void HeadlessBackend::InjectMouseButton(MouseButton button, bool down) {
    Event e;
    e.kind = Event::Kind::Button;
    e.button = button;
    e.down = down;
    e.time = now_;
    events_.push_back(e);
}

void HeadlessBackend::InjectClick(Point screen, MouseButton button) {
    InjectMouseMove(screen);
    InjectMouseButton(button, true);
    InjectMouseButton(button, false);
}

void HeadlessBackend::InjectKey(int32_t virtualKey, bool down, uint8_t character) {
    Event e;
    e.kind = Event::Kind::Key;
    e.key = virtualKey;
    e.down = down;
    e.character = character;
    e.time = now_;
    events_.push_back(e);
}

void HeadlessBackend::InjectKeyPress(int32_t virtualKey, uint8_t character) {
    InjectKey(virtualKey, true, character);
    InjectKey(virtualKey, false);
}

void HeadlessBackend::InjectChar(uint8_t character) {
    Event e;
    e.kind = Event::Kind::Char;
    e.character = character;
    e.time = now_;
    events_.push_back(e);
}

void HeadlessBackend::InjectCloseRequest() {
    Event e;
    e.kind = Event::Kind::Close;
    e.time = now_;
    events_.push_back(e);
}

void HeadlessBackend::RunUntilIdle() {
    plat::RunUntilIdle();
}

void HeadlessBackend::RunFor(uint32_t ms, uint32_t stepMs) {
    if (stepMs == 0) stepMs = 1;
    RunUntilIdle();
    uint32_t done = 0;
    while (done < ms) {
        const uint32_t step = std::min(stepMs, ms - done);
        AdvanceClock(step);
        done += step;
        RunUntilIdle();
    }
}

}  // namespace plat
