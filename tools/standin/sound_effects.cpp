#include "sound_effects.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

namespace standin {

namespace {

constexpr int kRate = 11025;
constexpr double kPi = 3.14159265358979323846;

// A small deterministic noise source (the same numbers on every run).
class Noise {
  public:
    explicit Noise(uint32_t seed) : state_(seed * 2654435761u + 1) {}
    // -1 .. 1
    double Next() {
        state_ = state_ * 1103515245u + 12345u;
        return double((state_ >> 8) & 0xFFFF) / 32767.5 - 1.0;
    }

  private:
    uint32_t state_;
};

using Signal = std::vector<double>;

Signal Make(double seconds, const std::function<double(double t, int i)>& f) {
    Signal s(size_t(seconds * kRate));
    for (size_t i = 0; i < s.size(); ++i) s[i] = f(double(i) / kRate, int(i));
    return s;
}

// Short fades at both ends so that no sound starts or stops with a click.
std::vector<uint8_t> ToBytes(const Signal& s) {
    std::vector<uint8_t> out(s.size());
    const size_t fade = std::min<size_t>(64, s.size() / 4);
    for (size_t i = 0; i < s.size(); ++i) {
        double v = s[i];
        if (i < fade) v *= double(i) / double(fade);
        if (s.size() - 1 - i < fade) v *= double(s.size() - 1 - i) / double(fade);
        v = std::clamp(v, -1.0, 1.0);
        out[i] = uint8_t(std::lround(128.0 + v * 127.0));
    }
    return out;
}

double Sine(double freq, double t) {
    return std::sin(2 * kPi * freq * t);
}

// Low-passed noise: each sample moves a part `a` of the way to new noise.
Signal SmoothNoise(double seconds, uint32_t seed, double a, double gain) {
    Noise n(seed);
    double y = 0;
    return Make(seconds, [&](double, int) {
        y += a * (n.Next() - y);
        return y * gain;
    });
}

Signal Thud() {
    Noise n(2);
    return Make(0.4, [&](double t, int) {
        return std::exp(-t * 12) *
               (0.8 * Sine(70 - 30 * t, t) + 0.2 * n.Next() * std::exp(-t * 40));
    });
}

Signal Demolition() {
    Signal s = SmoothNoise(0.8, 3, 0.5, 1.6);
    for (size_t i = 0; i < s.size(); ++i) s[i] *= std::exp(-double(i) / kRate * 4);
    return s;
}

// Engine hums of vehicle groups 4..11: a buzzing tone with a slow wobble,
// higher for each group.
Signal EngineHum(int effect) {
    const double base = 55.0 + 18.0 * (effect - 4);
    return Make(1.0, [base](double t, int) {
        const double f = base * (1 + 0.03 * Sine(3, t));
        const double phase = std::fmod(f * t, 1.0);
        return 0.35 * (2 * phase - 1) + 0.25 * Sine(2 * f, t);
    });
}

Signal QuietBlip(int effect) {
    const double f = 500.0 + 60.0 * effect;
    return Make(0.2, [f](double t, int) { return 0.15 * Sine(f, t) * std::exp(-t * 10); });
}

// Town murmur: voice-band noise with a swaying level; bigger towns are
// louder and busier. Size 0 small, 1 middle, 2..4 three big-town variants.
Signal TownMurmur(int size) {
    const double level = 0.25 + 0.15 * std::min(size, 2);
    const double sway = 1.5 + 0.7 * size;
    Signal s = SmoothNoise(1.2, uint32_t(17 + size), 0.15 + 0.05 * size, 2.5);
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = double(i) / kRate;
        s[i] *= level * (0.6 + 0.4 * Sine(sway, t));
    }
    return s;
}

Signal Saw() {
    Noise n(22);
    return Make(1.2, [&](double t, int) {
        const double stroke = 0.5 + 0.5 * Sine(2.5, t);
        const double phase = std::fmod(190 * t, 1.0);
        return stroke * (0.4 * (2 * phase - 1) + 0.2 * n.Next());
    });
}

Signal Hiss() {
    Noise n(23);
    return Make(0.8, [&](double t, int) { return 0.5 * n.Next() * (1 - t / 0.8); });
}

Signal Hammering() {
    return Make(1.0, [](double t, int) {
        const double since = std::fmod(t, 0.25);
        return 0.8 * std::exp(-since * 30) * (Sine(820, since) + 0.5 * Sine(1370, since));
    });
}

Signal Click(int effect) {
    const double f = 1200.0 + 400.0 * (effect - 26);
    return Make(0.2, [f](double t, int) { return 0.6 * Sine(f, t) * std::exp(-t * 60); });
}

Signal Chime() {
    return Make(0.7, [](double t, int) {
        const double f = t < 0.3 ? 880.0 : 660.0;
        const double since = t < 0.3 ? t : t - 0.3;
        return 0.6 * Sine(f, since) * std::exp(-since * 5);
    });
}

// Birds: quick rising chirps, pitched by season.
Signal Birds(int season) {
    const double base = 2000.0 + 300.0 * season;
    const double every = 0.18 + 0.04 * season;
    return Make(1.0, [base, every](double t, int) {
        const double since = std::fmod(t, every);
        if (since > 0.08) return 0.0;
        const double f = base + 8000.0 * since;
        return 0.5 * Sine(f, since) * std::sin(kPi * since / 0.08);
    });
}

Signal Wind(int season) {
    Signal s = SmoothNoise(1.0, uint32_t(100 + season), 0.04 + 0.02 * season, 6.0);
    for (size_t i = 0; i < s.size(); ++i) {
        s[i] *= 0.5 + 0.3 * Sine(0.8 + 0.3 * season, double(i) / kRate);
    }
    return s;
}

// Rain: sparse drops over a soft hiss, denser in autumn.
Signal Rain(int season) {
    Noise n(uint32_t(200 + season));
    const double density = 0.004 * season;
    double drop = 0;
    return Make(1.0, [&](double, int) {
        const double v = n.Next();
        if (std::fabs(v) < density) drop = 0.7;
        drop *= 0.93;
        return 0.12 * n.Next() + drop * n.Next();
    });
}

Signal EffectSignal(int effect) {
    if (effect == 2) return Thud();
    if (effect == 3) return Demolition();
    if (effect >= 4 && effect <= 11) return EngineHum(effect);
    if (effect >= 17 && effect <= 21) return TownMurmur(effect - 17);
    if (effect == 22) return Saw();
    if (effect == 23) return Hiss();
    if (effect == 24) return Hammering();
    if (effect >= 26 && effect <= 29) return Click(effect);
    if (effect == 30) return Chime();
    if (effect >= 31 && effect <= 39) {
        const int season = (effect - 31) / 3 + 1;
        switch ((effect - 31) % 3) {
            case 0:
                return Birds(season);
            case 1:
                return Wind(season);
            default:
                return Rain(season);
        }
    }
    return QuietBlip(effect);  // 12..16 and 25: loaded, never played
}

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}
void PutU16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void PutTag(std::vector<uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(tag[i]));
}

}  // namespace

std::vector<uint8_t> WaveFile(const std::vector<uint8_t>& samples) {
    std::vector<uint8_t> out;
    out.reserve(44 + samples.size());
    PutTag(out, "RIFF");
    PutU32(out, uint32_t(36 + samples.size()));
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    PutU32(out, 16);
    PutU16(out, 1);  // PCM
    PutU16(out, 1);  // mono
    PutU32(out, kRate);
    PutU32(out, kRate);  // bytes per second
    PutU16(out, 1);      // block alignment
    PutU16(out, 8);      // bits per sample
    PutTag(out, "data");
    PutU32(out, uint32_t(samples.size()));
    out.insert(out.end(), samples.begin(), samples.end());
    return out;
}

std::vector<uint8_t> MakeSoundEffect(int effect) {
    return WaveFile(ToBytes(EffectSignal(effect)));
}

void AddSoundEffectFiles(std::vector<FileRecipe>& files) {
    for (int effect = 2; effect <= 39; ++effect) {
        const std::string name =
            effect == 30 ? "fx/fx_30.wav" : "fx/fx_" + std::to_string(effect) + "_1.wav";
        files.push_back({name, [effect] { return MakeSoundEffect(effect); }});
    }
}

}  // namespace standin
