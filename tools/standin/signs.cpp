#include "signs.h"

#include <string>

#include "cell_mark.h"
#include "palette.h"
#include "pixel_font.h"

namespace standin {
namespace {

// Short names of the goods 0..43: the panel's goods icons and (products
// 8..43) the production signs.
constexpr const char* kGoodsShort[44] = {
    "WOOD",  "PLAST", "ALU",   "COPPR", "STEEL", "GOLD",  "SILVR", "DIAM",  "TRAIN",
    "TRIKE", "DOLLS", "PLCAR", "MTCAR", "RACE",  "ROBOT", "PLANE", "VIDEO", "SKIS",
    "BIKES", "GYM",   "TENIS", "BOATS", "MTBIK", "SNOWB", "SKATE", "SLEDS", "FURN",
    "FRAME", "GARDN", "GOLD",  "SILVR", "RINGS", "CAR80", "CAR90", "CAR10", "TV",
    "HIFI",  "DISH",  "ELCMP", "COMP",  "PHONE", "MEDIA", "PICPH", "VIDPI",
};

}  // namespace

const char* GoodsShortName(int good) {
    return good >= 0 && good < 44 ? kGoodsShort[good] : "";
}

Canvas MakeSignSheet() {
    Canvas c(192, 75);
    for (int band = 0; band < 5; ++band) {
        const Ramp ramp = band < 4 ? pal::PlayerRamp(band) : pal::kSlate;
        const int y0 = band * 15;
        c.FillRect(0, y0, 192, 15, pal::Shade(ramp, band < 4 ? 1 : 2));
        c.FillRect(0, y0, 192, 1, pal::Shade(ramp, band < 4 ? 3 : 4));
        c.FillRect(0, y0 + 14, 192, 1, pal::Shade(ramp, 0));
        c.FillRect(0, y0, 1, 15, pal::Shade(ramp, band < 4 ? 3 : 4));
        // The right border column.
        c.FillRect(191, y0, 1, 15, pal::Shade(ramp, 0));
    }
    return c;
}

Canvas MakeProductionSigns(int colour) {
    Canvas c(32 * 37, 32);
    const Ramp player = pal::PlayerRamp(colour);
    for (int col = 0; col < 37; ++col) {
        const int x0 = col * 32;
        // A board on a post.
        c.FillRect(x0 + 15, 20, 2, 12, pal::Shade(pal::kGrey, 4));
        c.FillRect(x0 + 2, 4, 28, 17, col == 0 ? pal::Shade(pal::kGrey, 4) : pal::Shade(player, 1));
        c.FrameRect(x0 + 2, 4, 28, 17,
                    col == 0 ? pal::Shade(pal::kGrey, 8) : pal::Shade(player, 5));
        const std::string text = col == 0 ? "-" : GoodsShortName(col + 7);
        DrawSmallText(c, x0 + 16 - SmallTextWidth(text) / 2, 8, text, pal::kText);
        PutMark(c, x0, 31, col);
    }
    return c;
}

Canvas MakeSfSheet() {
    Canvas c(64, 40);
    c.FillRect(0, 0, 64, 40, pal::Shade(pal::kGrey, 3));
    c.FrameRect(0, 0, 64, 40, pal::Shade(pal::kGrey, 8));
    return c;
}

}  // namespace standin
