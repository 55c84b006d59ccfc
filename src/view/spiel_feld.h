#pragma once
// The world view window as the main loop uses it. The world-view subsystem
// owns this class and completes it (the operations are declared abstract only
// until it exists); until then g_pSpielFeld stays null and every call is
// skipped.

#include <cstdint>

#include "platform/window.h"

class SPIEL_FELD : public plat::Window {
  public:
    // Renders and presents the view, redrawing the layers whose redraw flags
    // are set, and clears both flags.
    virtual void RedrawView() = 0;
    // Advances the field animations.
    virtual void TickAnimations() = 0;
    // Draws the vehicle sprites.
    virtual void DrawVehicles(int32_t full_update) = 0;
    // 1 when field (x, y) lies in the visible part of the view (margin 4).
    virtual int32_t IsTileInView(int32_t x, int32_t y) = 0;
    // Frees the view's overlay item list (nothing until the view overrides it).
    virtual void ClearOverlay() {}

    int32_t drag_state = -1;  // -1 = no drag
    int32_t tool_mode = 0;    // 20 = every game tick refreshes the info panel
    int32_t sprite_pending = 0;

    // The camera's zoom: 1, 2, 4 or 16 (the overview map).
    int32_t zoom = 1;
    // Redraws the 1:16 overview map (nothing until the view overrides it).
    virtual void DrawOverviewMap() {}
};

inline SPIEL_FELD* g_pSpielFeld = nullptr;
