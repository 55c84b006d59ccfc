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
// ends, the picture's own colours reserved in between.
plat::PaletteHandle IdentityPalette(uint8_t seed) {
    std::array<plat::PaletteEntry, 256> system = SystemEntries();
    std::array<plat::PaletteEntry, 256> entries{};
    for (int i = 0; i < 256; ++i) {
        if (i < 10 || i > 245) {
            entries[size_t(i)] = {system[size_t(i)].red, system[size_t(i)].green,
                                  system[size_t(i)].blue, 0};
        } else {
            entries[size_t(i)] = {uint8_t(i), uint8_t(seed), uint8_t(255 - i), plat::kPcReserved};
        }
    }
    return plat::CreatePalette(entries);
}

class Palettes : public ::testing::Test {
  protected:
    void SetUp() override { plat::ResetSystemPalette(); }
    void TearDown() override { plat::ResetSystemPalette(); }
};

}  // namespace

TEST_F(Palettes, DisplayAnswersAsAnEightBitPaletteDevice) {
    for (const auto& [caps, value] : {std::pair{plat::kCapsSizePalette, 256},
                                      {plat::kCapsNumberOfColours, 20},
                                      {plat::kCapsNumberReserved, 20},
                                      {plat::kCapsBitsPerPixel, 8}}) {
        EXPECT_EQ(plat::GetDeviceCaps(nullptr, caps), value) << caps;
    }
    EXPECT_NE(plat::GetDeviceCaps(nullptr, plat::kCapsRasterCaps) & plat::kRasterCapsPalette, 0);
    EXPECT_EQ(plat::GetSystemPaletteUse(), plat::kSystemPaletteStatic);
    EXPECT_EQ(plat::OsMajorVersion(), 4);

    auto system = SystemEntries();
    EXPECT_EQ(system[0].red + system[0].green + system[0].blue, 0);
    EXPECT_EQ(system[7].red, 192);
    EXPECT_EQ(system[249].red, 255);
    EXPECT_EQ(system[249].green, 0);
    EXPECT_EQ(system[255].blue, 255);
    for (int i = 10; i < 246; ++i) ASSERT_EQ(system[size_t(i)].red, 0) << i;

    plat::PaletteHandle stock = plat::StockDefaultPalette();
    ASSERT_EQ(stock->Size(), 20);
    EXPECT_EQ(stock->Entry(10).red, system[246].red);
    EXPECT_EQ(stock->Entry(19).green, 255);
}

TEST_F(Palettes, ForegroundIdentityRealizeChangesExactlyEntries10To245) {
    auto before = SystemEntries();
    plat::PaletteHandle picture = IdentityPalette(40);
    plat::DcHandle screen = plat::GetScreenDC();
    plat::PaletteHandle previous = plat::SelectPalette(*screen, picture, false);
    EXPECT_EQ(previous, plat::StockDefaultPalette());
    uint32_t generation = plat::SystemPaletteGeneration();
    EXPECT_EQ(plat::RealizePalette(*screen), 236);
    EXPECT_NE(plat::SystemPaletteGeneration(), generation);

    auto after = SystemEntries();
    for (int i = 0; i < 256; ++i) {
        const auto& e = after[size_t(i)];
        const auto& want = i < 10 || i > 245
                               ? before[size_t(i)]
                               : plat::PaletteEntry{uint8_t(i), 40, uint8_t(255 - i), 0};
        EXPECT_EQ(std::tie(e.red, e.green, e.blue), std::tie(want.red, want.green, want.blue)) << i;
    }
    // Index i of the picture is shown with system entry i.
    for (int i = 0; i < 256; ++i) ASSERT_EQ(picture->SystemIndexOf(i), i);
    // Realizing it again changes nothing.
    EXPECT_EQ(plat::RealizePalette(*screen), 0);
    // The stock palette put back as background changes nothing either.
    plat::SelectPalette(*screen, plat::StockDefaultPalette(), true);
    EXPECT_EQ(plat::RealizePalette(*screen), 0);
    EXPECT_EQ(SystemEntries()[100].red, 100);
}

TEST_F(Palettes, BackgroundAndMemoryContextRealizesLeaveTheSystemPalette) {
    plat::PaletteHandle picture = IdentityPalette(9);
    plat::DcHandle screen = plat::GetScreenDC();
    plat::SelectPalette(*screen, picture, true);
    EXPECT_EQ(plat::RealizePalette(*screen), 0);
    plat::DcHandle memory = plat::CreateMemoryDC();
    plat::SelectPalette(*memory, picture, false);
    EXPECT_EQ(plat::RealizePalette(*memory), 0);
    EXPECT_EQ(SystemEntries()[100].red, 0);
}

