#include "iso_box.h"

#include <cmath>

namespace standin {

IsoPainter::IsoPainter(Canvas& canvas, int a, int b, int originX, int originY)
    : c_(canvas), a_(a), b_(b) {
    topX_ = static_cast<float>(originX + 32 * b);
    topY_ = static_cast<float>(originY + canvas.height - 16 * (a + b));
}

void IsoPainter::SetLocalFrame(int rotation, int w, int d) {
    rotation_ = rotation & 3;
    localW_ = static_cast<float>(w);
    localD_ = static_cast<float>(d);
    local_ = true;
}

void IsoPainter::Map(float& a0, float& a1, float& b0, float& b1) const {
    if (!local_) return;
    const float u0 = a0, u1 = a1, v0 = b0, v1 = b1;
    switch (rotation_) {
        case 1:
            a0 = localD_ - v1, a1 = localD_ - v0, b0 = u0, b1 = u1;
            break;
        case 2:
            a0 = localW_ - u1, a1 = localW_ - u0, b0 = localD_ - v1, b1 = localD_ - v0;
            break;
        case 3:
            a0 = v0, a1 = v1, b0 = localW_ - u1, b1 = localW_ - u0;
            break;
        default:
            break;
    }
}

void IsoPainter::Quad(float a0, float b0, float h0, float a1, float b1, float h1, float a2,
                      float b2, float h2, float a3, float b3, float h3, uint8_t c) {
    c_.FillPolygon({X(a0, b0), Y(a0, b0, h0), X(a1, b1), Y(a1, b1, h1), X(a2, b2), Y(a2, b2, h2),
                    X(a3, b3), Y(a3, b3, h3)},
                   c);
}

void IsoPainter::Box(float a0, float a1, float b0, float b1, float h0, float h1, Ramp walls,
                     int level, Ramp top, int topLevel) {
    Map(a0, a1, b0, b1);
    // Left face at b = b1, right face at a = a1, then the top.
    Quad(a0, b1, h1, a1, b1, h1, a1, b1, h0, a0, b1, h0, pal::Shade(walls, level + 1));
    Quad(a1, b0, h1, a1, b1, h1, a1, b1, h0, a1, b0, h0, pal::Shade(walls, level - 1));
    Quad(a0, b0, h1, a1, b0, h1, a1, b1, h1, a0, b1, h1, pal::Shade(top, topLevel));
}

void IsoPainter::Plate(float a0, float a1, float b0, float b1, float h, uint8_t colour) {
    Map(a0, a1, b0, b1);
    Quad(a0, b0, h, a1, b0, h, a1, b1, h, a0, b1, h, colour);
}

void IsoPainter::GableRoof(float a0, float a1, float b0, float b1, float h, float rise,
                           bool ridgeAlongA, Ramp roof, int level) {
    Map(a0, a1, b0, b1);
    if (local_ && SwapsAxes()) ridgeAlongA = !ridgeAlongA;
    if (ridgeAlongA) {
        const float bm = (b0 + b1) / 2;
        Quad(a0, b0, h, a1, b0, h, a1, bm, h + rise, a0, bm, h + rise, pal::Shade(roof, level + 1));
        Quad(a0, bm, h + rise, a1, bm, h + rise, a1, b1, h, a0, b1, h, pal::Shade(roof, level));
        c_.FillPolygon(
            {X(a1, b0), Y(a1, b0, h), X(a1, bm), Y(a1, bm, h + rise), X(a1, b1), Y(a1, b1, h)},
            pal::Shade(roof, level - 2));
    } else {
        const float am = (a0 + a1) / 2;
        Quad(a0, b0, h, am, b0, h + rise, am, b1, h + rise, a0, b1, h, pal::Shade(roof, level + 1));
        Quad(am, b0, h + rise, a1, b0, h, a1, b1, h, am, b1, h + rise, pal::Shade(roof, level - 1));
        c_.FillPolygon(
            {X(a0, b1), Y(a0, b1, h), X(am, b1), Y(am, b1, h + rise), X(a1, b1), Y(a1, b1, h)},
            pal::Shade(roof, level - 2));
    }
}

void IsoPainter::Windows(float a0, float a1, float b0, float b1, float h0, float h1, uint8_t colour,
                         float spacing, float floorHeight) {
    Map(a0, a1, b0, b1);
    const float w = spacing * 0.45f;
    for (float h = h0 + floorHeight * 0.35f; h + 4 <= h1 - 2; h += floorHeight) {
        for (float a = a0 + spacing / 2; a + w <= a1; a += spacing) {
            Quad(a, b1, h + 4, a + w, b1, h + 4, a + w, b1, h, a, b1, h, colour);
        }
        for (float b = b0 + spacing / 2; b + w <= b1; b += spacing) {
            Quad(a1, b, h + 4, a1, b + w, h + 4, a1, b + w, h, a1, b, h, pal::Darker(colour, 1));
        }
    }
}

void IsoPainter::Cylinder(float a, float b, float radius, float h0, float h1, Ramp ramp,
                          int level) {
    float a1 = a, b1 = b;
    Map(a, a1, b, b1);
    const float cx = X(a, b);
    const float rx = radius * 45.0f, ry = radius * 22.5f;
    const float top = Y(a, b, h1), bottom = Y(a, b, h0);
    for (int y = static_cast<int>(std::floor(top - ry));
         y <= static_cast<int>(std::ceil(bottom + ry)); ++y) {
        for (int x = static_cast<int>(std::floor(cx - rx));
             x <= static_cast<int>(std::ceil(cx + rx)); ++x) {
            const float nx = (x + 0.5f - cx) / rx;
            if (std::fabs(nx) > 1.0f) continue;
            const float dy = ry * std::sqrt(1.0f - nx * nx);
            const float py = y + 0.5f;
            if (py >= top - dy && py <= top + dy) {
                c_.Set(x, y, pal::Shade(ramp, level + 2));
            } else if (py > top && py <= bottom + dy) {
                c_.Set(x, y, pal::Shade(ramp, level + (nx < -0.3f ? 1 : nx > 0.4f ? -1 : 0)));
            }
        }
    }
}

}  // namespace standin
