// What the generator draws: cell marks that name their cells, the picking
// mask and ground tiles, the glyph strips, the landscape templates, and
// pictures a player must tell apart (buttons, headings, animation frames).

#include <algorithm>
#include <cstring>
#include <functional>
#include <utility>

#include "animations.h"
#include "canvas.h"
#include "cell_mark.h"
#include "data_folder_fixture.h"
#include "dib_writer.h"
#include "font_tables.h"
#include "iso.h"
#include "landscape_templates.h"
#include "screens.h"
#include "terrain_tiles.h"
#include "trees.h"
#include "vehicles.h"
#include "ways.h"

namespace standin_test {
namespace {

int MarkAt(const ParsedDib& dib, int x, int y) {
    return standin::DecodeMark(dib.At(x, y), dib.At(x + 1, y));
}

// Sheets of equal cells, numbered row by row: cell i lies at column i % cols,
// row i / cols, and carries its mark at `at(column)` inside the cell.
TEST(DataFolderTest, MarksNameTheirCells) {
    for (int i = 0; i <= standin::kMarkMaxIndex; ++i) {
        const auto [a, b] = standin::EncodeMark(i);
        ASSERT_EQ(standin::DecodeMark(a, b), i);
    }
    // Pixels that are no mark decode to none.
    EXPECT_EQ(standin::DecodeMark(0, standin::kMarkFirst), -1);
    EXPECT_EQ(standin::DecodeMark(standin::kMarkFirst, 255), -1);
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
        const ParsedDib& dib = Load(g.name);
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
        const ParsedDib& dib = Load(name);
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
    const std::tuple<const char*, int, int> buildings[] = {{"spring/v0_32.jgd", 2, 24},
                                                           {"summer/g2_12.jgd", 4, 17},
                                                           {"autumn/g1_32.jgd", 3, 30},
                                                           {"autumn/g0_32.jgd", 2, 30},
                                                           {"summer/g3_50.jgd", 1, 50}};
    for (const auto& [name, a, index] : buildings) {
        const ParsedDib& dib = Load(name);
        EXPECT_EQ(MarkAt(dib, 32 * a - 1, dib.height - 2), index) << name;
    }
    // Mark colours appear only in marks.
    auto markPixels = [](const ParsedDib& dib) {
        return std::count_if(dib.pixels.begin(), dib.pixels.end(), standin::IsMarkDigit);
    };
    EXPECT_EQ(markPixels(Load("streets.jgd")), 2 * 21 * 6);
    EXPECT_EQ(markPixels(Load("lo0.jgd")), 2 * 8 * 9);
    for (const char* clean : {"t_mask.jgd", "font_1.jgd", "scr_0.jgd", "scb_0.jgd", "signs.jgd"}) {
        EXPECT_EQ(markPixels(Load(clean)), 0) << clean;
    }
}

// The picking mask gives exactly the ground tile's pixels to the field itself
// and the rest to the neighbour on their side; the ground tiles have the
// corner rows that the world view's outline overlay draws, {right, bottom,
// left} per shape (give or take the pixel a corner's point falls between).
TEST(DataFolderTest, GroundTilesMatchThePickingMaskAndTheOutlineCorners) {
    constexpr int kCorners[15][3] = {{16, 30, 16}, {16, 38, 24}, {8, 22, 16},  {16, 22, 8},
                                     {24, 38, 16}, {8, 30, 16},  {16, 22, 16}, {16, 30, 8},
                                     {24, 38, 24}, {16, 30, 24}, {8, 22, 8},   {24, 30, 16},
                                     {16, 38, 16}, {24, 30, 24}, {8, 30, 8}};
    const ParsedDib& mask = Load("t_mask.jgd");
    const ParsedDib& tiles = Load("summer/tiles.jgd");
    ASSERT_TRUE(mask.ok && tiles.ok);
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
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 64; ++x) {
                const int v = mask.At(shape * 64 + x, y);
                ASSERT_LE(v, 4);
                EXPECT_EQ(v == 0, tiles.At(shape * 64 + x, 40 + y) != 0) << shape << " " << x;
                EXPECT_TRUE(v == 0 || (x < 32) == (v == 1 || v == 3)) << shape << " " << x;
            }
        }
        // The box's top-left corner is the upper-left neighbour's, its
        // bottom-left corner the lower-left one's.
        EXPECT_EQ(std::tuple(mask.At(shape * 64, 0), mask.At(shape * 64, 39)), std::tuple(1, 3));
        EXPECT_EQ(opaque(shape, 31), std::pair(0, kCorners[shape][1] + 1)) << shape;
        for (const auto& [x, corner] :
             {std::pair{1, kCorners[shape][2]}, {62, kCorners[shape][0]}}) {
            EXPECT_LE(opaque(shape, x).first, corner + 1) << shape;
            EXPECT_GE(opaque(shape, x).second, corner - 1) << shape;
        }
    }
}

// The ink of a cell, and its rightmost ink column (-1 when empty).
std::pair<std::vector<bool>, int> Cell(const ParsedDib& font, int code, int size) {
    std::pair<std::vector<bool>, int> cell{{}, -1};
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < font.width; ++x) {
            const bool ink = font.At(x, (code - 26) * size + y) != 0;
            cell.first.push_back(ink);
            if (ink) cell.second = std::max(cell.second, x);
        }
    }
    return cell;
}

