// Pieces of the generator on their own: the DIB encoding of odd widths and
// pictures a player must be able to tell apart (button faces, vehicle
// headings, animation frames).

#include <gtest/gtest.h>

#include <algorithm>

#include "animations.h"
#include "canvas.h"
#include "cell_mark.h"
#include "dib_check.h"
#include "dib_writer.h"
#include "screens.h"
#include "vehicles.h"

namespace standin_test {
namespace {

TEST(DibWriter, PadsRowsAndKeepsPixelsForOddWidths) {
    for (int width : {1, 2, 3, 5, 30, 63}) {
        standin::Canvas c(width, 2);
        for (int x = 0; x < width; ++x) {
            c.Set(x, 0, static_cast<uint8_t>(x + 1));
            c.Set(x, 1, static_cast<uint8_t>(200 - x));
        }
        ParsedDib d = ParseDib(standin::EncodeDib(c));
        ASSERT_TRUE(d.ok) << width << ": " << d.problem;
        EXPECT_EQ(d.pixels, c.pixels) << width;
    }
}

TEST(TitleButtons, TenDistinctFacesEachVisiblyPressed) {
    const standin::Canvas sheet = standin::MakeTitleButtons();
    ASSERT_EQ(sheet.height, 64);
    auto face = [&](int col, int y0) {
        std::vector<uint8_t> v;
        for (int y = y0; y < y0 + 32; ++y) {
            for (int x = col * 160; x < col * 160 + 160; ++x) v.push_back(sheet.Get(x, y));
        }
        return v;
    };
    for (int col = 0; col < 10; ++col) {
        const auto normal = face(col, 0), pressed = face(col, 32);
        int differing = 0;
        for (size_t i = 0; i < normal.size(); ++i) differing += normal[i] != pressed[i];
        EXPECT_GT(differing, 160 * 32 / 2) << "column " << col;
        for (int other = col + 1; other < 10; ++other) EXPECT_NE(normal, face(other, 0));
    }
    EXPECT_EQ(standin::TitleButtonLabel(1280), "Quit");
}

TEST(VehicleSheets, EveryHeadingShowsAVehicleOfItsOwnShape) {
    for (auto kind : {standin::VehicleSheet::Truck, standin::VehicleSheet::Engine,
                      standin::VehicleSheet::Wagon, standin::VehicleSheet::CityCar}) {
        const standin::Canvas sheet = standin::MakeVehicleSheet(kind, 1);
        const standin::PictureColumn* cols = standin::SheetColumns(kind);
        for (int h = 0; h < 8; ++h) {
            // Ink (not counting the mark) covers a good part of the picture.
            int ink = 0;
            for (int y = 0; y < cols[h].height; ++y) {
                for (int x = cols[h].x; x < cols[h].x + cols[h].width; ++x) {
                    const uint8_t p = sheet.Get(x, y);
                    ink += p != 0 && !standin::IsMarkDigit(p);
                }
            }
            EXPECT_GT(ink, cols[h].width * cols[h].height / 4)
                << static_cast<int>(kind) << " " << h;
        }
    }
}

TEST(AnimationSheets, FramesMoveAndOneShotTypesRestOnAnEmptyCell) {
    for (int type = 0; type < standin::kAnimationTypes; ++type) {
        const standin::AnimationSize size = standin::AnimationCellSize(type);
        if (size.width == 0) continue;
        const standin::Canvas sheet = standin::MakeAnimationSheet(type);
        auto frame = [&](int f) {
            std::vector<uint8_t> v;
            for (int y = 0; y < size.height - 1; ++y) {
                for (int x = f * size.width; x < (f + 1) * size.width; ++x)
                    v.push_back(sheet.Get(x, y));
            }
            return v;
        };
        EXPECT_NE(frame(0), frame(1)) << "type " << type;
        if (type >= 8) {
            EXPECT_EQ(size.frames, 17);
            const auto rest = frame(16);
            EXPECT_TRUE(std::all_of(rest.begin(), rest.end(), [](uint8_t p) { return p == 0; }))
                << "type " << type;
        }
    }
}

}  // namespace
}  // namespace standin_test
