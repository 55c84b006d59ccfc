#include "animations.h"

#include <cmath>

#include "cell_mark.h"
#include "palette.h"

namespace standin {
namespace {

constexpr float kPi = 3.14159265f;

void Puffs(Canvas& c, int x0, int w, int h, int frame, int frames, Ramp ramp) {
    // Three smoke puffs rising and growing, phase-shifted.
    for (int i = 0; i < 3; ++i) {
        const float t = std::fmod((frame + i * frames / 3.0f) / frames, 1.0f);
        const float cy = h - 6 - t * (h - 10);
        const float cx = x0 + w / 2.0f + std::sin(t * 2 * kPi) * w * 0.15f;
        const float r = 2.5f + t * w * 0.22f;
        c.FillEllipse(cx, cy, r, r * 0.8f, pal::Shade(ramp, 4 + static_cast<int>(t * 3)));
    }
}

void DrawFrame(Canvas& c, int type, int frame, const AnimationSize& s) {
    const int x0 = frame * s.width;
    const int loopFrames = type >= 8 ? 16 : s.frames;
    const bool resting = type >= 8 && frame == 16;
    const float t = static_cast<float>(frame % loopFrames) / loopFrames;
    switch (type) {
        case 0:
            Puffs(c, x0, s.width, s.height, frame, loopFrames, pal::kGrey);
            break;  // steel chimney
        case 1:
            Puffs(c, x0, s.width, s.height, frame, loopFrames, pal::kSnow);
            break;  // chemical steam
        case 2: {   // lumber mill: a spinning saw blade
            const float cx = x0 + s.width / 2.0f, cy = s.height / 2.0f, r = 12;
            c.FillEllipse(cx, cy, r, r * 0.5f, pal::Shade(pal::kGrey, 9));
            for (int k = 0; k < 4; ++k) {
                const float a = t * 2 * kPi + k * kPi / 2;
                c.Line(static_cast<int>(cx), static_cast<int>(cy),
                       static_cast<int>(cx + std::cos(a) * r),
                       static_cast<int>(cy + std::sin(a) * r * 0.5f), pal::Shade(pal::kGrey, 4));
            }
            break;
        }
        case 3: {  // sports industry: a bouncing ball
            const float y = s.height - 5 - std::fabs(std::sin(t * kPi)) * (s.height - 12);
            c.FillEllipse(x0 + s.width / 2.0f, y, 4, 4, pal::Shade(pal::kOrange, 4));
            break;
        }
        case 4:
            Puffs(c, x0, s.width, s.height, frame, loopFrames, pal::kConcrete);
            break;  // wood industry
        case 5: {   // toy industry: a turning pinwheel
            const float cx = x0 + s.width / 2.0f, cy = s.height / 3.0f;
            c.FillRect(static_cast<int>(cx), static_cast<int>(cy), 2,
                       s.height - static_cast<int>(cy) - 2, pal::Shade(pal::kBark, 3));
            for (int k = 0; k < 4; ++k) {
                const float a = t * 2 * kPi + k * kPi / 2;
                c.FillEllipse(cx + std::cos(a) * 7, cy + std::sin(a) * 7, 4, 4,
                              pal::Shade(k % 2 ? pal::kPlayerRed : pal::kGold, 4));
            }
            break;
        }
        case 8: {  // tennis: the ball flies across the court
            if (resting) break;
            const float x = x0 + 10 + t * (s.width - 20);
            const float y = s.height * 0.6f - std::sin(t * kPi) * 14;
            c.FillEllipse(x, y, 2, 2, pal::Shade(pal::kGold, 7));
            break;
        }
        case 9: {  // swimming pool: spreading rings
            if (resting) break;
            const float r = 3 + t * (s.width * 0.35f);
            const float cx = x0 + s.width / 2.0f, cy = s.height / 2.0f;
            for (int k = 0; k < 48; ++k) {
                const float a = k * 2 * kPi / 48;
                c.Set(static_cast<int>(cx + std::cos(a) * r),
                      static_cast<int>(cy + std::sin(a) * r * 0.5f), pal::Shade(pal::kWater, 7));
            }
            break;
        }
        case 10: {  // stadium: the crowd flashes
            if (resting) break;
            for (int k = 0; k < 30; ++k) {
                const int x = x0 + 4 + static_cast<int>((k * 37 + frame * 11) % (s.width - 8));
                const int y = 4 + (k * 13) % (s.height / 2);
                c.FillRect(x, y, 2, 2, pal::Shade(k % 3 ? pal::kGold : pal::kPlayerRed, 5));
            }
            break;
        }
        case 11: {  // race track: two cars going round
            if (resting) break;
            for (int k = 0; k < 2; ++k) {
                const float a = t * 2 * kPi + k * kPi;
                const float cx = x0 + s.width / 2.0f + std::cos(a) * s.width * 0.38f;
                const float cy = s.height / 2.0f + std::sin(a) * s.height * 0.36f;
                c.FillRect(static_cast<int>(cx) - 3, static_cast<int>(cy) - 2, 6, 4,
                           pal::Shade(k ? pal::kPlayerBlue : pal::kPlayerRed, 4));
            }
            break;
        }
        default:
            break;
    }
}

}  // namespace

AnimationSize AnimationCellSize(int type) {
    // Types 6 and 7 belong to no building; the loaders never read their
    // sheets, so none is made.
    static constexpr AnimationSize kSizes[kAnimationTypes] = {
        {16, 40, 8}, {88, 76, 8}, {108, 44, 16}, {16, 32, 8},  {112, 48, 16}, {36, 52, 16},
        {0, 0, 0},   {0, 0, 0},   {88, 44, 17},  {60, 40, 17}, {108, 48, 17}, {148, 92, 17},
    };
    if (type < 0 || type >= kAnimationTypes) return {0, 0, 0};
    return kSizes[type];
}

Canvas MakeAnimationSheet(int type) {
    const AnimationSize s = AnimationCellSize(type);
    Canvas c(s.width * s.frames, s.height);
    for (int f = 0; f < s.frames; ++f) {
        DrawFrame(c, type, f, s);
        PutMark(c, f * s.width, s.height - 1, f);
    }
    return c;
}

}  // namespace standin