TEST_F(Palettes, SmallPaletteSharesStaticColoursAndTakesFreeSlots) {
    std::vector<plat::PaletteEntry> entries = {
        {255, 0, 0, 0},                  // the static red: shared
        {1, 2, 3, 0},                    // new: takes the first free slot
        {1, 2, 3, 0},                    // same colour again: shared
        {0, 0, 0, plat::kPcNoCollapse},  // black, but wants its own slot
    };
    plat::PaletteHandle palette = plat::CreatePalette(entries);
    plat::DcHandle screen = plat::GetScreenDC();
    plat::SelectPalette(*screen, palette, false);
    plat::RealizePalette(*screen);
    EXPECT_EQ(palette->SystemIndexOf(0), 249);
    EXPECT_EQ(palette->SystemIndexOf(1), 10);
    EXPECT_EQ(palette->SystemIndexOf(2), 10);
    EXPECT_EQ(palette->SystemIndexOf(3), 11);
    auto system = SystemEntries();
    EXPECT_EQ(system[10].blue, 3);
    EXPECT_FALSE(plat::SystemPaletteCleared());
    EXPECT_FALSE(plat::CreatePalette({}));
}

TEST_F(Palettes, NearestIndexAndColourReferences) {
    plat::PaletteHandle picture = IdentityPalette(0);
    // Entry 100 is (100, 0, 155); (100, 2, 155) is closest to it.
    EXPECT_EQ(plat::GetNearestPaletteIndex(picture, plat::Rgb(100, 2, 155)), 100);
    // Ties go to the lowest index: (100, 1, 156) is as close to entry 99 as
    // to entry 100.
    EXPECT_EQ(plat::GetNearestPaletteIndex(picture, plat::Rgb(100, 1, 156)), 99);
    EXPECT_EQ(plat::GetNearestPaletteIndex(picture, plat::PaletteIndex(77)), 77);
    EXPECT_EQ(plat::GetNearestPaletteIndex(nullptr, plat::Rgb(1, 1, 1)), -1);

    plat::DcHandle screen = plat::GetScreenDC();
    plat::SelectPalette(*screen, picture, false);
    plat::RealizePalette(*screen);
    // Palette-relative colours go through the selected palette...
    EXPECT_EQ(screen->ResolveColour(plat::PaletteRgb(200, 0, 55)), 200);
    EXPECT_EQ(screen->ResolveColour(plat::PaletteRgb(255, 255, 8)), 251);  // static yellow
    // ...plain colours keep to the static colours.
    EXPECT_EQ(screen->ResolveColour(plat::Rgb(200, 0, 55)), 249);
    EXPECT_EQ(screen->ResolveColour(plat::Rgb(255, 255, 255)), 255);

    std::array<plat::PaletteEntry, 4> some{};
    EXPECT_EQ(plat::GetPaletteEntries(picture, 254, 4, some.data()), 2);
    EXPECT_EQ(some[1].red, 255);
}

TEST_F(Palettes, AllBlackRealizeMarksTheClearingUntilTheNextPicture) {
    std::array<plat::PaletteEntry, 256> black{};
    for (auto& e : black) e.flags = plat::kPcNoCollapse;
    plat::PaletteHandle clearing = plat::CreatePalette(black);
    plat::DcHandle screen = plat::GetScreenDC();
    plat::SelectPalette(*screen, IdentityPalette(5), false);
    plat::RealizePalette(*screen);

    plat::PaletteHandle previous = plat::SelectPalette(*screen, clearing, false);
    EXPECT_EQ(plat::RealizePalette(*screen), 236);
    plat::SelectPalette(*screen, previous, false);
    EXPECT_TRUE(plat::SystemPaletteCleared());
    auto system = SystemEntries();
    for (int i = 10; i < 246; ++i) ASSERT_EQ(system[size_t(i)].red, 0) << i;
    EXPECT_EQ(system[255].red, 255);  // the static colours stay

    // The stock palette as background does not end it; the next picture does.
    plat::SelectPalette(*screen, plat::StockDefaultPalette(), true);
    plat::RealizePalette(*screen);
    EXPECT_TRUE(plat::SystemPaletteCleared());
    plat::SelectPalette(*screen, IdentityPalette(6), false);
    plat::RealizePalette(*screen);
    EXPECT_FALSE(plat::SystemPaletteCleared());
}