TEST(DataFolderTest, GlyphsStayInsideTheirAdvancesAndDifferFromEachOther) {
    struct Font {
        const char* name;
        const uint8_t* advances;  // from code 26
        int size, last, roomy;    // cell size, last character, advance that has room for ink
    };
    for (const Font& f : {Font{"font_1.jgd", standin::kFont1Advances.data(), 16, 255, 3},
                          Font{"font_2.jgd", standin::kFont2Advances.data(), 8, 95, 2}}) {
        const ParsedDib& font = Load(f.name);
        ASSERT_TRUE(font.ok);
        for (int code = 26; code <= f.last; ++code) {
            const int right = Cell(font, code, f.size).second;
            if (code >= 123) {  // icons, drawn in their own colours: none is empty
                EXPECT_GE(right, 0) << code;
                continue;
            }
            const int advance = f.advances[code - 26];
            EXPECT_LT(right, advance) << f.name << " code " << code;
            EXPECT_TRUE(advance < f.roomy || code == ' ' || right >= 0) << f.name << " " << code;
        }
    }
    const ParsedDib& font = Load("font_1.jgd");
    const std::string chars = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    for (size_t i = 0; i < chars.size(); ++i) {
        for (size_t j = i + 1; j < chars.size(); ++j) {
            EXPECT_NE(Cell(font, chars[i], 16).first, Cell(font, chars[j], 16).first)
                << chars[i] << " and " << chars[j];
        }
    }
}

// The stamps the world generator places: sorted by kind, flat at the rim,
// smooth enough for the map's height rule, and with mountains. (The world
// tests read the files back through the game's parser.)
TEST(LandscapeStamps, SortedFlatRimmedSmoothAndMountainous) {
    for (int season = 1; season <= 3; ++season) {
        int lastKind = 0, highest = 0;
        for (const standin::LandscapeStamp& st : standin::MakeLandscapeStamps(season)) {
            EXPECT_GE(st.kind, lastKind) << season;
            lastKind = st.kind;
            auto h = [&](int i, int k) { return int(st.heights[size_t(i) * st.sizeY + k]); };
            for (int i = 0; i < st.sizeX; ++i) {
                for (int k = 0; k < st.sizeY; ++k) {
                    ASSERT_LE(h(i, k), 14);
                    highest = std::max(highest, h(i, k));
                    const bool rim = i == 0 || k == 0 || i == st.sizeX - 1 || k == st.sizeY - 1;
                    EXPECT_TRUE(!rim || h(i, k) <= 1) << season << " kind " << st.kind;
                    // Neighbouring cells, diagonals included, differ by one step at most.
                    for (const auto& [di, dk] : {std::pair{1, 0}, {0, 1}, {1, 1}, {1, -1}}) {
                        const int ni = i + di, nk = k + dk;
                        const bool inside = ni < st.sizeX && nk >= 0 && nk < st.sizeY;
                        EXPECT_TRUE(!inside || std::abs(h(i, k) - h(ni, nk)) <= 1) << season;
                    }
                }
            }
        }
        EXPECT_GE(highest, 12) << season << ": mountains";
    }
}

// The pixels of a w x h box of a canvas.
std::vector<uint8_t> Box(const standin::Canvas& c, int x0, int y0, int w, int h) {
    std::vector<uint8_t> v;
    for (int y = y0; y < y0 + h; ++y) {
        for (int x = x0; x < x0 + w; ++x) v.push_back(c.Get(x, y));
    }
    return v;
}

// Title buttons: ten distinct faces, each visibly pressed. Vehicles: ink over
// a good part of every heading's picture. Animations: frames that move, the
// one-shot types resting on an empty last cell.
TEST(GeneratedPictures, APlayerCanTellThemApart) {
    const standin::Canvas buttons = standin::MakeTitleButtons();
    ASSERT_EQ(buttons.height, 64);
    auto face = [&](int col, int y0) { return Box(buttons, col * 160, y0, 160, 32); };
    for (int col = 0; col < 10; ++col) {
        const auto normal = face(col, 0), pressed = face(col, 32);
        int differing = 0;
        for (size_t i = 0; i < normal.size(); ++i) differing += normal[i] != pressed[i];
        EXPECT_GT(differing, 160 * 32 / 2) << "column " << col;
        for (int other = col + 1; other < 10; ++other) EXPECT_NE(normal, face(other, 0));
    }
    EXPECT_EQ(standin::TitleButtonLabel(1280), "Quit");
    for (auto kind : {standin::VehicleSheet::Truck, standin::VehicleSheet::Engine,
                      standin::VehicleSheet::Wagon, standin::VehicleSheet::CityCar}) {
        const standin::Canvas sheet = standin::MakeVehicleSheet(kind, 1);
        for (int h = 0; h < 8; ++h) {
            const standin::PictureColumn& col = standin::SheetColumns(kind)[h];
            const auto pixels = Box(sheet, col.x, 0, col.width, col.height);
            const auto ink = std::count_if(pixels.begin(), pixels.end(), [](uint8_t p) {
                return p != 0 && !standin::IsMarkDigit(p);  // not counting the mark
            });
            EXPECT_GT(ink, col.width * col.height / 4) << static_cast<int>(kind) << " " << h;
        }
    }
    for (int type = 0; type < standin::kAnimationTypes; ++type) {
        const standin::AnimationSize size = standin::AnimationCellSize(type);
        if (size.width == 0) continue;
        const standin::Canvas sheet = standin::MakeAnimationSheet(type);
        auto frame = [&](int f) {
            return Box(sheet, f * size.width, 0, size.width, size.height - 1);
        };
        EXPECT_NE(frame(0), frame(1)) << "type " << type;
        if (type < 8) continue;
        EXPECT_EQ(size.frames, 17);
        EXPECT_EQ(frame(16), std::vector<uint8_t>(frame(16).size(), 0)) << "type " << type;
    }
    // Rows of odd widths are padded and keep their pixels.
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

}  // namespace
}  // namespace standin_test
