#include "platform/palette.h"

#include <algorithm>

#include "platform/compositor.h"
#include "platform/gdi.h"

namespace plat {

namespace {

// The 20 static colours of the 8-bit display: system entries 0-9, then 246-255.
constexpr uint8_t kStaticColours[kStaticColourCount][3] = {
    {0, 0, 0},       {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128},
    {128, 0, 128},   {0, 128, 128},   {192, 192, 192}, {192, 220, 192}, {166, 202, 240},
    {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0},
    {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255},   {255, 255, 255},
};

constexpr int kFirstFreeSlot = 10;
constexpr int kLastFreeSlot = 245;

int StaticSlot(int staticIndex) {
    return staticIndex < 10 ? staticIndex : staticIndex + 236;
}

bool IsStaticSlot(int slot) {
    return slot < kFirstFreeSlot || slot > kLastFreeSlot;
}

struct SystemPalette {
    RgbTable rgb{};
    uint32_t generation = 0;
    bool cleared = false;

    SystemPalette() { Reset(); }

    void Reset() {
        for (auto& e : rgb) e = {0, 0, 0};
        for (int i = 0; i < kStaticColourCount; ++i) {
            rgb[size_t(StaticSlot(i))] = {kStaticColours[i][0], kStaticColours[i][1],
                                          kStaticColours[i][2]};
        }
        cleared = false;
        ++generation;
    }
};

SystemPalette& System() {
    static SystemPalette palette;
    return palette;
}

int Distance(const std::array<uint8_t, 3>& a, uint8_t r, uint8_t g, uint8_t b) {
    int dr = int(a[0]) - r, dg = int(a[1]) - g, db = int(a[2]) - b;
    return dr * dr + dg * dg + db * db;
}

// Static colours first, so that plain colours keep to the slots that never
// change; then the closest colour of the whole system palette.
uint8_t NearestSystemIndex(uint8_t r, uint8_t g, uint8_t b) {
    const RgbTable& rgb = System().rgb;
    for (int i = 0; i < kStaticColourCount; ++i) {
        int slot = StaticSlot(i);
        if (Distance(rgb[size_t(slot)], r, g, b) == 0) return uint8_t(slot);
    }
    int best = 0, bestDistance = 1 << 30;
    for (int i = 0; i < kSystemPaletteSize; ++i) {
        int d = Distance(rgb[size_t(i)], r, g, b);
        if (d < bestDistance) {
            best = i;
            bestDistance = d;
            if (d == 0) break;
        }
    }
    return uint8_t(best);
}

bool AllBlack(const std::vector<PaletteEntry>& entries) {
    return std::all_of(entries.begin(), entries.end(), [](const PaletteEntry& e) {
        return e.red == 0 && e.green == 0 && e.blue == 0;
    });
}

// Gives every entry of a foreground palette a system slot: static colours and
// colours already placed by this realize are shared unless the entry asks for
// a slot of its own; other entries take slot i when i is free (so identity
// palettes map i to i), else the lowest free slot, else the nearest colour.
int RealizeForeground(const std::vector<PaletteEntry>& entries, std::vector<uint8_t>& map) {
    SystemPalette& system = System();
    std::array<bool, kSystemPaletteSize> taken{};
    int changed = 0;
    int nextFree = kFirstFreeSlot;
    map.assign(entries.size(), 0);
    for (size_t i = 0; i < entries.size(); ++i) {
        const PaletteEntry& e = entries[i];
        if (e.flags & kPcExplicit) {
            map[i] = uint8_t(e.red);  // low byte of the entry names the slot
            continue;
        }
        bool ownSlot = (e.flags & (kPcReserved | kPcNoCollapse)) != 0;
        int slot = -1;
        if (!ownSlot) {
            for (int s = 0; s < kSystemPaletteSize && slot < 0; ++s) {
                if ((IsStaticSlot(s) || taken[size_t(s)]) &&
                    Distance(system.rgb[size_t(s)], e.red, e.green, e.blue) == 0) {
                    slot = s;
                }
            }
        }
        if (slot < 0) {
            int want = int(i);
            if (want >= kFirstFreeSlot && want <= kLastFreeSlot && !taken[size_t(want)]) {
                slot = want;
            } else {
                while (nextFree <= kLastFreeSlot && taken[size_t(nextFree)]) ++nextFree;
                if (nextFree <= kLastFreeSlot) slot = nextFree;
            }
            if (slot >= 0) {
                taken[size_t(slot)] = true;
                auto& rgb = system.rgb[size_t(slot)];
                if (rgb[0] != e.red || rgb[1] != e.green || rgb[2] != e.blue) {
                    rgb = {e.red, e.green, e.blue};
                    ++changed;
                }
            }
        }
        if (slot < 0) slot = NearestSystemIndex(e.red, e.green, e.blue);
        map[i] = uint8_t(slot);
    }
    if (changed > 0) ++system.generation;
    return changed;
}

void RealizeBackground(const std::vector<PaletteEntry>& entries, std::vector<uint8_t>& map) {
    map.resize(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        const PaletteEntry& e = entries[i];
        map[i] = (e.flags & kPcExplicit) ? e.red : NearestSystemIndex(e.red, e.green, e.blue);
    }
}

}  // namespace

Palette::Palette(std::span<const PaletteEntry> entries)
    : entries_(entries.begin(), entries.end()) {}

int Palette::GetEntries(int start, int count, PaletteEntry* out) const {
    if (start < 0 || count <= 0 || start >= Size() || out == nullptr) return 0;
    int n = std::min(count, Size() - start);
    std::copy_n(entries_.begin() + start, n, out);
    return n;
}

int Palette::SetEntries(int start, int count, const PaletteEntry* in) {
    if (start < 0 || count <= 0 || start >= Size() || in == nullptr) return 0;
    int n = std::min(count, Size() - start);
    std::copy_n(in, n, entries_.begin() + start);
    systemIndex_.clear();
    return n;
}

int Palette::NearestIndex(ColourRef colour) const {
    if (IsPaletteIndex(colour)) {
        int index = int(colour & 0xFFFF);
        return index < Size() ? index : 0;
    }
    uint8_t r = RedOf(colour), g = GreenOf(colour), b = BlueOf(colour);
    int best = 0, bestDistance = 1 << 30;
    for (int i = 0; i < Size(); ++i) {
        const PaletteEntry& e = entries_[size_t(i)];
        int d = Distance({e.red, e.green, e.blue}, r, g, b);
        if (d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

uint8_t Palette::SystemIndexOf(int index) const {
    if (index < 0 || index >= Size()) return 0;
    // A map from an earlier realize holds only while the system palette has
    // not changed since.
    if (size_t(index) < systemIndex_.size() && mapGeneration_ == System().generation) {
        return systemIndex_[size_t(index)];
    }
    const PaletteEntry& e = entries_[size_t(index)];
    return NearestSystemIndex(e.red, e.green, e.blue);
}

PaletteHandle CreatePalette(std::span<const PaletteEntry> entries) {
    if (entries.empty() || entries.size() > size_t(kSystemPaletteSize)) return nullptr;
    return std::make_shared<Palette>(entries);
}

PaletteHandle StockDefaultPalette() {
    static const PaletteHandle stock = [] {
        std::array<PaletteEntry, kStaticColourCount> entries;
        for (int i = 0; i < kStaticColourCount; ++i) {
            entries[size_t(i)] = {kStaticColours[i][0], kStaticColours[i][1], kStaticColours[i][2],
                                  0};
        }
        return std::make_shared<Palette>(entries);
    }();
    return stock;
}

int GetPaletteEntries(const PaletteHandle& palette, int start, int count, PaletteEntry* out) {
    return palette ? palette->GetEntries(start, count, out) : 0;
}

int GetNearestPaletteIndex(const PaletteHandle& palette, ColourRef colour) {
    return palette ? palette->NearestIndex(colour) : -1;
}

PaletteHandle SelectPalette(DeviceContext& dc, PaletteHandle palette, bool forceBackground) {
    if (!palette) return nullptr;
    PaletteHandle previous = std::move(dc.palette_);
    dc.palette_ = std::move(palette);
    dc.paletteBackground_ = forceBackground;
    return previous;
}

int RealizePalette(DeviceContext& dc) {
    InstallCompositor();
    const PaletteHandle& palette = dc.SelectedPalette();
    if (!palette) return 0;
    // Memory contexts have no window that could own the foreground palette.
    bool foreground = !dc.PaletteIsBackground() && dc.GetKind() != DeviceContext::Kind::Memory;
    // A map made in the same way since the system palette last changed is
    // still the answer: realizing again would give the same slots and change
    // nothing (every frame realizes the same palettes).
    const bool current = palette->mapGeneration_ == System().generation &&
                         palette->mapForeground_ == foreground &&
                         palette->systemIndex_.size() == palette->entries_.size();
    if (!foreground) {
        if (!current) RealizeBackground(palette->entries_, palette->systemIndex_);
        palette->mapGeneration_ = System().generation;
        palette->mapForeground_ = false;
        return 0;
    }
    int changed = current ? 0 : RealizeForeground(palette->entries_, palette->systemIndex_);
    palette->mapGeneration_ = System().generation;
    palette->mapForeground_ = true;
    if (AllBlack(palette->entries_)) {
        System().cleared = true;
    } else if (changed > 0) {
        System().cleared = false;
    }
    return changed;
}

int GetSystemPaletteEntries(int start, int count, PaletteEntry* out) {
    if (start < 0 || count <= 0 || start >= kSystemPaletteSize || out == nullptr) return 0;
    int n = std::min(count, kSystemPaletteSize - start);
    const RgbTable& rgb = System().rgb;
    for (int i = 0; i < n; ++i) {
        const auto& c = rgb[size_t(start + i)];
        out[i] = {c[0], c[1], c[2], 0};
    }
    return n;
}

int GetSystemPaletteUse() {
    return kSystemPaletteStatic;
}

int OsMajorVersion() {
    return 4;
}

const RgbTable& SystemPaletteRgb() {
    return System().rgb;
}
uint32_t SystemPaletteGeneration() {
    return System().generation;
}
bool SystemPaletteCleared() {
    return System().cleared;
}
void ResetSystemPalette() {
    System().Reset();
}

}  // namespace plat
