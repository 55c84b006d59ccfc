#pragma once
// Isometric geometry of one map field as the world view draws it: a 64 x 32
// diamond whose top (north-west) corner sits at (32, 0) of a 64 x 40 cell,
// one height step lifting a corner by 8 pixels. Field coordinates (u, v) run
// from the north-west corner: u along the map's x axis (towards the lower
// right on screen), v along its y axis (towards the lower left).

#include <array>

namespace standin {

constexpr int kTileWidth = 64;
constexpr int kTileHeight = 40;
constexpr int kTileShapes = 15;
constexpr int kGroundKinds = 12;

// Corner heights of a slope shape relative to its north-west corner.
struct CornerHeights {
    int nw, ne, se, sw;
};
CornerHeights ShapeCorners(int shape);

// Screen position within the cell of field point (u, v) at height h steps.
inline float IsoX(float u, float v) {
    return 32.0f + 32.0f * (u - v);
}
inline float IsoY(float u, float v, float h) {
    return 16.0f * (u + v) - 8.0f * h;
}

struct SurfaceHit {
    bool hit = false;
    float u = 0, v = 0, h = 0;
    float dhdu = 0, dhdv = 0;  // slope of the facet that was hit
};

// A field surface with given corner heights (any real values), drawn with
// its north-west corner at (ox + 32, oy).
class FieldSurface {
  public:
    FieldSurface(float nw, float ne, float se, float sw, bool splitNwSe, float ox = 0,
                 float oy = 0);
    static FieldSurface ForShape(int shape, float ox = 0, float oy = 0);

    // The surface point seen at pixel (px, py) (its centre is sampled).
    SurfaceHit Sample(int px, int py) const;
    // Screen y of the surface's upper edge and lower edge at screen column x
    // (pixel centre), for the picking mask.
    float UpperEdgeY(float x) const;
    float LowerEdgeY(float x) const;
    // Screen point of field point (u, v) on the surface.
    float ScreenX(float u, float v) const { return ox_ + IsoX(u, v); }
    float ScreenY(float u, float v) const { return oy_ + IsoY(u, v, HeightAt(u, v)); }
    float HeightAt(float u, float v) const;

  private:
    struct Facet {
        // Corners in field coordinates (u, v, h) and screen coordinates.
        std::array<float, 3> u, v, h, sx, sy;
        float dhdu, dhdv;
    };
    Facet MakeFacet(int a, int b, int c) const;
    std::array<float, 4> cu_{}, cv_{}, ch_{};  // NW, NE, SE, SW
    std::array<Facet, 2> facets_;
    float ox_, oy_;
};

// Whether a slope shape folds along the NW-SE diagonal (else along NE-SW).
bool ShapeSplitsNwSe(int shape);

// Deterministic small hash noise in 0..255 for textures.
unsigned Noise(int x, int y, int salt);

}  // namespace standin
