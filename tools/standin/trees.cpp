#include "trees.h"

#include <cmath>

#include "cell_mark.h"
#include "iso.h"
#include "palette.h"

namespace standin {
namespace {

enum class Crown { Round, Tall, Birch, Cone, TallCone, Fir, Larch, Sparse, Bush, Palm, Shrub };

Crown TreeCrown(int type) {
    return static_cast<Crown>(type);
}

bool Evergreen(Crown c) {
    return c == Crown::Cone || c == Crown::TallCone || c == Crown::Fir || c == Crown::Palm ||
           c == Crown::Shrub;
}

// Foliage colour of a deciduous tree in a month (0 = January); 0 = bare.
uint8_t LeafColour(int month, int season, unsigned noise, Crown crown) {
    if (month <= 1 || month == 11) return 0;
    if (month <= 3) {
        if ((crown == Crown::Round || crown == Crown::Bush) && noise > 200)
            return pal::Shade(pal::kBlossom, 2);
        return pal::Shade(pal::kFoliage, 5);
    }
    if (month <= 7) return pal::Shade(pal::kFoliage, season == 2 ? 3 : 4);
    if (month == 8) return pal::Shade(noise > 128 ? pal::kFoliage : pal::kLeaves, 4);
    if (month == 9) return pal::Shade(pal::kLeaves, noise > 100 ? 3 : 4);
    return noise > 150 ? pal::Shade(pal::kLeaves, 1) : 0;  // November: few leaves left
}

void DrawTree(Canvas& c, int x0, int y0, int value, int month, int season, bool stump) {
    const int type = (value - 1) / 3, variant = (value - 1) % 3;
    const float scale = 0.7f + 0.15f * variant;
    const Crown crown = TreeCrown(type);
    const float footX = x0 + 22.0f, footY = y0 + 71.0f;
    const uint8_t bark =
        crown == Crown::Birch ? pal::Shade(pal::kConcrete, 6) : pal::Shade(pal::kBark, 2);
    if (stump) {
        c.FillRect(x0 + 20, y0 + 64, 4, 7, pal::Shade(pal::kBark, 2));
        c.FillEllipse(footX, y0 + 64.0f, 2.5f, 1.2f, pal::Shade(pal::kBark, 4));
        return;
    }
    // Shadow on the ground, then the trunk.
    c.FillEllipse(footX + 3, footY - 1, 8 * scale, 3 * scale, pal::Shade(pal::kFoliage, 0));
    const int trunkH = static_cast<int>((crown == Crown::Palm ? 40 : 18) * scale);
    c.FillRect(x0 + 20, static_cast<int>(footY) - trunkH, crown == Crown::Palm ? 3 : 4, trunkH,
               bark);
    const bool winter = month <= 1 || month == 11;
    const bool snowy = winter && season != 2;
    for (int y = 0; y < kTreeHeight; ++y) {
        for (int x = 0; x < kTreeWidth; ++x) {
            const float px = x0 + x + 0.5f, py = y0 + y + 0.5f;
            const float dx = (px - footX) / scale, dy = (footY - py) / scale;  // up is positive
            bool inside = false;
            float shadeT = 0;  // 0 lit (left/top) .. 1 shaded
            switch (crown) {
                case Crown::Round:
                case Crown::Birch:
                case Crown::Sparse: {
                    const float r = crown == Crown::Sparse ? 11 : 14;
                    const float cy = crown == Crown::Sparse ? 36 : 34;
                    const float d = std::sqrt(dx * dx + (dy - cy) * (dy - cy) * 1.1f);
                    inside = d < r && (crown != Crown::Sparse || Noise(x, y, value) > 90);
                    shadeT = (dx - (dy - cy) * 0.6f) / (2 * r) + 0.5f;
                    break;
                }
                case Crown::Tall: {
                    const float d = std::sqrt(dx * dx * 2.2f + (dy - 38) * (dy - 38) * 0.45f);
                    inside = d < 12;
                    shadeT = dx / 16 + 0.5f;
                    break;
                }
                case Crown::Cone:
                case Crown::TallCone:
                case Crown::Fir:
                case Crown::Larch: {
                    const float height = crown == Crown::TallCone ? 62
                                         : crown == Crown::Fir    ? 50
                                                                  : 46;
                    const float base = 8, halfW = crown == Crown::Fir ? 15 : 12;
                    if (dy > base && dy < height) {
                        const float w = halfW * (height - dy) / (height - base);
                        // Tiers: every 8 pixels the cone widens a little.
                        const float tier = std::fmod(dy - base, 8.0f) / 8.0f;
                        inside = std::fabs(dx) < w * (0.8f + 0.2f * (1 - tier));
                    }
                    shadeT = dx / (2 * halfW) + 0.5f;
                    break;
                }
                case Crown::Bush:
                case Crown::Shrub: {
                    const float d = std::sqrt(dx * dx + (dy - 8) * (dy - 8) * 2.0f);
                    inside = d < (crown == Crown::Bush ? 11 : 8);
                    shadeT = dx / 22 + 0.5f;
                    break;
                }
                case Crown::Palm: {
                    // Fronds: four drooping lobes around the top of the trunk.
                    const float ty = dy - 40;
                    const float ang = std::atan2(ty, dx);
                    const float rr = std::sqrt(dx * dx + ty * ty);
                    const float lobe = 10 + 4 * std::cos(4 * ang);
                    inside = rr < lobe && ty > -8;
                    shadeT = dx / 28 + 0.5f;
                    break;
                }
            }
            if (!inside) continue;
            const unsigned n = Noise(x0 + x, y0 + y, value);
            uint8_t colour;
            if (Evergreen(crown)) {
                const Ramp r = crown == Crown::Shrub
                                   ? (season == 2 ? pal::kMidSummer : pal::kFoliage)
                                   : pal::kFoliage;
                colour = pal::Shade(r, crown == Crown::Fir ? 1 : 2);
            } else if (crown == Crown::Larch) {
                colour = month >= 9 && month <= 10 ? pal::Shade(pal::kGold, 4)
                         : winter                  ? 0
                                                   : pal::Shade(pal::kFoliage, 4);
            } else {
                colour = LeafColour(month, season, n, crown);
            }
            if (colour == 0) {
                // Bare branches: a sparse twig pattern in bark colour.
                if (n > 170) c.Set(x0 + x, y0 + y, pal::Shade(pal::kBark, 3));
                continue;
            }
            int shade = shadeT > 0.65f ? 1 : (shadeT < 0.3f ? -1 : 0);
            if (n > 225) shade -= 1;
            colour = pal::Darker(colour, shade);
            if (snowy && dy > 20 && n > 150 && shadeT < 0.6f) colour = pal::Shade(pal::kSnow, 4);
            c.Set(x0 + x, y0 + y, colour);
        }
    }
}

// Draws a tree into its own cell of the sheet and marks it. The shadow
// reaches below the foot: drawn on a canvas of the cell's size, nothing of it
// spills into the top of the cell below (the next month's picture).
void PutTree(Canvas& sheet, int x0, int y0, int value, int month, int season, bool stump,
             int index) {
    Canvas cell(kTreeWidth, kTreeHeight);
    DrawTree(cell, 0, 0, value, month, season, stump);
    PutMark(cell, kTreeMarkX, kTreeMarkY, index);
    sheet.Blit(cell, 0, 0, kTreeWidth, kTreeHeight, x0, y0, false);
}

}  // namespace

Canvas MakeTreeSheet(int season) {
    Canvas sheet(kTreeWidth * kTreeColumns, kTreeHeight * 12);
    for (int month = 0; month < 12; ++month) {
        for (int col = 0; col < kTreeColumns; ++col) {
            PutTree(sheet, col * kTreeWidth, month * kTreeHeight, col + 1, month, season, false,
                    month * kTreeColumns + col);
        }
    }
    return sheet;
}

Canvas MakeSummerTreeRow(int season) {
    Canvas sheet(kTreeWidth * kTreeColumns, kTreeHeight);
    for (int col = 0; col < kTreeColumns; ++col) {
        PutTree(sheet, col * kTreeWidth, 0, col + 1, 5, season, false, col);
    }
    return sheet;
}

Canvas MakeStumpRow() {
    Canvas sheet(kTreeWidth * kTreeColumns, kTreeHeight);
    for (int col = 0; col < kTreeColumns; ++col) {
        PutTree(sheet, col * kTreeWidth, 0, col + 1, 5, 2, true, col);
    }
    return sheet;
}

}  // namespace standin
