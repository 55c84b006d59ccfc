#pragma once
// The ground of one field painted into the background layer: its tile, its
// way piece or tunnel portal, a station row's platform plate and a truck
// depot's base. One painter serves the terrain pass and the strip a scroll
// uncovers, so both paint a field alike.

#include <cstdint>

#include "gfx/blit.h"

class CGameState;
class CLookupTables;
struct PaletteImage;
struct RawImage;
class SPIEL_FELD;
struct GameImages;
struct MapField;
struct ScanField;

class GroundPainter {
  public:
    // Paints with the view's rotation and zoom, cut to `clip` when one is
    // given (it must outlive the painter); the platform plates are never cut.
    GroundPainter(const SPIEL_FELD& view, const ClipRect* clip);
    void Field(const MapField& f, const ScanField& sf);

  private:
    void Image(const PaletteImage& src, int32_t x, int32_t y, int32_t sx, int32_t sy, int32_t w,
               int32_t h);
    void Raw(const RawImage& src, int32_t x, int32_t y, int32_t sx, int32_t sy, int32_t w,
             int32_t h, bool cut = true);

    CGameState& gs_;
    GameImages& im_;
    const CLookupTables& t_;
    int32_t r_;
    int32_t z_;
    int32_t s_;
    const ClipRect* clip_;
};
