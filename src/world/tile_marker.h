#pragma once
// The tool-preview marker of the world view: the `cursor` marks (0..3, drawn
// white, yellow and red by the overlay) and the `cursorricht` arrow flag that
// the view writes over the fields. The terrain object creates it.

#include <cstdint>

class CTileMarker {
  public:
    // Clears the preview marks and arrow flags of all 65,536 fields.
    void ClearAll();
    // Marks one field; nothing off the map.
    void MarkField(int32_t x, int32_t y, int32_t mark);
    // Marks (x, y) for every x from x1 to x2 (either order); nothing when one
    // of the three lies outside 0..254. MarkRunY is its twin along y.
    void MarkRunX(int32_t x1, int32_t x2, int32_t y, int32_t mark);
    void MarkRunY(int32_t y1, int32_t y2, int32_t x, int32_t mark);
    // Marks the rectangle between two corners, borders included, where it
    // lies on the map. A large one (side product 999 or more) gets only its
    // four borders, with mark 1.
    void MarkRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t mark);

    int32_t cost = 0;           // price of the previewed action, 0 when refused
    int32_t marks_changed = 0;  // a mark was written since the last ClearAll
};

inline CTileMarker* g_pTileMarker = nullptr;
