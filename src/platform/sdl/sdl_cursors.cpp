// Cursor shapes, moving the pointer and confining it to a part of the screen.

#include "platform/cursor_shapes.h"
#include "platform/sdl/sdl_backend.h"

namespace plat {
namespace {

SDL_Cursor* MakeGameCursor(const CursorShape& shape) {
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormat(0, shape.size, shape.size, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!surface) return nullptr;
    SDL_LockSurface(surface);
    for (int y = 0; y < shape.size; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(surface->pixels) +
                                                static_cast<size_t>(y) * surface->pitch);
        for (int x = 0; x < shape.size; ++x) {
            switch (shape.At(x, y)) {
                case CursorShape::kBlack:
                    row[x] = 0xFF000000u;
                    break;
                case CursorShape::kWhite:
                    row[x] = 0xFFFFFFFFu;
                    break;
                default:
                    row[x] = 0;
                    break;
            }
        }
    }
    SDL_UnlockSurface(surface);
    SDL_Cursor* cursor = SDL_CreateColorCursor(surface, shape.hotX, shape.hotY);
    SDL_FreeSurface(surface);
    return cursor;
}

}  // namespace

SDL_Cursor* SdlBackend::CursorFor(CursorId id) {
    auto found = cursors_.find(id);
    if (found != cursors_.end()) return found->second;
    SDL_Cursor* cursor = nullptr;
    if (id == IDC_WAIT) {
        cursor = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_WAIT);
    } else {
        const CursorShape shape = DrawGameCursor(id, cursorScale_);
        if (shape.size > 0) cursor = MakeGameCursor(shape);
    }
    // The arrow for IDC_ARROW, for ids without a shape and when making one failed.
    if (!cursor) cursor = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
    cursors_[id] = cursor;
    return cursor;
}

void SdlBackend::FreeCursors() {
    for (auto& [id, cursor] : cursors_) {
        if (cursor) SDL_FreeCursor(cursor);
    }
    cursors_.clear();
}

void SdlBackend::SetCursorShape(CursorId id, bool visible) {
    cursorId_ = id;
    cursorVisible_ = visible;
    // The layer sets the shape on every mouse move; touch the host only for
    // a change.
    const int shown = visible ? SDL_ENABLE : SDL_DISABLE;
    if (SDL_ShowCursor(SDL_QUERY) != shown) SDL_ShowCursor(shown);
    if (!visible) return;
    SDL_Cursor* cursor = CursorFor(id);
    if (cursor && cursor != SDL_GetCursor()) SDL_SetCursor(cursor);
}

void SdlBackend::WarpCursor(Point screen) {
    if (!window_) return;
    screen.x = std::clamp(screen.x, 0, screen_.width - 1);
    screen.y = std::clamp(screen.y, 0, screen_.height - 1);
    screen = ClampToClip(screen);
    const Point window = ScreenToWindow(WindowFit(), screen);
    warpPending_ = true;
    warpWindow_ = window;
    warpScreen_ = screen;
    cursor_ = screen;  // the layer announces the move itself
    SDL_WarpMouseInWindow(window_, window.x, window.y);
}

void SdlBackend::SetCursorClip(const Rect* screenRect) {
    clipped_ = screenRect != nullptr;
    if (clipped_) {
        clip_ = Intersect(*screenRect, Rect{0, 0, screen_.width, screen_.height});
        if (clip_.IsEmpty()) {
            // A rectangle off the screen still holds the cursor at its nearest point.
            const int32_t x = std::clamp(screenRect->left, 0, screen_.width - 1);
            const int32_t y = std::clamp(screenRect->top, 0, screen_.height - 1);
            clip_ = {x, y, x + 1, y + 1};
        }
    }
    ApplyCursorClip();
    if (clipped_ && !clip_.Contains(cursor_)) WarpCursor(ClampToClip(cursor_));
}

void SdlBackend::ApplyCursorClip() {
    if (!window_) return;
#if SDL_VERSION_ATLEAST(2, 0, 18)
    if (clipped_) {
        const Rect window = ScreenRectToWindow(WindowFit(), clip_);
        const SDL_Rect area{window.left, window.top, window.Width(), window.Height()};
        SDL_SetWindowMouseRect(window_, &area);
    } else {
        SDL_SetWindowMouseRect(window_, nullptr);
    }
#endif
}

Point SdlBackend::ClampToClip(Point screen) const {
    if (!clipped_) return screen;
    return {std::clamp(screen.x, clip_.left, clip_.right - 1),
            std::clamp(screen.y, clip_.top, clip_.bottom - 1)};
}

}  // namespace plat
