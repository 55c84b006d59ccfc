// Cell marks decode to the cell they were written in, the picking mask
// classifies every pixel of its shape tiles, and the ground tiles have the
// corner heights the world view's outline table gives.

#include "animations.h"
#include "cell_mark.h"
#include "data_folder_fixture.h"
#include "iso.h"
#include "terrain_tiles.h"
#include "trees.h"
#include "vehicles.h"
#include "ways.h"

namespace standin_test {
namespace {

int MarkAt(const ParsedDib& dib, int x, int y) {
    return standin::DecodeMark(dib.At(x, y), dib.At(x + 1, y));
}

TEST(CellMark, EncodingRoundTripsAndRejectsOtherPixels) {
    for (int i = 0; i <= standin::kMarkMaxIndex; ++i) {
        const auto [a, b] = standin::EncodeMark(i);
        EXPECT_EQ(standin::DecodeMark(a, b), i);
    }
    EXPECT_EQ(standin::DecodeMark(0, standin::kMarkFirst), -1);
    EXPECT_EQ(standin::DecodeMark(standin::kMarkFirst, 255), -1);
}

TEST_F(DataFolderTest, TileAndWayMarksNameTheirCells) {
    for (const char* name : {"spring/tiles.jgd", "autumn/tilesg.jgd"}) {
        ParsedDib tiles = Load(name);
        ASSERT_TRUE(tiles.ok);
        for (int kind = 0; kind < 12; ++kind) {
            for (int shape = 0; shape < 15; ++shape) {
                EXPECT_EQ(MarkAt(tiles, shape * 64 + standin::kTileMarkX,
                                 kind * 40 + standin::kTileMarkY),
                          kind * 15 + shape);
            }
        }
    }
    ParsedDib streets = Load("streets.jgd");
    ASSERT_TRUE(streets.ok);
    for (int t = 0; t < 6; ++t) {
        for (int col = 0; col < 21; ++col) {
            const standin::CellPoint p = standin::StreetMarkPoint(col);
            EXPECT_EQ(MarkAt(streets, col * 64 + p.x, t * 40 + p.y), t * 21 + col);
        }
    }
    ParsedDib overview = Load("ueber.jgd");
    ASSERT_TRUE(overview.ok);
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 15; ++col) {
            EXPECT_EQ(MarkAt(overview, col * 64 + 30, row * 40 + 1), row * 15 + col);
        }
    }
    for (int col = 0; col < 5; ++col) EXPECT_EQ(MarkAt(overview, col * 64 + 30, 161), 60 + col);
    ParsedDib hang = Load("hang.jgd");
    ASSERT_TRUE(hang.ok);
    for (int col = 0; col < 5; ++col) EXPECT_EQ(MarkAt(hang, col * 64 + 30, 4), col);
    ParsedDib signs = Load("prosgn_2.jgd");
    ASSERT_TRUE(signs.ok);
    for (int col = 0; col < 37; ++col) EXPECT_EQ(MarkAt(signs, col * 32, 31), col);
    ParsedDib bridge = Load("bridge.jgd");
    ASSERT_TRUE(bridge.ok);
    for (int row = 0; row < 5; ++row) {
        for (int col = 0; col < 12; ++col) {
            const standin::CellPoint p = standin::BridgeMarkPoint(col);
            EXPECT_EQ(MarkAt(bridge, col * 64 + p.x, row * 64 + p.y), row * 12 + col);
        }
    }
}

TEST_F(DataFolderTest, SpriteMarksNameTheirCells) {
    struct Sheet {
        const char* name;
        standin::VehicleSheet kind;
    };
    for (const Sheet& s : {Sheet{"lk1.jgd", standin::VehicleSheet::Truck},
                           Sheet{"lo3.jgd", standin::VehicleSheet::Engine},
                           Sheet{"wa0.jgd", standin::VehicleSheet::Wagon},
                           Sheet{"ck.jgd", standin::VehicleSheet::CityCar}}) {
        ParsedDib dib = Load(s.name);
        ASSERT_TRUE(dib.ok);
        const standin::PictureColumn* cols = standin::SheetColumns(s.kind);
        for (int row = 0; row < standin::SheetRows(s.kind); ++row) {
            for (int h = 0; h < 8; ++h) {
                const auto& c = cols[h];
                EXPECT_EQ(MarkAt(dib, c.x + c.width / 2 - 1, row * c.height + c.height / 2),
                          row * 8 + h)
                    << s.name << " row " << row << " heading " << h;
            }
        }
    }
    ParsedDib trees = Load("summer/baum.jgd");
    ASSERT_TRUE(trees.ok);
    for (int month = 0; month < 12; ++month) {
        for (int col = 0; col < 33; ++col) {
            EXPECT_EQ(
                MarkAt(trees, col * 44 + standin::kTreeMarkX, month * 72 + standin::kTreeMarkY),
                month * 33 + col);
        }
    }
    for (int type = 0; type < 12; ++type) {
        const standin::AnimationSize size = standin::AnimationCellSize(type);
        if (size.width == 0) continue;
        ParsedDib ani = Load("ani_" + std::to_string(type + 1) + ".jgd");
        ASSERT_TRUE(ani.ok);
        for (int f = 0; f < size.frames; ++f)
            EXPECT_EQ(MarkAt(ani, f * size.width, size.height - 1), f);
    }
}

