#include "buildings.h"

#include <algorithm>

#include "animations.h"
#include "building_types.h"
#include "cell_mark.h"
#include "economy/building_kinds.h"
#include "iso_box.h"
#include "palette.h"
#include "view/field_animation.h"

namespace standin {
namespace {

constexpr uint8_t kGlass = 168;  // teal level 2: dark window glass
constexpr int kTennisCourtType = 28;

int ExtraHeight(int type) {
    static constexpr int kExtra[kBuildingTypes] = {0,  0,  0,  0,  0,  0,  40, 40, 40, 40, 52,
                                                   44, 60, 84, 52, 44, 60, 44, 48, 48, 40, 52,
                                                   52, 52, 52, 52, 52, 64, 18, 14, 34, 18};
    return kExtra[type];
}

// The wall and roof colours of each type.
struct Look {
    Ramp walls;
    int wallLevel;
    Ramp roof;
    int roofLevel;
};

Look TypeLook(int type) {
    switch (type) {
        case 10:
            return {pal::kEarth, 3, pal::kEarth, 4};
        case 11:
            return {pal::kBark, 3, pal::kBrick, 3};
        case 12:
            return {pal::kConcrete, 4, pal::kTeal, 3};
        case 13:
            return {pal::kSlate, 2, pal::kRock, 2};
        case 14:
            return {pal::kConcrete, 4, pal::kSlate, 3};
        case 15:
            return {pal::kBark, 3, pal::kOrange, 3};
        case 16:
            return {pal::kPurple, 3, pal::kTeal, 4};
        case 17:
            return {pal::kConcrete, 3, pal::kFoliage, 3};
        case 18:
            return {pal::kOrange, 3, pal::kGold, 4};
        case 19:
            return {pal::kConcrete, 5, pal::kGold, 3};
        case 20:
            return {pal::kBrick, 3, pal::kEarth, 3};
        case 21:
            return {pal::kOrange, 4, pal::kBrick, 3};
        case 22:
            return {pal::kFoliage, 4, pal::kSlate, 3};
        case 23:
            return {pal::kBark, 3, pal::kBrick, 3};
        case 24:
            return {pal::kGold, 3, pal::kSlate, 2};
        case 25:
            return {pal::kPurple, 3, pal::kSlate, 3};
        case 26:
            return {pal::kSlate, 4, pal::kConcrete, 4};
        case 27:
            return {pal::kConcrete, 5, pal::kGold, 4};
        default:
            return {pal::kConcrete, 4, pal::kSlate, 3};
    }
}

void MarkBottomCorner(Canvas& c, int a, int index) {
    // The bottom corner of the footprint lies at x = 32 a from the left.
    PutMark(c, 32 * a - 1, c.height - 2, index);
}

// ---------------------------------------------------------------------------

void DrawIndustry(IsoPainter& p, int type, bool animated) {
    const Look look = TypeLook(type);
    const float fa = static_cast<float>(kBuildings[type].width);
    const float fb = static_cast<float>(kBuildings[type].depth);
    // The yard.
    p.Plate(0, fa, 0, fb, 0, pal::Shade(pal::kConcrete, 2));
    switch (type) {
        case 10: {  // mine: spoil heap, headframe and a shed
            p.Box(0.15f, 0.95f, 0.15f, 0.95f, 0, 12, pal::kEarth, 3, pal::kEarth, 5);
            p.Box(1.2f, 1.3f, 0.3f, 0.4f, 0, 46, pal::kSlate, 3, pal::kSlate, 5);
            p.Box(1.7f, 1.8f, 0.3f, 0.4f, 0, 46, pal::kSlate, 3, pal::kSlate, 5);
            p.Box(1.2f, 1.8f, 0.3f, 0.4f, 40, 46, pal::kSlate, 3, pal::kSlate, 5);
            p.Cylinder(1.5f, 0.35f, 0.1f, 44, 50, pal::kGold, 3);
            p.Box(1.1f, 1.9f, 1.1f, 1.9f, 0, 16, pal::kBrick, 3, pal::kBrick, 5);
            p.GableRoof(1.1f, 1.9f, 1.1f, 1.9f, 16, 8, true, pal::kSlate, 3);
            break;
        }
        case 11: {  // lumber mill: log piles and a wooden hall
            for (int i = 0; i < 3; ++i) {
                p.Box(0.2f, 1.2f, 0.2f + i * 0.3f, 0.4f + i * 0.3f, 0, 6, pal::kBark, 2, pal::kBark,
                      4);
            }
            p.Box(1.3f, 2.8f, 0.3f, 2.7f, 0, 24, look.walls, look.wallLevel, look.roof,
                  look.roofLevel);
            p.GableRoof(1.3f, 2.8f, 0.3f, 2.7f, 24, 14, false, look.roof, look.roofLevel);
            p.Windows(1.3f, 2.8f, 0.3f, 2.7f, 0, 24, pal::Shade(pal::kGold, 5), 0.4f, 12);
            break;
        }
        case 12: {  // chemical plant: tanks and a process hall
            p.Box(0.2f, 1.8f, 0.2f, 3.8f, 0, 30, look.walls, look.wallLevel, look.roof,
                  look.roofLevel);
            p.Windows(0.2f, 1.8f, 0.2f, 3.8f, 0, 30, kGlass, 0.3f, 10);
            p.Cylinder(2.6f, 0.9f, 0.45f, 0, 36, pal::kTeal, 4);
            p.Cylinder(2.6f, 2.3f, 0.45f, 0, 36, pal::kTeal, 4);
            p.Cylinder(3.4f, 1.6f, 0.35f, 0, 28, pal::kPurple, 3);
            if (!animated) p.Cylinder(3.3f, 3.2f, 0.12f, 0, 56, pal::kGrey, 8);  // before the basin
            break;
        }
        case 13: {  // steel mill: dark halls and tall chimneys
            p.Box(0.2f, 3.8f, 0.2f, 2.2f, 0, 34, look.walls, look.wallLevel, look.roof,
                  look.roofLevel);
            p.GableRoof(0.2f, 3.8f, 0.2f, 2.2f, 34, 12, true, pal::kRock, 2);
            p.Box(0.4f, 2.6f, 2.5f, 3.8f, 0, 22, pal::kBrick, 2, pal::kRock, 3);
            p.Cylinder(3.5f, 3.4f, 0.16f, 0, 72, pal::kBrick, 3);
            p.Windows(0.2f, 3.8f, 0.2f, 2.2f, 0, 34, pal::Shade(pal::kOrange, 5), 0.5f, 14);
            // The tall chimney rises from the roof to the smoke animation's
            // chimney mouth (the bottom middle of its cell).
            p.Cylinder(0.703f, 0.297f, 0.16f, 40, 92, pal::kBrick, 3);
            break;
        }
        case 14: {  // motor industry: a long assembly hall with a sawtooth roof
            p.Box(0.3f, 4.7f, 0.3f, 4.7f, 0, 28, look.walls, look.wallLevel, look.roof,
                  look.roofLevel);
            for (int i = 0; i < 5; ++i) {
                const float a0 = 0.3f + i * 0.88f;
                p.GableRoof(a0, a0 + 0.88f, 0.3f, 4.7f, 28, 10, false, pal::kSlate, 3);
            }
            p.Windows(0.3f, 4.7f, 0.3f, 4.7f, 0, 28, kGlass, 0.35f, 10);
            p.Cylinder(4.2f, 0.6f, 0.12f, 28, 52, pal::kGrey, 7);
            break;
        }
        case 19: {  // jewelry: a compact workshop with a gold roof
            p.Box(0.3f, 2.7f, 0.3f, 2.7f, 0, 30, look.walls, look.wallLevel, look.roof,
                  look.roofLevel);
            p.Windows(0.3f, 2.7f, 0.3f, 2.7f, 0, 30, kGlass, 0.3f, 10);
            p.Box(1.0f, 2.0f, 1.0f, 2.0f, 30, 44, pal::kGold, 3, pal::kGold, 6);
            break;
        }
        case 20: {  // depot: warehouse with loading bays
            p.Box(0.2f, 3.8f, 0.4f, 3.6f, 0, 26, look.walls, look.wallLevel, look.roof,
                  look.roofLevel);
            p.GableRoof(0.2f, 3.8f, 0.4f, 3.6f, 26, 10, true, pal::kEarth, 3);
            p.Windows(0.2f, 3.8f, 0.4f, 3.6f, 0, 14, pal::Shade(pal::kGrey, 4), 0.6f, 20);
            break;
        }
        default: {  // factories 15..18: a hall with an office block
            p.Box(0.3f, 3.7f, 0.3f, 2.6f, 0, 26, look.walls, look.wallLevel, look.roof,
                  look.roofLevel);
            p.GableRoof(0.3f, 3.7f, 0.3f, 2.6f, 26, 12, true, look.roof, look.roofLevel);
            p.Box(0.5f, 2.0f, 2.8f, 3.7f, 0, 34, pal::kConcrete, 4, look.roof, look.roofLevel + 1);
            p.Windows(0.5f, 2.0f, 2.8f, 3.7f, 0, 34, kGlass, 0.3f, 10);
            p.Windows(0.3f, 3.7f, 0.3f, 2.6f, 0, 26, pal::Shade(pal::kGold, 5), 0.5f, 13);
            if (type == 16) p.Cylinder(3.2f, 3.2f, 0.2f, 0, 56, pal::kGrey, 9);
            break;
        }
    }
}

void DrawStore(IsoPainter& p, int type, int colour) {
    const Look look = TypeLook(type);
    const Ramp player = pal::PlayerRamp(colour);
    p.Plate(0, 2, 0, 2, 0, pal::Shade(pal::kConcrete, 5));
    p.Box(0.2f, 1.8f, 0.2f, 1.8f, 0, 36, look.walls, look.wallLevel, look.roof, look.roofLevel);
    p.Windows(0.2f, 1.8f, 0.2f, 1.8f, 12, 36, kGlass, 0.3f, 10);
    // Shop windows and the awning in the owner's colour.
    p.Box(0.3f, 1.7f, 1.79f, 1.8f, 2, 10, pal::kTeal, 5, pal::kTeal, 5);
    p.Box(1.79f, 1.8f, 0.3f, 1.7f, 2, 10, pal::kTeal, 5, pal::kTeal, 5);
    p.Box(0.2f, 1.8f, 1.8f, 1.95f, 10, 12, player, pal::kPlayerPureLevel, player,
          pal::kPlayerPureLevel + 1);
    p.Box(1.8f, 1.95f, 0.2f, 1.8f, 10, 12, player, pal::kPlayerPureLevel, player,
          pal::kPlayerPureLevel + 1);
    p.Box(0.7f, 1.3f, 0.7f, 1.3f, 36, 44, player, pal::kPlayerPureLevel, player,
          pal::kPlayerPureLevel + 2);
}

void DrawAttraction(IsoPainter& p, int type, bool animated) {
    switch (type) {
        case 27: {  // cultural center: columns and a dome
            p.Plate(0, 1, 0, 1, 0, pal::Shade(pal::kConcrete, 5));
            p.Box(0.1f, 0.9f, 0.1f, 0.9f, 0, 4, pal::kConcrete, 5, pal::kConcrete, 6);
            p.Box(0.15f, 0.85f, 0.15f, 0.85f, 4, 30, pal::kConcrete, 4, pal::kConcrete, 6);
            p.Windows(0.15f, 0.85f, 0.15f, 0.85f, 4, 28, pal::Shade(pal::kConcrete, 2), 0.15f, 24);
            p.Cylinder(0.5f, 0.5f, 0.3f, 30, 38, pal::kGold, 4);
            p.Cylinder(0.5f, 0.5f, 0.2f, 38, 44, pal::kGold, 5);
            break;
        }
        case 28: {  // tennis court
            p.Plate(0, 2, 0, 2, 0, pal::Shade(pal::kFoliage, 3));
            // The animated court is its animation's ground, net and all.
            if (animated) break;
            p.Plate(0.25f, 1.75f, 0.4f, 1.6f, 0, pal::Shade(pal::kOrange, 3));
            p.Plate(0.3f, 1.7f, 0.45f, 1.55f, 0, pal::Shade(pal::kOrange, 4));
            p.Box(0.98f, 1.02f, 0.35f, 1.65f, 0, 6, pal::kGrey, 11, pal::kGrey, 12);
            break;
        }
        case 29: {  // swimming pool
            p.Plate(0, 2, 0, 2, 0, pal::Shade(pal::kConcrete, 5));
            p.Plate(0.3f, 1.7f, 0.3f, 1.7f, 0, pal::Shade(pal::kWater, 5));
            p.Plate(0.4f, 1.6f, 0.4f, 1.6f, 0, pal::Shade(pal::kWater, 6));
            p.Box(0.05f, 0.3f, 0.1f, 1.9f, 0, 8, pal::kConcrete, 3, pal::kBrick, 4);
            break;
        }
        case 30: {  // sports stadium: stands around a pitch
            p.Plate(0, 2, 0, 3, 0, pal::Shade(pal::kConcrete, 3));
            p.Box(0.1f, 1.9f, 0.1f, 0.5f, 0, 22, pal::kConcrete, 4, pal::kBrick, 3);
            p.Box(0.1f, 0.5f, 0.5f, 2.5f, 0, 18, pal::kConcrete, 4, pal::kBrick, 3);
            p.Plate(0.6f, 1.8f, 0.6f, 2.8f, 0, pal::Shade(pal::kFoliage, 4));
            p.Plate(1.15f, 1.25f, 0.6f, 2.8f, 0.1f, pal::Shade(pal::kGrey, 12));
            p.Box(0.6f, 1.9f, 2.8f, 2.9f, 0, 8, pal::kConcrete, 4, pal::kBrick, 3);
            break;
        }
        default: {  // race track: an asphalt ring around grass
            p.Plate(0, 3, 0, 3, 0, pal::Shade(pal::kFoliage, 4));
            if (!animated) {  // the animated track draws its own ring
                p.Plate(0.2f, 2.8f, 0.2f, 2.8f, 0, pal::Shade(pal::kAsphalt, 2));
                p.Plate(0.6f, 2.4f, 0.6f, 2.4f, 0, pal::Shade(pal::kFoliage, 3));
            }
            p.Box(0.3f, 1.5f, 0.05f, 0.15f, 0, 10, pal::kConcrete, 4, pal::kBrick, 4);
            break;
        }
    }
}

// Screen edge 0..3 (upper right, lower right, lower left, upper left) where
// a depot of type 0..3 opens, seen in the rotation.
int DepotEntranceEdge(int type, int rotation) {
    return (type + rotation) & 3;
}

// Depot base: floor and the back walls; depot top: roof and front walls.
void DrawDepot(Canvas& picture, int type, int rotation, int colour) {
    const int entrance = DepotEntranceEdge(type, rotation);
    const Ramp player = pal::PlayerRamp(colour);
    // Each half is drawn on a 64 x 57 canvas whose footprint bottom is row 57
    // (the tile's top corner at row 25), then cut to 56 rows.
    Canvas base(64, 57), top(64, 57);
    IsoPainter pb(base, 1, 1), pt(top, 1, 1);
    pb.Plate(0, 1, 0, 1, 0, pal::Shade(pal::kAsphalt, 2));
    if (entrance != 3) pb.Box(0, 0.08f, 0, 1, 0, 22, pal::kConcrete, 4, pal::kConcrete, 5);
    if (entrance != 0) pb.Box(0, 1, 0, 0.08f, 0, 22, pal::kConcrete, 3, pal::kConcrete, 5);
    // Front walls where there is no entrance; a lintel where there is.
    if (entrance != 2) {
        pt.Box(0, 1, 0.92f, 1, 0, 22, player, 3, player, 5);
    } else {
        pt.Box(0, 1, 0.92f, 1, 15, 22, player, 3, player, 5);
    }
    if (entrance != 1) {
        pt.Box(0.92f, 1, 0, 1, 0, 22, player, 3, player, 5);
    } else {
        pt.Box(0.92f, 1, 0, 1, 15, 22, player, 3, player, 5);
    }
    pt.Box(0, 1, 0, 1, 22, 26, pal::kGrey, 6, player, pal::kPlayerPureLevel);
    pt.Box(0.3f, 0.7f, 0.3f, 0.7f, 26, 29, pal::kGrey, 7, pal::kGrey, 9);
    picture.Blit(base, 0, 0, 64, 56, 0, 0, false);
    picture.Blit(top, 0, 0, 64, 56, 0, 56, false);
    PutMark(picture, 31, 54, type);
    PutMark(picture, 31, 56 + 40, type);
}

// A station row in its picture: `length` fields along a (or b), one field
// across. Positions are given along the row and across it, 0 at its back edge
// and 1 at its front edge, and turned to the picture's axes.
class RowPainter {
  public:
    RowPainter(Canvas& canvas, int type, int rotation)
        : RowPainter(canvas, Extents(type, rotation)) {}
    float Length() const { return length_; }
    void Box(float l0, float l1, float c0, float c1, float h0, float h1, Ramp walls, int level,
             Ramp top, int topLevel) {
        if (alongA_) return p_.Box(l0, l1, c0, c1, h0, h1, walls, level, top, topLevel);
        p_.Box(c0, c1, l0, l1, h0, h1, walls, level, top, topLevel);
    }
    void Plate(float l0, float l1, float c0, float c1, uint8_t colour) {
        if (alongA_) return p_.Plate(l0, l1, c0, c1, 0, colour);
        p_.Plate(c0, c1, l0, l1, 0, colour);
    }
    void Roof(float l0, float l1, float c0, float c1, float h, float rise, Ramp roof, int level) {
        if (alongA_) return p_.GableRoof(l0, l1, c0, c1, h, rise, true, roof, level);
        p_.GableRoof(c0, c1, l0, l1, h, rise, false, roof, level);
    }
    void Windows(float l0, float l1, float c0, float c1, float h0, float h1) {
        if (alongA_) return p_.Windows(l0, l1, c0, c1, h0, h1, kGlass, 0.3f, 10);
        p_.Windows(c0, c1, l0, l1, h0, h1, kGlass, 0.3f, 10);
    }

