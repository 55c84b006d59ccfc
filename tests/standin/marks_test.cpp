// Cell marks decode to the cell they were written in, the picking mask
// classifies every pixel of its shape tiles, and the ground tiles have the
// corner heights the world view's outline table gives.

#include <functional>

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
        ASSERT_EQ(standin::DecodeMark(a, b), i);
    }
    EXPECT_EQ(standin::DecodeMark(0, standin::kMarkFirst), -1);
    EXPECT_EQ(standin::DecodeMark(standin::kMarkFirst, 255), -1);
}

// Sheets of equal cells, numbered row by row: cell i lies at column i % cols,
// row i / cols, and carries its mark at `at(column)` inside the cell.
TEST_F(DataFolderTest, MarksNameTheirCells) {
    using standin::CellPoint;
    struct Grid {
        std::string name;
        int count, cols, width, height;
        std::function<CellPoint(int)> at;
    };
    const auto fixed = [](int x, int y) { return [=](int) { return CellPoint{x, y}; }; };
    std::vector<Grid> grids = {
        {"spring/tiles.jgd", 180, 15, 64, 40, fixed(standin::kTileMarkX, standin::kTileMarkY)},
        {"autumn/tilesg.jgd", 180, 15, 64, 40, fixed(standin::kTileMarkX, standin::kTileMarkY)},
        {"streets.jgd", 126, 21, 64, 40, standin::StreetMarkPoint},
        {"ueber.jgd", 65, 15, 64, 40, fixed(30, 1)},
        {"hang.jgd", 5, 5, 64, 40, fixed(30, 4)},
        {"prosgn_2.jgd", 37, 37, 32, 32, fixed(0, 31)},
        {"bridge.jgd", 60, 12, 64, 64, standin::BridgeMarkPoint},
        {"summer/baum.jgd", 12 * 33, 33, 44, 72, fixed(standin::kTreeMarkX, standin::kTreeMarkY)},
    };
    for (int type = 0; type < 12; ++type) {
        const standin::AnimationSize size = standin::AnimationCellSize(type);
        if (size.width == 0) continue;
        grids.push_back({"ani_" + std::to_string(type + 1) + ".jgd", size.frames, size.frames,
                         size.width, size.height, fixed(0, size.height - 1)});
    }
    for (const Grid& g : grids) {
        ParsedDib dib = Load(g.name);
        ASSERT_TRUE(dib.ok) << g.name;
        for (int i = 0; i < g.count; ++i) {
            const int col = i % g.cols, row = i / g.cols;
            const CellPoint p = g.at(col);
            EXPECT_EQ(MarkAt(dib, col * g.width + p.x, row * g.height + p.y), i) << g.name;
        }
    }
    // Vehicle sheets: one row per picture, one column per heading.
    for (const auto& [name, kind] : {std::pair{"lk1.jgd", standin::VehicleSheet::Truck},
                                     {"lo3.jgd", standin::VehicleSheet::Engine},
                                     {"wa0.jgd", standin::VehicleSheet::Wagon},
                                     {"ck.jgd", standin::VehicleSheet::CityCar}}) {
        ParsedDib dib = Load(name);
        const standin::PictureColumn* cols = standin::SheetColumns(kind);
        for (int row = 0; row < standin::SheetRows(kind); ++row) {
            for (int h = 0; h < 8; ++h) {
                const auto& c = cols[h];
                EXPECT_EQ(MarkAt(dib, c.x + c.width / 2 - 1, row * c.height + c.height / 2),
                          row * 8 + h)
                    << name << " row " << row << " heading " << h;
            }
        }
    }
    // Buildings carry theirs at the footprint's bottom corner: a store of
    // type 24 (2 x 2), a 4 x 4 factory, a 2 x 3 stadium both ways, a city building.
    for (const auto& [name, a, index] : {std::tuple{"spring/v0_32.jgd", 2, 24},
                                         {"summer/g2_12.jgd", 4, 17},
                                         {"autumn/g1_32.jgd", 3, 30},
                                         {"autumn/g0_32.jgd", 2, 30},
                                         {"summer/g3_50.jgd", 1, 50}}) {
        ParsedDib dib = Load(name);
        EXPECT_EQ(MarkAt(dib, 32 * a - 1, dib.height - 2), index) << name;
    }
    // Mark colours appear only in marks.
    auto markPixels = [](const ParsedDib& dib) {
        int n = 0;
        for (uint8_t p : dib.pixels) n += standin::IsMarkDigit(p) ? 1 : 0;
        return n;
    };
    EXPECT_EQ(markPixels(Load("streets.jgd")), 2 * 21 * 6);
    EXPECT_EQ(markPixels(Load("lo0.jgd")), 2 * 8 * 9);
    for (const char* clean : {"t_mask.jgd", "font_1.jgd", "scr_0.jgd", "scb_0.jgd", "signs.jgd"}) {
        EXPECT_EQ(markPixels(Load(clean)), 0) << clean;
    }
}

TEST_F(DataFolderTest, PickingMaskClassifiesEveryPixelOfEveryShape) {
    ParsedDib mask = Load("t_mask.jgd");
    ParsedDib tiles = Load("summer/tiles.jgd");
    ASSERT_TRUE(mask.ok && tiles.ok);
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
    // The first and last opaque row of a column of a shape's tile.
    auto opaque = [&](int shape, int x) {
        std::pair<int, int> rows{-1, -1};
        for (int y = 0; y < 40; ++y) {
            if (tiles.At(shape * 64 + x, 2 * 40 + y) == 0) continue;
            if (rows.first < 0) rows.first = y;
            rows.second = y;
        }
        return rows;
    };
    for (int shape = 0; shape < 15; ++shape) {
        EXPECT_EQ(opaque(shape, 31), std::pair(0, kCorners[shape][1] + 1)) << shape;
        // Next to the side corners the tile spans the corner's row (give or
        // take the pixel the corner's point falls between).
        for (const auto& [x, corner] :
             {std::pair{1, kCorners[shape][2]}, {62, kCorners[shape][0]}}) {
            EXPECT_LE(opaque(shape, x).first, corner + 1) << shape;
            EXPECT_GE(opaque(shape, x).second, corner - 1) << shape;
        }
    }
}

}  // namespace
}  // namespace standin_test
