#pragma once
// The tool-preview marker of the world view: the `cursor` marks (0..3, drawn
// white, yellow and red by the overlay) and the `cursorricht` arrow flag that
// the view writes over the fields, and the price of the previewed action. The
// terrain object creates it.
//
// The previews only read the world: they change nothing but the mark bits
// (the route planner's work labels are put back), and they price a field as
// the builders do.

#include <cstdint>

class CTileMarker {
  public:
    // Clears the preview marks and arrow flags of all 65,536 fields.
    void ClearAll();
    // Marks one field; nothing off the map.
    void MarkField(int32_t x, int32_t y, int32_t mark);
    // Sets the orientation-arrow flag of one field; nothing off the map.
    void MarkArrow(int32_t x, int32_t y);
    // Marks (x, y) for every x from x1 to x2 (either order); nothing when one
    // of the three lies outside 0..254. MarkRunY is its twin along y.
    void MarkRunX(int32_t x1, int32_t x2, int32_t y, int32_t mark);
    void MarkRunY(int32_t y1, int32_t y2, int32_t x, int32_t mark);
    // Marks the rectangle between two corners, borders included, where it
    // lies on the map. A large one (side product 999 or more) gets only its
    // four borders, with mark 1.
    void MarkRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t mark);
    // The border of the square around (cx, cy) that reaches (px, py); nothing
    // when the square leaves 0..254.
    void MarkSquare(int32_t cx, int32_t cy, int32_t px, int32_t py, int32_t mark);
    // Outlines the catchment area of the building on field (x, y) with mark
    // 2 and redraws the view.
    void MarkStructureAt(int32_t x, int32_t y);

    // The way previews of the current way type; each sets `cost` (0 when
    // refused). A route plans the road or track path the release would lay
    // and keeps it in the network's path list.
    enum class WayFamily { Road, Track };
    void PreviewRoute(int32_t x1, int32_t y1, int32_t x2, int32_t y2, WayFamily family);
    // A tunnel from the ramp (x, y) through the hill it rises into.
    void PreviewTunnel(int32_t x, int32_t y);
    // A straight bridge from (x1, y1) to (x2, y2).
    void PreviewBridge(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

    int32_t cost = 0;  // price of the previewed action, 0 when refused
    // Set by every marking call, even one that marks nothing, so that the
    // next redraw rebuilds the overlay from the marks as they now are.
    int32_t marks_changed = 0;
};

inline CTileMarker* g_pTileMarker = nullptr;
