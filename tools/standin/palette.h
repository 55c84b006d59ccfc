#pragma once
// The one 256-colour palette shared by every picture of the stand-in data.
//
// Entries 0-9 and 246-255 are the twenty static colours of an 8-bit palette
// display (0 black, 255 white). Entry 10 is the text colour. The remaining
// entries are ramps, each ordered from dark (level 0) to light; the four
// player colours sit at fixed entries 28, 195, 234 and 141 (level 4 of their
// ramps), which the game's screens and charts use directly.

#include <array>
#include <cstdint>

namespace standin {

struct Rgb {
    uint8_t r, g, b;
};

struct Ramp {
    uint8_t base;
    uint8_t count;
};

namespace pal {

constexpr uint8_t kBlack = 0;
constexpr uint8_t kText = 10;
constexpr uint8_t kWhite = 255;
constexpr uint8_t kStaticLightGrey = 7;
constexpr uint8_t kStaticMidGrey = 248;

constexpr Ramp kGrey{11, 13};
constexpr Ramp kPlayerRed{24, 8};  // player colour 0, entry 28 = (255, 0, 0)
constexpr Ramp kWater{32, 8};
constexpr Ramp kSand{40, 5};
constexpr Ramp kLowSpring{45, 8};
constexpr Ramp kLowSummer{53, 8};
constexpr Ramp kLowAutumn{61, 8};
constexpr Ramp kMidSpring{69, 6};
constexpr Ramp kMidSummer{75, 6};
constexpr Ramp kMidAutumn{81, 6};
constexpr Ramp kRock{87, 7};
constexpr Ramp kSnow{94, 5};
constexpr Ramp kEarth{99, 7};
constexpr Ramp kAsphalt{106, 6};
constexpr Ramp kFoliage{112, 7};
constexpr Ramp kLeaves{119, 5};  // autumn foliage
constexpr Ramp kBlossom{124, 4};
constexpr Ramp kSky{128, 7};           // screens and logos
constexpr Ramp kPlayerYellow{137, 8};  // player colour 3, entry 141 = (255, 255, 8)
constexpr Ramp kBrick{145, 7};
constexpr Ramp kConcrete{152, 7};
constexpr Ramp kSlate{159, 7};
constexpr Ramp kTeal{166, 7};
constexpr Ramp kPurple{173, 7};
constexpr Ramp kBark{180, 5};
constexpr Ramp kPlayerGreen{191, 8};  // player colour 1, entry 195 = (90, 198, 90)
constexpr Ramp kOrange{199, 7};
constexpr Ramp kMarkDigits{210, 20};  // cell-mark digits, see cell_mark.h
constexpr Ramp kPlayerBlue{230, 8};   // player colour 2, entry 234 = (0, 90, 231)
constexpr Ramp kGold{238, 8};         // highlights; entry 243 is a second text colour

constexpr int kPlayerPureLevel = 4;

// Level 0 is the darkest entry; levels outside the ramp are clamped.
constexpr uint8_t Shade(Ramp ramp, int level) {
    if (level < 0) level = 0;
    if (level >= ramp.count) level = ramp.count - 1;
    return static_cast<uint8_t>(ramp.base + level);
}

// The ramp of player colour 0..3 (red, green, blue, yellow).
Ramp PlayerRamp(int colour);

// The entry `steps` levels darker (negative: lighter) within the ramp that
// holds colour c, clamped to that ramp; colours outside every ramp are kept.
uint8_t Darker(uint8_t c, int steps);

}  // namespace pal

// The palette, built once.
const std::array<Rgb, 256>& Palette();

}  // namespace standin
