// The stand-in panel pictures label each heading by what it does: in the
// cell where the game's panel takes the click for heading h, the picture
// reads the word of the job the game gives h, which the game's own row
// labels of h tell (its first row), or, for the headings without rows, the
// heading itself.

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "canvas.h"
#include "palette.h"
#include "panel/control_panel.h"
#include "panel_pictures.h"
#include "pixel_font.h"

namespace {

constexpr int kCell = 32;

// The stand-in word for a heading's job, by the first row the game lists.
const std::map<std::string, std::string>& WordOfFirstRow() {
    static const std::map<std::string, std::string> words = {
        {"End", "GAME"},           {"Load", "FILE"},
        {"Music", "OPT"},          {"Show grid", "SHOW"},
        {"Northern view", "TURN"}, {"Statistics", "INFO"},
        {"Product news", "NEWS"},  {"Rename the city", "NAME"},
        {"1:1-View", "VIEW"},      {"New buildings", "BUILD"},
        {"Street", "WAYS"},        {"Highway", "WAYS"},
        {"Demolish", "LAND"},      {"Setting", "WORLD"},
        {"Village", "CITY"},       {"Chemical plant", "PLANT"}};
    return words;
}

// The headings without rows: product help, the year summary, no tool and
// the editor's end.
const std::map<int, std::string>& WordOfRowlessHeading() {
    static const std::map<int, std::string> words = {
        {4, "HELP"}, {7, "YEAR"}, {kHeadingNoTool, "POINT"}, {15, "END"}};
    return words;
}

// The text-coloured pixels of a 32 x 32 cell of the picture.
standin::Canvas TextInk(const standin::Canvas& picture, int left, int top) {
    standin::Canvas ink(kCell, kCell);
    for (int y = 0; y < kCell; ++y) {
        for (int x = 0; x < kCell; ++x) {
            ink.Set(x, y, picture.Get(left + x, top + y) == standin::pal::kText ? 1 : 0);
        }
    }
    return ink;
}

// A raised heading's label: centred, 12 rows down the cell.
standin::Canvas LabelInk(const std::string& word) {
    standin::Canvas ink(kCell, kCell);
    standin::DrawSmallText(ink, kCell / 2 - standin::SmallTextWidth(word) / 2, 12, word, 1);
    return ink;
}

TEST(NothingBreaks, EachPanelHeadingIsLabelledByWhatItDoes) {
    const HAUPTDIALOG panel;
    const standin::Canvas pictures[2] = {standin::MakePanelBackground(768, false),
                                         standin::MakePanelBackground(768, true)};
    for (int heading = 0; heading < kPanelHeadingCount; ++heading) {
        std::string word;
        const std::string first_row = panel.entry_labels[heading][0];
        if (first_row.empty()) {
            ASSERT_TRUE(WordOfRowlessHeading().contains(heading)) << heading;
            word = WordOfRowlessHeading().at(heading);
        } else {
            ASSERT_TRUE(WordOfFirstRow().contains(first_row)) << heading << " " << first_row;
            word = WordOfFirstRow().at(first_row);
        }
        const plat::Rect& cell = panel.heading_rects[heading];
        const standin::Canvas& picture = pictures[heading >= 15 ? 1 : 0];
        EXPECT_EQ(TextInk(picture, cell.left, cell.top).pixels, LabelInk(word).pixels)
            << heading << " should read " << word;
    }
}

}  // namespace