  private:
    struct Size {
        int a, b;
    };
    static Size Extents(int type, int rotation) {
        Size s{0, 0};
        PictureExtents(type, rotation, &s.a, &s.b);
        return s;
    }
    RowPainter(Canvas& canvas, Size s)
        : p_(canvas, s.a, s.b),
          alongA_(s.a > s.b),
          length_(static_cast<float>(std::max(s.a, s.b))) {}
    IsoPainter p_;
    bool alongA_;
    float length_;
};

// The view picks a field by the ground under a pixel: a point h pixels above
// the ground shows over the ground h / 32 of a field further back on both
// axes. The row pictures stay that low near their front edge, so that every
// pixel of a row lies over that row; a taller head hid the platform row
// behind it, and a canopy over the back edge showed over the neighbour's
// ground, and a click on either never reached the platform.
constexpr float kCanopyTop = 5;  // over the front edge 0.84..0.98 of the row
constexpr float kHallTop = 10;   // walls over 0.5..0.95, the roof 4 higher
constexpr float kHallRoofRise = 4;

// Platform plate of a station row: concrete edges along the row's two long
// sides, the middle left open (colour 0) for the way cell drawn below it:
// rails where the row has track, the bare ground where it has none. The view
// hangs the plate cell two rows above the field's top corner, so its diamond
// starts two rows down in the cell (the bottom tip's last two rows fall
// outside it). Painted from the cell's top row like a ground tile, the plate
// stood two rows above its own ground, over the ground and rails of the field
// behind it, and a click on its back edge picked that field.
void DrawPlate(Canvas& picture, int x, int y, bool alongA) {
    constexpr int kPlateDrop = 2;
    Canvas cell(64, 32);
    IsoPainter p(cell, 1, 1, 0, kPlateDrop);
    const uint8_t edge = pal::Shade(pal::kConcrete, 5), line = pal::Shade(pal::kGold, 6);
    if (alongA) {
        p.Plate(0, 1, 0, 0.24f, 0, edge);
        p.Plate(0, 1, 0.76f, 1, 0, edge);
        p.Plate(0, 1, 0.2f, 0.24f, 0, line);
        p.Plate(0, 1, 0.76f, 0.8f, 0, line);
    } else {
        p.Plate(0, 0.24f, 0, 1, 0, edge);
        p.Plate(0.76f, 1, 0, 1, 0, edge);
        p.Plate(0.2f, 0.24f, 0, 1, 0, line);
        p.Plate(0.76f, 0.8f, 0, 1, 0, line);
    }
    picture.Blit(cell, 0, 0, 64, 32, x, y, true);
}

// Types 4 and 5: a platform row in the upper half, with a low canopy on
// posts along its front edge that leaves the track in the middle in sight,
// the two plates in the lower half.
void DrawPlatformSheet(Canvas& picture, int type, int rotation) {
    const int half = picture.height / 2;
    Canvas row(picture.width, half);
    RowPainter p(row, type, rotation);
    const float length = p.Length();
    for (float t = 0.5f; t < length; t += 1.0f) {
        p.Box(t - 0.03f, t + 0.03f, 0.88f, 0.94f, 0, kCanopyTop - 1, pal::kGrey, 6, pal::kGrey, 8);
    }
    p.Box(0.2f, length - 0.05f, 0.84f, 0.98f, kCanopyTop - 1, kCanopyTop, pal::kSlate, 3,
          pal::kSlate, 5);
    picture.Blit(row, 0, 0, row.width, half, 0, 0, false);
    DrawPlate(picture, 0, 93, true);
    DrawPlate(picture, 96, 93, false);
    PutMark(picture, 31, 93 + 4, type);
    PutMark(picture, 96 + 31, 93 + 4, type);
}

// Types 6..9: the head row, paved, with a low hall in the owner's colour on
// its front half.
void DrawStationHead(Canvas& picture, int type, int rotation, int colour) {
    RowPainter p(picture, type, rotation);
    const Ramp player = pal::PlayerRamp(colour);
    const float length = p.Length();
    p.Plate(0, length, 0, 1, pal::Shade(pal::kConcrete, 4));
    p.Box(0.5f, length - 0.3f, 0.5f, 0.95f, 0, kHallTop, pal::kConcrete, 4, player,
          pal::kPlayerPureLevel);
    p.Roof(0.5f, length - 0.3f, 0.5f, 0.95f, kHallTop, kHallRoofRise, player,
           pal::kPlayerPureLevel);
    p.Windows(0.5f, length - 0.3f, 0.5f, 0.95f, 0, kHallTop);
}

}  // namespace

void PictureExtents(int type, int rotation, int* a, int* b) {
    int w = kBuildings[type].width, d = kBuildings[type].depth;
    // Station heads and platform rows show one row of the station.
    switch (type) {
        case 4:
            w = 1, d = 4;
            break;  // rows of stations along x (types 7 and 9)
        case 5:
            w = 4, d = 1;
            break;  // rows of stations along y (types 6 and 8)
        case 6:
        case 8:
            w = 4, d = 1;
            break;
        case 7:
        case 9:
            w = 1, d = 4;
            break;
        default:
            break;
    }
    if (rotation & 1) {
        *a = d;
        *b = w;
    } else {
        *a = w;
        *b = d;
    }
}

namespace {

// The picture of MakeBuildingPicture; `animated` leaves out what the field
// animation of the type draws itself.
Canvas BuildingPicture(int type, int rotation, int colour, bool animated) {
    int a = 0, b = 0;
    PictureExtents(type, rotation, &a, &b);
    const int width = 32 * (a + b);
    if (type <= 3) {
        Canvas picture(64, 112);
        DrawDepot(picture, type, rotation, colour);
        return picture;
    }
    if (type == 4 || type == 5) {
        Canvas picture(width, 2 * 93);
        DrawPlatformSheet(picture, type, rotation);
        return picture;
    }
    Canvas picture(width, 16 * (a + b) + ExtraHeight(type));
    if (type >= 6 && type <= 9) {
        DrawStationHead(picture, type, rotation, colour);
    } else {
        IsoPainter p(picture, a, b);
        // Stores keep their shop front towards the viewer in every rotation.
        if (type < 21 || type > 26) {
            p.SetLocalFrame(rotation, kBuildings[type].width, kBuildings[type].depth);
        }
        if (type >= 21 && type <= 26) {
            DrawStore(p, type, colour);
        } else if (type >= 27) {
            DrawAttraction(p, type, animated);
        } else {
            DrawIndustry(p, type, animated);
        }
    }
    MarkBottomCorner(picture, a, type);
    return picture;
}

}  // namespace

Canvas MakeBuildingPicture(int type, int rotation, int colour) {
    return BuildingPicture(type, rotation, colour, false);
}

bool AnimationCellOrigin(int type, int* left, int* top) {
    const AnimationType* record = AnimationTypeOf(AnimationKindOfType(type));
    if (record == nullptr) return false;
    // A cell pixel lies (dx, dy) from the anchor field's corner on the
    // screen; the anchor's strip starts 32 (D - 1) columns into the picture,
    // and the picture's top row stands 1 + T rows above that corner, T being
    // the height above the footprint (rotation 0).
    *left = record->dx + 32 * (kBuildings[type].depth - 1);
    *top = record->dy + 1 + ExtraHeight(type);
    return true;
}

Canvas MakeAnimatedBuildingPicture(int type) {
    Canvas picture = BuildingPicture(type, 0, 0, true);
    const int animation = AnimationKindOfType(type);
    int left = 0, top = 0;
    if (!AnimationCellOrigin(type, &left, &top)) return picture;
    const AnimationSize cell = AnimationCellSize(animation);
    // The court's picture draws the rim of its animation's ground around the
    // window, so that the whole court shows in its own outline.
    uint8_t rim = 0;
    const bool court = type == kTennisCourtType && AnimationGroundRim(animation, &rim);
    for (int y = 0; y < cell.height; ++y) {
        for (int x = 0; x < cell.width; ++x) {
            if (OnAnimationGround(animation, x, y, kAnimationWindowMargin)) {
                picture.Set(left + x, top + y, 0);
            } else if (court && OnAnimationGround(animation, x, y, 0)) {
                picture.Set(left + x, top + y, rim);
            }
        }
    }
    return picture;
}

Canvas MakeCityBuilding(int kind, int rotation) {
    // Six size classes from cottages to towers, colours varying by kind.
    const int sizeClass = (kind - 1) % 6;
    static constexpr int kWall[6] = {12, 18, 28, 40, 60, 84};
    static constexpr Ramp kWalls[] = {pal::kBrick,    pal::kConcrete, pal::kSand,  pal::kBrick,
                                      pal::kConcrete, pal::kSlate,    pal::kOrange};
    static constexpr Ramp kRoofs[] = {pal::kBrick, pal::kSlate, pal::kEarth, pal::kRock};
    const int wall = kWall[sizeClass];
    const bool pitched = sizeClass < 3;
    Canvas picture(64, 32 + wall + (pitched ? 14 : 6));
    IsoPainter p(picture, 1, 1);
    const Ramp walls = kWalls[kind % 7], roof = kRoofs[(kind / 7) % 4];
    const float inset = sizeClass < 2 ? 0.18f : 0.08f;
    p.Plate(0, 1, 0, 1, 0, pal::Shade(sizeClass < 3 ? pal::kLowSpring : pal::kConcrete, 4));
    p.Box(inset, 1 - inset, inset, 1 - inset, 0, static_cast<float>(wall), walls, 3, roof, 4);
    p.Windows(inset, 1 - inset, inset, 1 - inset, 0, static_cast<float>(wall),
              pal::Shade(pal::kGold, (kind % 3) + 4), 0.2f, sizeClass < 3 ? 9.0f : 8.0f);
    if (pitched) {
        p.GableRoof(inset, 1 - inset, inset, 1 - inset, static_cast<float>(wall), 10,
                    ((kind + rotation) & 1) == 0, roof, 4);
    } else {
        p.Box(0.35f, 0.65f, 0.35f, 0.65f, static_cast<float>(wall), static_cast<float>(wall) + 5,
              pal::kGrey, 6, pal::kGrey, 8);
    }
    MarkBottomCorner(picture, 1, 33 + kind);
    return picture;
}

}  // namespace standin
