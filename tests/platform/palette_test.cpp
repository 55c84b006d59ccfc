#include <gtest/gtest.h>

#include <array>
#include <tuple>
#include <vector>

#include "platform/gdi.h"
#include "platform/palette.h"

namespace {

std::array<plat::PaletteEntry, 256> SystemEntries() {
    std::array<plat::PaletteEntry, 256> entries{};
    EXPECT_EQ(plat::GetSystemPaletteEntries(0, 256, entries.data()), 256);
    return entries;
}

// The identity palette a picture gets: the system's static colours at both
// ends, the picture's own colours (i, seed, 255 - i) reserved in between.
plat::PaletteHandle IdentityPalette(uint8_t seed) {
    std::array<plat::PaletteEntry, 256> entries = SystemEntries();
    for (int i = 10; i < 246; ++i) {
        entries[size_t(i)] = {uint8_t(i), seed, uint8_t(255 - i), plat::kPcReserved};
    }
    return plat::CreatePalette(entries);
}

class Palettes : public ::testing::Test {
  protected:
    Palettes() { plat::ResetSystemPalette(); }
    ~Palettes() override { plat::ResetSystemPalette(); }
    plat::DcHandle screen = plat::GetScreenDC();
};

}  // namespace

TEST_F(Palettes, OnlyAForegroundScreenRealizeChangesEntries10To245) {
    const auto before = SystemEntries();
    plat::PaletteHandle picture = IdentityPalette(40);
    // Background and memory-context realizes leave the system palette.
    plat::SelectPalette(*screen, picture, true);
    EXPECT_EQ(plat::RealizePalette(*screen), 0);
    plat::DcHandle memory = plat::CreateMemoryDC();
    plat::SelectPalette(*memory, picture, false);
    EXPECT_EQ(plat::RealizePalette(*memory), 0);
    EXPECT_EQ(SystemEntries()[100].red, 0);

    EXPECT_EQ(plat::SelectPalette(*screen, picture, false), picture);
    const uint32_t generation = plat::SystemPaletteGeneration();
    EXPECT_EQ(plat::RealizePalette(*screen), 236);
    EXPECT_NE(plat::SystemPaletteGeneration(), generation);
    const auto after = SystemEntries();
    for (int i = 0; i < 256; ++i) {
        const auto& e = after[size_t(i)];
        const auto& want = i < 10 || i > 245
                               ? before[size_t(i)]
                               : plat::PaletteEntry{uint8_t(i), 40, uint8_t(255 - i), 0};
        EXPECT_EQ(std::tie(e.red, e.green, e.blue), std::tie(want.red, want.green, want.blue)) << i;
        ASSERT_EQ(picture->SystemIndexOf(i), i);  // index i is shown with system entry i
    }
    // Realizing it again, or the stock palette as background, changes nothing.
    EXPECT_EQ(plat::RealizePalette(*screen), 0);
    plat::SelectPalette(*screen, plat::StockDefaultPalette(), true);
    EXPECT_EQ(plat::RealizePalette(*screen), 0);
    EXPECT_EQ(SystemEntries()[100].red, 100);
}

TEST_F(Palettes, SmallPaletteSharesStaticColoursAndTakesFreeSlots) {
    std::vector<plat::PaletteEntry> entries = {
        {255, 0, 0, 0},                  // the static red: shared
        {1, 2, 3, 0},                    // new: takes the first free slot
        {1, 2, 3, 0},                    // same colour again: shared
        {0, 0, 0, plat::kPcNoCollapse},  // black, but wants its own slot
    };
    plat::PaletteHandle palette = plat::CreatePalette(entries);
    plat::SelectPalette(*screen, palette, false);
    plat::RealizePalette(*screen);
    for (const auto& [index, system] : {std::pair{0, 249}, {1, 10}, {2, 10}, {3, 11}}) {
        EXPECT_EQ(palette->SystemIndexOf(index), system) << index;
    }
    EXPECT_EQ(SystemEntries()[10].blue, 3);
    EXPECT_FALSE(plat::CreatePalette({}));
}

TEST_F(Palettes, NearestIndexAndColourReferences) {
    plat::PaletteHandle picture = IdentityPalette(0);
    // Entry 100 is (100, 0, 155); ties go to the lowest index: (100, 1, 156)
    // is as close to entry 99 as to entry 100.
    EXPECT_EQ(plat::GetNearestPaletteIndex(picture, plat::Rgb(100, 2, 155)), 100);
    EXPECT_EQ(plat::GetNearestPaletteIndex(picture, plat::Rgb(100, 1, 156)), 99);
    EXPECT_EQ(plat::GetNearestPaletteIndex(nullptr, plat::Rgb(1, 1, 1)), -1);

    plat::SelectPalette(*screen, picture, false);
    plat::RealizePalette(*screen);
    // Palette-relative colours go through the selected palette, plain colours
    // keep to the static colours.
    EXPECT_EQ(screen->ResolveColour(plat::PaletteRgb(200, 0, 55)), 200);
    EXPECT_EQ(screen->ResolveColour(plat::PaletteRgb(255, 255, 8)), 251);  // static yellow
    EXPECT_EQ(screen->ResolveColour(plat::Rgb(200, 0, 55)), 249);
    std::array<plat::PaletteEntry, 4> some{};
    EXPECT_EQ(plat::GetPaletteEntries(picture, 254, 4, some.data()), 2);
}
