#include "iso.h"

#include <algorithm>
#include <cmath>

namespace standin {

CornerHeights ShapeCorners(int shape) {
    // d10 = NE - NW, d01 = SW - NW, d11 = SE - NW.
    static constexpr int kTable[15][3] = {
        {0, 0, 0}, {0, -1, -1}, {1, 0, 1},  {0, 1, 1},    {-1, 0, -1},
        {1, 0, 0}, {0, 0, 1},   {0, 1, 0},  {-1, -1, -1}, {0, -1, 0},
        {1, 1, 1}, {-1, 0, 0},  {0, 0, -1}, {-1, -1, 0},  {1, 1, 0},
    };
    if (shape < 0 || shape >= 15) shape = 0;
    return {0, kTable[shape][0], kTable[shape][2], kTable[shape][1]};
}

bool ShapeSplitsNwSe(int shape) {
    switch (shape) {
        case 6:
        case 8:
        case 10:
        case 12:
            return false;
        default:
            return true;
    }
}

FieldSurface::FieldSurface(float nw, float ne, float se, float sw, bool splitNwSe, float ox,
                           float oy)
    : ox_(ox), oy_(oy) {
    cu_ = {0, 1, 1, 0};
    cv_ = {0, 0, 1, 1};
    ch_ = {nw, ne, se, sw};
    if (splitNwSe) {
        facets_ = {MakeFacet(0, 1, 2), MakeFacet(0, 2, 3)};
    } else {
        facets_ = {MakeFacet(0, 1, 3), MakeFacet(1, 2, 3)};
    }
}

FieldSurface FieldSurface::ForShape(int shape, float ox, float oy) {
    CornerHeights c = ShapeCorners(shape);
    return FieldSurface(c.nw, c.ne, c.se, c.sw, ShapeSplitsNwSe(shape), ox, oy);
}

FieldSurface::Facet FieldSurface::MakeFacet(int a, int b, int c) const {
    Facet f{};
    const int idx[3] = {a, b, c};
    for (int i = 0; i < 3; ++i) {
        f.u[i] = cu_[idx[i]];
        f.v[i] = cv_[idx[i]];
        f.h[i] = ch_[idx[i]];
        f.sx[i] = ox_ + IsoX(f.u[i], f.v[i]);
        f.sy[i] = oy_ + IsoY(f.u[i], f.v[i], f.h[i]);
    }
    // Plane h = h0 + dhdu (u - u0) + dhdv (v - v0) through the three corners.
    float du1 = f.u[1] - f.u[0], dv1 = f.v[1] - f.v[0], dh1 = f.h[1] - f.h[0];
    float du2 = f.u[2] - f.u[0], dv2 = f.v[2] - f.v[0], dh2 = f.h[2] - f.h[0];
    float det = du1 * dv2 - du2 * dv1;
    f.dhdu = (dh1 * dv2 - dh2 * dv1) / det;
    f.dhdv = (du1 * dh2 - du2 * dh1) / det;
    return f;
}

SurfaceHit FieldSurface::Sample(int px, int py) const {
    const float x = px + 0.5f, y = py + 0.5f;
    for (const Facet& f : facets_) {
        float d =
            (f.sy[1] - f.sy[2]) * (f.sx[0] - f.sx[2]) + (f.sx[2] - f.sx[1]) * (f.sy[0] - f.sy[2]);
        if (std::fabs(d) < 1e-6f) continue;
        float w0 = ((f.sy[1] - f.sy[2]) * (x - f.sx[2]) + (f.sx[2] - f.sx[1]) * (y - f.sy[2])) / d;
        float w1 = ((f.sy[2] - f.sy[0]) * (x - f.sx[2]) + (f.sx[0] - f.sx[2]) * (y - f.sy[2])) / d;
        float w2 = 1.0f - w0 - w1;
        constexpr float kEps = -1e-5f;
        if (w0 < kEps || w1 < kEps || w2 < kEps) continue;
        SurfaceHit hit;
        hit.hit = true;
        hit.u = w0 * f.u[0] + w1 * f.u[1] + w2 * f.u[2];
        hit.v = w0 * f.v[0] + w1 * f.v[1] + w2 * f.v[2];
        hit.h = w0 * f.h[0] + w1 * f.h[1] + w2 * f.h[2];
        hit.dhdu = f.dhdu;
        hit.dhdv = f.dhdv;
        return hit;
    }
    return {};
}

float FieldSurface::HeightAt(float u, float v) const {
    // Which facet holds (u, v): split NW-SE is u >= v for the first facet.
    const Facet& f0 = facets_[0];
    bool splitNwSe = f0.u[2] == 1 && f0.v[2] == 1;
    bool first = splitNwSe ? (u >= v) : (u + v <= 1);
    const Facet& f = first ? facets_[0] : facets_[1];
    return f.h[0] + f.dhdu * (u - f.u[0]) + f.dhdv * (v - f.v[0]);
}

float FieldSurface::UpperEdgeY(float x) const {
    // Left of the top corner the upper edge runs NW-SW, right of it NW-NE.
    float nwx = ox_ + 32, nwy = oy_ - 8 * ch_[0];
    if (x <= nwx) {
        float swx = ox_, swy = oy_ + 16 - 8 * ch_[3];
        return swy + (nwy - swy) * (x - swx) / (nwx - swx);
    }
    float nex = ox_ + 64, ney = oy_ + 16 - 8 * ch_[1];
    return nwy + (ney - nwy) * (x - nwx) / (nex - nwx);
}

float FieldSurface::LowerEdgeY(float x) const {
    float sex = ox_ + 32, sey = oy_ + 32 - 8 * ch_[2];
    if (x <= sex) {
        float swx = ox_, swy = oy_ + 16 - 8 * ch_[3];
        return swy + (sey - swy) * (x - swx) / (sex - swx);
    }
    float nex = ox_ + 64, ney = oy_ + 16 - 8 * ch_[1];
    return sey + (ney - sey) * (x - sex) / (nex - sex);
}

unsigned Noise(int x, int y, int salt) {
    unsigned h = static_cast<unsigned>(x) * 374761393u + static_cast<unsigned>(y) * 668265263u +
                 static_cast<unsigned>(salt) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return (h ^ (h >> 16)) & 0xff;
}

}  // namespace standin
