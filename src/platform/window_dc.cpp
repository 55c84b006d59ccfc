// Device contexts of windows: they draw into the window's retained surface.

#include "platform/compositor.h"
#include "platform/gdi.h"
#include "platform/window.h"

namespace plat {

WindowDC::WindowDC(Window& window) : DeviceContext(Kind::Window), window_(&window) {
    InstallCompositor();
}

PixelView WindowDC::Target() {
    if (!IsWindow(window_)) return {};
    Surface& surface = window_->GetSurface();
    if (surface.pixels.empty()) return {};
    return {surface.pixels.data(), surface.width, surface.height, surface.stride};
}

void WindowDC::Touched() {
    if (IsWindow(window_)) window_->MarkSurfaceChanged();
}

void WindowDC::Touched(const Rect& area) {
    if (IsWindow(window_)) window_->MarkSurfaceChanged(area);
}

DcHandle GetWindowDC(Window& window) {
    return std::make_unique<WindowDC>(window);
}

PaintDC::PaintDC(Window& window) : WindowDC(window) {
    if (IsWindow(&window)) paintRect_ = window.BeginPaint();
}

PaintDC::~PaintDC() {
    if (IsWindow(GetWindow())) GetWindow()->EndPaint();
}

}  // namespace plat