TEST_F(DataFolderTest, BuildingMarksSitAtTheFootprintsBottomCorner) {
    // Store of type 24 (2 x 2), a 4 x 4 factory, a 2 x 3 stadium turned, a city building.
    struct Case {
        const char* name;
        int a;  // fields along the screen's down-right axis
        int index;
    };
    for (const Case& c : {Case{"spring/v0_32.jgd", 2, 24}, Case{"summer/g2_12.jgd", 4, 17},
                          Case{"autumn/g1_32.jgd", 3, 30}, Case{"autumn/g0_32.jgd", 2, 30},
                          Case{"summer/g3_50.jgd", 1, 50}}) {
        ParsedDib dib = Load(c.name);
        ASSERT_TRUE(dib.ok) << c.name;
        EXPECT_EQ(MarkAt(dib, 32 * c.a - 1, dib.height - 2), c.index) << c.name;
    }
}

TEST_F(DataFolderTest, PickingMaskClassifiesEveryPixelOfEveryShape) {
    ParsedDib mask = Load("t_mask.jgd");
    ASSERT_TRUE(mask.ok);
    ParsedDib tiles = Load("summer/tiles.jgd");
    ASSERT_TRUE(tiles.ok);
    for (int shape = 0; shape < 15; ++shape) {
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 64; ++x) {
                const int v = mask.At(shape * 64 + x, y);
                ASSERT_LE(v, 4);
                // Exactly the ground tile's pixels belong to the field itself.
                const bool ground = tiles.At(shape * 64 + x, 40 + y) != 0;
                EXPECT_EQ(v == 0, ground) << "shape " << shape << " at " << x << "," << y;
                if (v != 0) {
                    EXPECT_EQ(x < 32, v == 1 || v == 3) << shape << " " << x << "," << y;
                }
            }
        }
        // The box's top-left corner belongs to the upper-left neighbour, its
        // bottom-left corner to the lower-left one.
        EXPECT_EQ(mask.At(shape * 64, 0), 1);
        EXPECT_EQ(mask.At(shape * 64, 39), 3);
    }
}

TEST_F(DataFolderTest, GroundTilesMatchTheOutlineCornerTable) {
    // {right, bottom, left} corner rows of every tile shape, as the world
    // view's outline overlay draws them.
    constexpr int kCorners[15][3] = {{16, 30, 16}, {16, 38, 24}, {8, 22, 16},  {16, 22, 8},
                                     {24, 38, 16}, {8, 30, 16},  {16, 22, 16}, {16, 30, 8},
                                     {24, 38, 24}, {16, 30, 24}, {8, 22, 8},   {24, 30, 16},
                                     {16, 38, 16}, {24, 30, 24}, {8, 30, 8}};
    ParsedDib tiles = Load("spring/tiles.jgd");
    ASSERT_TRUE(tiles.ok);
    auto opaqueRows = [&](int shape, int x, int* first, int* last) {
        *first = -1;
        *last = -1;
        for (int y = 0; y < 40; ++y) {
            if (tiles.At(shape * 64 + x, 2 * 40 + y) == 0) continue;
            if (*first < 0) *first = y;
            *last = y;
        }
    };
    for (int shape = 0; shape < 15; ++shape) {
        int first = 0, last = 0;
        opaqueRows(shape, 31, &first, &last);
        EXPECT_EQ(first, 0) << shape;  // the top corner
        EXPECT_EQ(last, kCorners[shape][1] + 1) << shape;
        // Next to the side corners the tile spans the corner's row (give or
        // take the pixel the corner's point falls between).
        opaqueRows(shape, 1, &first, &last);
        EXPECT_LE(first, kCorners[shape][2] + 1) << shape;
        EXPECT_GE(last, kCorners[shape][2] - 1) << shape;
        opaqueRows(shape, 62, &first, &last);
        EXPECT_LE(first, kCorners[shape][0] + 1) << shape;
        EXPECT_GE(last, kCorners[shape][0] - 1) << shape;
    }
}

}  // namespace
}  // namespace standin_test

namespace standin_test {
namespace {

TEST_F(DataFolderTest, MarkColoursAppearOnlyInMarks) {
    auto markPixels = [](const ParsedDib& dib) {
        int n = 0;
        for (uint8_t p : dib.pixels) n += standin::IsMarkDigit(p) ? 1 : 0;
        return n;
    };
    EXPECT_EQ(markPixels(Load("summer/tilesg.jgd")), 2 * 15 * 12);
    EXPECT_EQ(markPixels(Load("streets.jgd")), 2 * 21 * 6);
    EXPECT_EQ(markPixels(Load("lo0.jgd")), 2 * 8 * 9);
    for (const char* clean : {"t_mask.jgd", "font_1.jgd", "font_2.jgd", "scr_0.jgd", "scb_0.jgd",
                              "logo0.jgd", "signs.jgd"}) {
        EXPECT_EQ(markPixels(Load(clean)), 0) << clean;
    }
}

}  // namespace
}  // namespace standin_test
