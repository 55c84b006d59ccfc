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
        // The game copies the whole 32 x 32 picture, so the board fills it:
        // a dark outline (on which the mark does not show), a bright frame
        // and the product's short name.
        const Ramp ramp = col == 0 ? pal::kGrey : player;
        c.FillRect(x0, 0, 32, 32, pal::Shade(ramp, 0));
        c.FillRect(x0 + 1, 1, 30, 30, pal::Shade(ramp, col == 0 ? 8 : 5));
        c.FillRect(x0 + 3, 3, 26, 26, pal::Shade(ramp, col == 0 ? 4 : 1));
        const std::string text = col == 0 ? "-" : GoodsShortName(col + 7);
        DrawSmallText(c, x0 + 16 - SmallTextWidth(text) / 2, 12, text, pal::kText);
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
