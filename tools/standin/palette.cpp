#include "palette.h"

#include <algorithm>

namespace standin {
namespace {

struct RampSpec {
    Ramp ramp;
    Rgb dark, mid, light;
};

// Dark to mid over the first half, mid to light over the second.
constexpr RampSpec kRamps[] = {
    {pal::kGrey, {18, 18, 22}, {120, 120, 124}, {236, 236, 236}},
    {pal::kWater, {12, 34, 86}, {40, 92, 170}, {140, 196, 236}},
    {pal::kSand, {150, 126, 72}, {204, 182, 118}, {242, 228, 172}},
    {pal::kLowSpring, {28, 70, 20}, {84, 160, 52}, {176, 224, 112}},
    {pal::kLowSummer, {52, 70, 16}, {126, 150, 42}, {214, 210, 112}},
    {pal::kLowAutumn, {72, 50, 16}, {162, 122, 42}, {232, 192, 102}},
    {pal::kMidSpring, {26, 56, 26}, {62, 116, 52}, {140, 180, 100}},
    {pal::kMidSummer, {46, 52, 22}, {102, 112, 52}, {172, 172, 102}},
    {pal::kMidAutumn, {62, 36, 16}, {132, 82, 42}, {202, 152, 92}},
    {pal::kRock, {46, 42, 40}, {112, 106, 100}, {192, 184, 172}},
    {pal::kSnow, {150, 162, 188}, {206, 214, 232}, {250, 252, 254}},
    {pal::kEarth, {52, 32, 16}, {122, 82, 46}, {202, 162, 112}},
    {pal::kAsphalt, {30, 32, 38}, {76, 80, 90}, {152, 156, 166}},
    {pal::kFoliage, {10, 42, 12}, {40, 110, 32}, {122, 192, 82}},
    {pal::kLeaves, {122, 40, 12}, {204, 92, 22}, {250, 182, 62}},
    {pal::kBlossom, {196, 120, 150}, {228, 164, 190}, {252, 222, 236}},
    {pal::kSky, {6, 10, 42}, {32, 62, 142}, {132, 172, 242}},
    {pal::kBrick, {62, 22, 16}, {152, 62, 42}, {222, 142, 112}},
    {pal::kConcrete, {72, 66, 56}, {158, 150, 134}, {236, 230, 212}},
    {pal::kSlate, {26, 30, 52}, {62, 76, 122}, {152, 166, 212}},
    {pal::kTeal, {10, 52, 52}, {32, 132, 122}, {132, 212, 202}},
    {pal::kPurple, {42, 10, 52}, {122, 52, 142}, {212, 162, 226}},
    {pal::kBark, {42, 26, 10}, {92, 62, 32}, {142, 102, 62}},
    {pal::kOrange, {82, 32, 2}, {222, 122, 22}, {255, 212, 142}},
    {pal::kGold, {92, 62, 2}, {212, 162, 42}, {255, 242, 162}},
};

constexpr Rgb kPlayerPure[4] = {{255, 0, 0}, {90, 198, 90}, {0, 90, 231}, {255, 255, 8}};

uint8_t Mix(uint8_t a, uint8_t b, float t) {
    return static_cast<uint8_t>(std::clamp(a + (b - a) * t + 0.5f, 0.0f, 255.0f));
}

Rgb MixRgb(Rgb a, Rgb b, float t) {
    return {Mix(a.r, b.r, t), Mix(a.g, b.g, t), Mix(a.b, b.b, t)};
}

void FillRamp(std::array<Rgb, 256>& p, const RampSpec& shades) {
    const int n = shades.ramp.count;
    for (int i = 0; i < n; ++i) {
        float t = n == 1 ? 0.5f : static_cast<float>(i) / (n - 1);
        p[shades.ramp.base + i] = t < 0.5f ? MixRgb(shades.dark, shades.mid, t * 2)
                                           : MixRgb(shades.mid, shades.light, (t - 0.5f) * 2);
    }
}

// Player ramps: levels 0..3 darken the pure colour, 5..7 lighten it.
void FillPlayerRamp(std::array<Rgb, 256>& p, Ramp ramp, Rgb pure) {
    constexpr float kDark[4] = {0.30f, 0.45f, 0.62f, 0.80f};
    constexpr float kLight[3] = {0.25f, 0.45f, 0.65f};
    for (int i = 0; i < 4; ++i) p[ramp.base + i] = MixRgb({0, 0, 0}, pure, kDark[i]);
    p[ramp.base + 4] = pure;
    for (int i = 0; i < 3; ++i) p[ramp.base + 5 + i] = MixRgb(pure, {255, 255, 255}, kLight[i]);
}

std::array<Rgb, 256> Build() {
    std::array<Rgb, 256> p{};
    constexpr Rgb kStaticLow[10] = {{0, 0, 0},       {128, 0, 0},    {0, 128, 0},   {128, 128, 0},
                                    {0, 0, 128},     {128, 0, 128},  {0, 128, 128}, {192, 192, 192},
                                    {192, 220, 192}, {166, 202, 240}};
    constexpr Rgb kStaticHigh[10] = {
        {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},   {0, 255, 0},
        {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255}, {255, 255, 255}};
    for (int i = 0; i < 10; ++i) {
        p[i] = kStaticLow[i];
        p[246 + i] = kStaticHigh[i];
    }
    for (int i = 10; i < 246; ++i) p[i] = {128, 128, 128};  // entries no ramp uses
    p[pal::kText] = {250, 240, 200};
    for (const RampSpec& shades : kRamps) FillRamp(p, shades);
    for (int c = 0; c < 4; ++c) FillPlayerRamp(p, pal::PlayerRamp(c), kPlayerPure[c]);
    // Cell-mark digits: near-black charcoal, each entry a distinct colour.
    for (int d = 0; d < pal::kMarkDigits.count; ++d) {
        p[pal::kMarkDigits.base + d] = {static_cast<uint8_t>(24 + d), static_cast<uint8_t>(22 + d),
                                        static_cast<uint8_t>(30 + d)};
    }
    return p;
}

}  // namespace

namespace pal {
Ramp PlayerRamp(int colour) {
    switch (colour & 3) {
        case 0:
            return kPlayerRed;
        case 1:
            return kPlayerGreen;
        case 2:
            return kPlayerBlue;
        default:
            return kPlayerYellow;
    }
}

uint8_t Darker(uint8_t c, int steps) {
    static constexpr Ramp kAll[] = {
        kGrey,         kPlayerRed,   kWater,     kSand,       kLowSpring, kLowSummer,
        kLowAutumn,    kMidSpring,   kMidSummer, kMidAutumn,  kRock,      kSnow,
        kEarth,        kAsphalt,     kFoliage,   kLeaves,     kBlossom,   kSky,
        kPlayerYellow, kBrick,       kConcrete,  kSlate,      kTeal,      kPurple,
        kBark,         kPlayerGreen, kOrange,    kPlayerBlue, kGold};
    for (const Ramp& r : kAll) {
        if (c >= r.base && c < r.base + r.count) return Shade(r, c - r.base - steps);
    }
    return c;
}

}  // namespace pal

const std::array<Rgb, 256>& Palette() {
    static const std::array<Rgb, 256> palette = Build();
    return palette;
}

}  // namespace standin
