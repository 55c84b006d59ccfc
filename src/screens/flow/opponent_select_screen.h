#pragma once
// FS_SELECT_GEGNER: the choice of rivals for a free game. The five opponent
// profiles' portraits stand down the right of the page; a click picks or
// unpicks one. Up to three picks take the opponent slots lowest first and
// show a frame in the colour of the slot's player. OK makes the three
// opponents afresh (a picked profile in the slot it took and taking turns;
// the other slots from the profiles left over, without turns), clears the
// take-over counters and sends the frame WM_USER+108. The frame opens it on
// WM_USER+107.

#include <cstdint>

#include "gfx/wing_bitmap.h"
#include "screens/full_screen.h"
#include "screens/screen_entry.h"

class FS_SELECT_GEGNER : public FullScreen {
  public:
    struct Selection {
        int32_t slot = -1;     // opponent slot 0..2 the pick took, -1 free
        int32_t portrait = 0;  // portrait index + 1, 0 free
        int32_t order = -1;    // picks before this one, -1 free
    };

    FS_SELECT_GEGNER();
    ~FS_SELECT_GEGNER() override;

    // Loads "scr_45.jgd", "gegner.jgd" and "scb_45.jgd" and opens the
    // screen over the whole screen. False when it could not be made.
    bool Open(plat::Window* parent);

    // A click on portrait i: picks it (while fewer than three are picked)
    // or unpicks it.
    void TogglePortrait(int32_t i);
    // The profile each slot gets from the picks (-1: none picked there).
    void Picks(int32_t (&picks)[3]) const;

    Selection selections[3];
    plat::Rect portrait_rects[5] = {};
    int32_t slot_used[3] = {};
    int32_t picked[5] = {};
    int32_t pick_count = 0;
    WinGBitmap background;
    WinGBitmap portraits;

  protected:
    plat::LResult OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;

  private:
    void OnPaint();
    void OnOk();
    // Portrait i (picked or plain picture) with its frame, when picked,
    // drawn into `dc` at the page position.
    void DrawPortrait(plat::DeviceContext& dc, int32_t i);
};

extern const ScreenEntry kOpponentSelectScreenEntry;
