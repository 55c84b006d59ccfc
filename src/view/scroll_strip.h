#pragma once
// The eight thin invisible windows along the screen edges and in its corners:
// while the mouse rests on one, it scrolls the world view (a step after
// 100 ms, then one every 10 ms); a right click scrolls a page.

#include <cstdint>

#include "platform/window.h"

enum class StripSide : uint8_t {
    Top,
    Bottom,
    Left,
    Right,
    TopLeft,
    TopRight,
    BottomLeft,
    BottomRight
};

constexpr uint32_t kHoverTimer = 1105;
constexpr uint32_t kRepeatTimer = 1106;

class ScrollStrip : public plat::Window {
  public:
    explicit ScrollStrip(StripSide side) : side_(side) {}
    // Creates the strip at its place on the screen, owned by `parent`.
    bool CreateStrip(plat::Window* parent);
    // The strip's rectangle (screen coordinates) for a screen size.
    static plat::Rect Place(StripSide side, int32_t origin_x, int32_t origin_y, int32_t width,
                            int32_t height);

    uint32_t repeat_timer = 0;
    uint32_t hover_timer = 0;

  protected:
    plat::LResult OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;
    plat::CursorId ClassCursor() const override;

  private:
    void Step(bool page);
    void StopTimers();
    StripSide side_;
};
