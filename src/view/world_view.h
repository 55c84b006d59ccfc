#pragma once
// The world view window as the main loop and the level files use it. The
// world-view subsystem owns this class and completes it (the operations are
// declared abstract, or do nothing, only until it exists); until then
// g_pSpielFeld stays null and every call is skipped. The simulation reaches
// it through its view hooks (the frame installs it with SetWorldView).

#include <cstdint>

#include "platform/window.h"

// Tool mode in which the information panel follows the selected object.
constexpr int32_t kInformationTool = 20;

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

    // Used by the main frame; the world-view subsystem gives it its effect
    // (until then it does nothing). Removes the placement preview when the
    // mouse has left the view.
    virtual void FlushPendingRedraw() {}

    // Around a change of game (a level or saved game read): redraw everything
    // at the next redraw, forget the field animations, recompute the
    // projection after a new camera, draw the 1:16 overview, blacken the back
    // buffers.
    virtual void ForceFullRedraw() {}
    virtual void ClearAnimations() {}
    virtual void SetupProjection() {}
    virtual void DrawOverviewMap() {}
    virtual void BlackenBackBuffers() {}

    // The camera, saved in level files.
    double centre_x = 0.0;
    double centre_y = -12.0;
    int32_t zoom = 1;  // 1, 2, 4 or 16

    int32_t drag_state = -1;  // -1 = no drag
    int32_t tool_mode = 0;    // 20 = every game tick refreshes the info panel
    int32_t sprite_pending = 0;

    // Field animations at a building's anchor (kinds by building type), and
    // the stereo pan of a field for sound effects.
    virtual void AddAnimation(int32_t /*x*/, int32_t /*y*/, int32_t /*kind*/) {}
    virtual void RemoveAnimationAt(int32_t /*x*/, int32_t /*y*/) {}
    virtual int32_t GetSoundPan(int32_t /*x*/, int32_t /*y*/) { return 0; }

    // The field under the cursor and the one picked before (-1 = none); the
    // next mouse move picks again when they are cleared.
    int32_t pick_x = -1;
    int32_t pick_y = -1;
    int32_t last_pick_x = -1;
    int32_t last_pick_y = -1;
};

inline SPIEL_FELD* g_pSpielFeld = nullptr;
