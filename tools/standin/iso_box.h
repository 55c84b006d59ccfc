#pragma once
// Shaded isometric boxes, roofs and windows for building pictures. A picture
// shows a footprint of `a` fields along the screen's down-right axis and `b`
// fields along its down-left axis; its bottom corner touches the picture's
// last row. Positions inside are given in field units (a, b) and pixels of
// height above the ground.

#include "canvas.h"
#include "palette.h"

namespace standin {

class IsoPainter {
  public:
    IsoPainter(Canvas& canvas, int a, int b, int originX = 0, int originY = 0);

    // From now on positions are given in the building's own field
    // coordinates (u along the map's x axis, v along its y axis, floor
    // w x d) and turned to the screen as the map rotation shows them.
    void SetLocalFrame(int rotation, int w, int d);

    // Screen point of (a, b) at height h.
    float X(float a, float b) const { return topX_ + 32.0f * (a - b); }
    float Y(float a, float b, float h) const { return topY_ + 16.0f * (a + b) - h; }

    // A box over [a0, a1] x [b0, b1] from height h0 to h1. Left face in
    // level+1, right face in level-1, top in level+2 of the ramp.
    void Box(float a0, float a1, float b0, float b1, float h0, float h1, Ramp walls, int level,
             Ramp top, int topLevel);
    // A flat plate (top only) at height h.
    void Plate(float a0, float a1, float b0, float b1, float h, uint8_t colour);
    // A pitched roof over the box top at h, ridge along the a axis (or b).
    void GableRoof(float a0, float a1, float b0, float b1, float h, float rise, bool ridgeAlongA,
                   Ramp roof, int level);
    // Window rows on the two visible faces of a box.
    void Windows(float a0, float a1, float b0, float b1, float h0, float h1, uint8_t colour,
                 float spacing = 0.25f, float floorHeight = 10.0f);
    // An upright cylinder (tank, chimney) standing at (a, b).
    void Cylinder(float a, float b, float radius, float h0, float h1, Ramp ramp, int level);

    int Width() const { return 32 * (a_ + b_); }

  private:
    // Turns a local rectangle into screen axes (a, b); ridge flags follow.
    void Map(float& a0, float& a1, float& b0, float& b1) const;
    bool SwapsAxes() const { return (rotation_ & 1) != 0; }
    void Quad(float a0, float b0, float h0, float a1, float b1, float h1, float a2, float b2,
              float h2, float a3, float b3, float h3, uint8_t c);
    Canvas& c_;
    int a_, b_;
    float topX_, topY_;
    int rotation_ = 0;
    float localW_ = 0, localD_ = 0;
    bool local_ = false;
};

}  // namespace standin
