// What a player reads with the stand-in data: round brackets are round at
// every size, letters fill the advance the width tables give them (no gaps
// inside words, the same gap after each), every text a stand-in picture
// carries fits the room it was drawn for, and the texts the game places in
// fixed rooms (the sidebar's tool feedback, the sales chart's period, the
// goods chooser's group names) end inside them or, for the longest group
// name, before the item pictures.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "canvas.h"
#include "economy_screens.h"
#include "font_render.h"
#include "font_tables.h"
#include "fonts.h"
#include "gfx/text.h"
#include "panel/control_panel.h"
#include "panel/tool_feedback.h"
#include "screens/economy/sales_statistics_screen.h"
#include "screens/economy/statistics_layout.h"
#include "screens/flow/level_text_screen.h"
#include "screens/panel/popup_list.h"
#include "standin.h"
#include "support/game_scope.h"

namespace standin_test {
namespace {

using standin::Canvas;

// The ink of one glyph cell of a strip.
Canvas Cell(const Canvas& strip, int code, int cell) {
    Canvas out(cell, cell);
    const int top = (code - standin::kFirstFontChar) * cell;
    for (int y = 0; y < cell; ++y) {
        for (int x = 0; x < cell; ++x) out.Set(x, y, strip.Get(x, top + y) != 0 ? 1 : 0);
    }
    return out;
}

Canvas Mirrored(const Canvas& in) {
    Canvas out(in.width, in.height);
    for (int y = 0; y < in.height; ++y) {
        for (int x = 0; x < in.width; ++x) out.Set(in.width - 1 - x, y, in.Get(x, y));
    }
    return out;
}

// Whether the ink reads as "(": every inked row one run of ink, the row's
// left end moving left down to a stretch of rows at the leftmost column (at
// least a third of the glyph's height) and back right below it, the ends at
// least min(most_bend, ink width - 1) columns right of that stretch. A "[" has a
// full-width row and no curve; a "{" reaches its leftmost column in a
// single point.
testing::AssertionResult IsOpeningRoundBracket(const Canvas& ink, int most_bend = 2) {
    std::vector<int> lefts;
    int widest = 0, right_most = -1;
    for (int y = 0; y < ink.height; ++y) {
        int first = -1, last = -1, runs = 0;
        for (int x = 0; x < ink.width; ++x) {
            if (ink.Get(x, y) == 0) continue;
            if (last != x - 1 || first < 0) ++runs;
            if (first < 0) first = x;
            last = x;
        }
        if (first < 0) continue;
        if (runs != 1)
            return testing::AssertionFailure() << "row " << y << " has " << runs << " runs";
        lefts.push_back(first);
        widest = std::max(widest, last - first + 1);
        right_most = std::max(right_most, last);
    }
    if (lefts.size() < 6) return testing::AssertionFailure() << "only " << lefts.size() << " rows";
    const int min_left = *std::min_element(lefts.begin(), lefts.end());
    const int ink_width = right_most - min_left + 1;
    if (widest >= ink_width && ink_width > 1) return testing::AssertionFailure() << "a full row";
    size_t i = 0;
    while (i + 1 < lefts.size() && lefts[i + 1] <= lefts[i] && lefts[i] > min_left) ++i;
    const size_t plateau = i;
    while (i < lefts.size() && lefts[i] == min_left) ++i;
    const size_t plateau_rows = i - plateau;
    for (; i + 1 < lefts.size(); ++i) {
        if (lefts[i + 1] < lefts[i]) return testing::AssertionFailure() << "turns back left";
    }
    if (plateau_rows * 3 < lefts.size()) {
        return testing::AssertionFailure()
               << "leftmost in " << plateau_rows << " of " << lefts.size() << " rows only";
    }
    const int bend = std::min(most_bend, ink_width - 1);
    if (lefts.front() - min_left < bend || lefts.back() - min_left < bend) {
        return testing::AssertionFailure() << "ends not curved";
    }
    return testing::AssertionSuccess();
}

// The game's font over a stand-in glyph strip, drawing its ink as 1.
Font FontOf(const Canvas& strip, AdvanceTable advances, int cell) {
    return Font{ConstPixelSurface(strip.pixels.data(), strip.width, strip.height, strip.width),
                advances, cell, cell, 1};
}

// Where a text drawn with a font at (x, y) of a room of the given size puts
// its ink, in the room's coordinates. The room is drawn with a margin on
// every side, so that ink past an edge shows instead of being cut.
struct InkBox {
    bool inked = false;
    int32_t left = 0, right = 0, top = 0, bottom = 0;
};
InkBox InkOf(const Font& font, const char* text, int32_t x, int32_t y, int32_t width,
             int32_t height) {
    constexpr int32_t kMargin = 32;
    Canvas drawn(width + 2 * kMargin, height + 2 * kMargin);
    DrawTextOnSurface(PixelSurface{drawn.pixels.data(), drawn.width, drawn.height, drawn.width},
                      text, x + kMargin, y + kMargin, font);
    InkBox box{false, drawn.width, -1, drawn.height, -1};
    for (int32_t row = 0; row < drawn.height; ++row) {
        for (int32_t c = 0; c < drawn.width; ++c) {
            if (drawn.Get(c, row) == 0) continue;
            box = {true, std::min(box.left, c - kMargin), std::max(box.right, c - kMargin),
                   std::min(box.top, row - kMargin), row - kMargin};
        }
    }
    return box;
}

struct StripFont {
    const char* name;
    Canvas strip;
    int cell;
};

std::vector<StripFont> Fonts() {
    return {{"font 1", standin::MakeFont1(), 16}, {"font 2", standin::MakeFont2(), 8}};
}

TEST(StandinReadable, RoundBracketsInBothFonts) {
    for (const StripFont& f : Fonts()) {
        EXPECT_TRUE(IsOpeningRoundBracket(Cell(f.strip, '(', f.cell))) << f.name;
        EXPECT_TRUE(IsOpeningRoundBracket(Mirrored(Cell(f.strip, ')', f.cell)))) << f.name;
        // The other brackets fail the test, so that it tells them apart.
        EXPECT_FALSE(IsOpeningRoundBracket(Cell(f.strip, '[', f.cell))) << f.name;
    }
}

// The small text sizes of the pictures (one-bit outlines; larger sizes are
// the face's own smooth outlines).
TEST(StandinReadable, RoundBracketsAtSmallPictureSizes) {
    for (int size = 8; size <= 16; ++size) {
        for (standin::FontStyle style : {standin::FontStyle::Regular, standin::FontStyle::Bold}) {
            int advance = 0;
            const Canvas open = standin::RenderGlyph('(', size, style, &advance);
            const Canvas close = standin::RenderGlyph(')', size, style, &advance);
            // Outline glyphs of small sizes bend by a single column.
            EXPECT_TRUE(IsOpeningRoundBracket(open, 1)) << size;
            EXPECT_TRUE(IsOpeningRoundBracket(Mirrored(close), 1)) << size;
        }
    }
}

// The game's text drawing puts each bracket's own cell of the strip on the
// screen.
TEST(StandinReadable, TheGameDrawsBracketsFromTheirOwnCells) {
    const std::vector<StripFont> fonts = Fonts();
    const AdvanceTable advances[2] = {kFont1Advances, kFont2Advances};
    for (int k = 0; k < 2; ++k) {
        const StripFont& f = fonts[k];
        for (const char* text : {"(", ")"}) {
            Canvas drawn(f.cell, f.cell);
            DrawTextOnSurface(PixelSurface{drawn.pixels.data(), f.cell, f.cell, f.cell}, text, 0, 0,
                              FontOf(f.strip, advances[k], f.cell));
            EXPECT_EQ(drawn.pixels, Cell(f.strip, text[0], f.cell).pixels) << f.name << text;
        }
    }
}

// What a reader sees of the letters: every glyph's ink lies inside its
// advance with a clear column before the next character; no letter stands
// apart from its word: its ink begins in the first two columns and, in font
// 1, every letter and digit leaves the same gap after it (no wider one after
// an "s"); in font 2 the gap is at most two columns.
TEST(StandinReadable, LettersFillTheirAdvance) {
    const std::vector<StripFont> fonts = Fonts();
    const AdvanceTable tables[2] = {kFont1Advances, kFont2Advances};
    const int last_char[2] = {kLastTextChar, kFirstGlyphChar + int(kFont2Advances.size()) - 1};
    std::set<int> font1_gaps;
    for (int k = 0; k < 2; ++k) {
        for (int ch = kFirstGlyphChar; ch <= last_char[k]; ++ch) {
            const int advance = tables[k][ch - kFirstGlyphChar];
            const Canvas ink = Cell(fonts[k].strip, ch, fonts[k].cell);
            int first = ink.width, last = -1;
            for (int y = 0; y < ink.height; ++y) {
                for (int x = 0; x < ink.width; ++x) {
                    if (ink.Get(x, y) == 0) continue;
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
            }
            if (advance < 3 || last < 0) continue;
            const std::string name = fonts[k].name + std::string(" ") + char(ch);
            EXPECT_GE(first, 0) << name;
            EXPECT_LE(last, advance - 2) << name << " advance " << advance;
            if (ch >= 32 && !std::isalnum(ch)) continue;
            EXPECT_LE(first, 1) << name;
            if (k == 0) {
                font1_gaps.insert(advance - 1 - last);
            } else {
                EXPECT_GE(last, advance - 3) << name << " advance " << advance;
            }
        }
    }
    EXPECT_EQ(font1_gaps.size(), 1u);
}

// A briefing's umlauts and acute accent, and the computer companies' names,
// become glyph codes the stand-in font draws: each character has ink, and the
// umlauts differ from their letters.
TEST(StandinReadable, UmlautsAccentsAndCompanyNamesAreDrawn) {
    const Canvas strip = standin::MakeFont1();
    std::vector<std::string> lines = {
        RemapTextLine("\xC4rger \xFC"
                      "ber leere L\xE4"
                      "den? Don\xB4t \xD6l \xF6 \xDC")};
    fvtest::GameScope scope;
    for (const OpponentProfile& profile : scope.state().opponent_profiles) {
        lines.push_back(profile.name);
    }
    for (const std::string& line : lines) {
        for (char c : line) {
            const auto code = static_cast<uint8_t>(c);
            if (code == ' ') continue;
            ASSERT_GE(code, kFirstGlyphChar) << line;
            ASSERT_LE(code, kLastTextChar) << line;
            const Canvas ink = Cell(strip, code, 16);
            EXPECT_TRUE(
                std::any_of(ink.pixels.begin(), ink.pixels.end(), [](uint8_t p) { return p; }))
                << line << ": " << c;
        }
    }
    const std::pair<int, char> umlauts[] = {{26, 'A'}, {27, 'O'}, {28, 'U'},
                                            {29, 'a'}, {30, 'o'}, {31, 'u'}};
    for (auto [code, letter] : umlauts) {
        EXPECT_NE(Cell(strip, code, 16).pixels, Cell(strip, letter, 16).pixels) << letter;
    }
    // The first text code and the last ("z") are drawn from their cells; the
    // code before, the first icon and a code past font 2's table take no
    // room; text characters take the advances of the fonts' tables.
    for (const char* text : {"\x1A", "z"}) {
        Canvas drawn(16, 16);
        DrawTextOnSurface(PixelSurface{drawn.pixels.data(), 16, 16, 16}, text, 0, 0,
                          FontOf(strip, kFont1Advances, 16));
        EXPECT_EQ(drawn.pixels, Cell(strip, text[0], 16).pixels) << text;
    }
    const std::tuple<const char*, AdvanceTable, uint32_t> widths[] = {
        {"\x19", kFont1Advances, 0},
        {"{", kFont1Advances, 0},
        {"`", kFont2Advances, 0},
        {" !0AMWaz", kFont1Advances, 6 + 3 + 8 + 9 + 12 + 15 + 8 + 7},
        {" !0AMW", kFont2Advances, 3 + 2 + 5 + 5 + 6 + 6}};
    for (const auto& [text, advances, width] : widths) {
        EXPECT_EQ(GetTextWidth(text, advances), width) << text;
    }
    // Icons begin after "z": one icon is 16 pixels wide.
    Canvas drawn(64, 16);
    EXPECT_EQ(DrawIconsOnSurface(
                  PixelSurface{drawn.pixels.data(), 64, 16, 64}, "z{", kFont1Advances, 0, 0,
                  ConstPixelSurface(strip.pixels.data(), strip.width, strip.height, strip.width)),
              16u);
}

// Every text line of every stand-in picture lies inside the room it was
// drawn for (a button face, a caption field, or the whole picture).
TEST(StandinReadable, PictureTextsFitTheirRoom) {
    std::vector<standin::PlacedText> placed;
    standin::WatchTexts([&](const standin::PlacedText& t) { placed.push_back(t); });
    std::vector<std::string> misfits;
    for (const standin::FileRecipe& recipe : standin::DataFileRecipes()) {
        if (recipe.path.size() < 4 || recipe.path.substr(recipe.path.size() - 4) != ".jgd")
            continue;
        placed.clear();
        recipe.make();
        for (const standin::PlacedText& t : placed) {
            const standin::TextRoom& r = t.room;
            const standin::TextRoom& d = t.drawn;
            const bool inside = d.x >= r.x && d.x + d.width <= r.x + r.width && d.y >= 0 &&
                                d.y < t.pictureHeight && d.x >= 0 &&
                                d.x + d.width <= t.pictureWidth;
            if (!inside) {
                misfits.push_back(recipe.path + ": \"" + t.text + "\" at " + std::to_string(d.x) +
                                  ", " + std::to_string(d.y) + " width " + std::to_string(d.width) +
                                  " in room " + std::to_string(r.x) + " + " +
                                  std::to_string(r.width));
            }
        }
    }
    standin::WatchTexts({});
    EXPECT_TRUE(misfits.empty()) << misfits.size() << " texts, first: " << misfits.front();
    for (size_t i = 0; i < misfits.size() && i < 40; ++i) ADD_FAILURE() << misfits[i];
}

// The tool feedback of the sidebar: every line as drawn fits the 160-pixel
// panel from x 8 and the piece the painter restores, and the drawn lines
// keep the texts' bytes.
TEST(StandinReadable, ToolFeedbackFitsTheSidebar) {
    std::vector<FeedbackArea> areas = {RoadCostFeedback(0),
                                       RoadCostFeedback(999'999'999),
                                       DemolitionCostFeedback(-1),
                                       DemolitionCostFeedback(12'345'678),
                                       TerrainCostFeedback(true, 0, 9'999),
                                       TerrainCostFeedback(false, 1, 1)};
    for (int32_t code = 1; code <= 5; ++code) areas.push_back(RefusalFeedback(code));
    for (const FeedbackArea& area : areas) {
        std::string joined, drawn_joined;
        for (const FeedbackLine& l : area.lines) joined += l.text + " ";
        for (const FeedbackLine& l : WrappedFeedbackLines(area)) {
            EXPECT_LE(
                kFeedbackLeft + static_cast<int32_t>(GetTextWidth(l.text.c_str(), kFont1Advances)),
                kPanelWidth)
                << l.text;
            EXPECT_LE(l.y + 16, area.top + area.height) << l.text;
            drawn_joined += l.text + " ";
        }
        EXPECT_EQ(drawn_joined, joined);
    }
    // A count below 1 is "Not possible", 1 costs a step.
    const FeedbackArea terrain = TerrainCostFeedback(true, 0, 1);
    EXPECT_EQ(std::tuple(terrain.lines[2].text, terrain.lines[4].text),
              std::tuple(std::string("Not possible"), std::string("1,000")));
    const std::vector<FeedbackLine> road = WrappedFeedbackLines(RoadCostFeedback(1'000));
    ASSERT_EQ(road.size(), 3u);
    EXPECT_EQ(road[0].text, "Road construction");
    EXPECT_EQ(std::tuple(road[1].y, road[1].text, road[2].y, road[2].text),
              std::tuple(319, std::string("costs:"), 336, std::string("1,000")));
}

// The sales chart's period caption, drawn with the stand-in font where the
// chart puts it, has all its ink inside the 280-pixel chart for every month
// and year; it stands at its own place where it fits there, and where it is
// moved left its ink still reaches the chart's last few columns.
TEST(StandinReadable, SalesPeriodCaptionEndsInsideTheChart) {
    namespace ss = statistics_screens;
    const Canvas strip = standin::MakeFont1();
    const Font font = FontOf(strip, kFont1Advances, 16);
    bool moved_seen = false, in_place_seen = false;
    for (int32_t year = 1959; year <= 2300; year += 17) {
        for (int32_t month = 0; month < 12; ++month) {
            const std::string caption = FS_VERKAUF_STATISTIK::PeriodCaption(month, year);
            const int32_t x = FS_VERKAUF_STATISTIK::PeriodCaptionX(caption);
            const InkBox ink = InkOf(font, caption.c_str(), x, ss::kBarCaption.y,
                                     ss::kBarChartSize.width, ss::kBarChartSize.height);
            ASSERT_TRUE(ink.inked) << caption;
            EXPECT_GE(std::min(ink.left, ink.top), 0) << caption;
            EXPECT_LT(ink.right, ss::kBarChartSize.width) << caption;
            EXPECT_LT(ink.bottom, ss::kBarChartSize.height) << caption;
            if (x == ss::kBarCaption.x) {
                in_place_seen = true;
            } else {
                moved_seen = true;
                EXPECT_LT(x, ss::kBarCaption.x) << caption;
                EXPECT_GE(ink.right, ss::kBarChartSize.width - 4) << caption;
            }
        }
    }
    EXPECT_TRUE(in_place_seen);
    EXPECT_TRUE(moved_seen);
}

// The goods chooser's empty-choice box reads "None" as the product chooser's
// does (the sales chooser's box only closes), and the longest group name,
// drawn where the list puts it, runs a column or two past the group column's
// edge but ends before the item pictures.
TEST(StandinReadable, TheGoodsChooserOffersNoneAndItsGroupNamesFit) {
    std::vector<standin::PlacedText> placed;
    standin::WatchTexts([&](const standin::PlacedText& t) { placed.push_back(t); });
    const std::pair<int, std::string> labels[] = {{1, "None"}, {2, "None"}, {3, "Close"}};
    for (const auto& [picture, label] : labels) {
        placed.clear();
        standin::MakePopupPicture(picture);
        const auto in_box = std::find_if(placed.begin(), placed.end(), [](const auto& t) {
            return kPopupCloseRect.Contains({t.drawn.x, t.drawn.y});
        });
        ASSERT_NE(in_box, placed.end()) << picture;
        EXPECT_EQ(in_box->text, label) << picture;
    }
    standin::WatchTexts({});
    const Canvas strip = standin::MakeFont1();
    const InkBox ink = InkOf(FontOf(strip, kFont1Advances, 16), "Raw materials", kPopupNameIndent,
                             0, kPopupColumnWidth, kPopupRowHeight);
    EXPECT_GE(ink.right, kPopupColumnWidth);
    EXPECT_LT(kPopupColumnLeft + ink.right, kPopupGridRect.left);
}

}  // namespace
}  // namespace standin_test
