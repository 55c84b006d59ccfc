// The glyph strips: every glyph's ink lies inside its character's advance,
// characters with room for ink have some, no two letters or digits share a
// picture, and the icons fill their cells.

#include "data_folder_fixture.h"
#include "font_tables.h"

namespace standin_test {
namespace {

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

TEST_F(DataFolderTest, GlyphsStayInsideTheirAdvancesAndDifferFromEachOther) {
    struct Font {
        const char* name;
        const uint8_t* advances;  // from code 26
        int size, last, roomy;    // cell size, last character, advance that has room for ink
    };
    for (const Font& f : {Font{"font_1.jgd", standin::kFont1Advances.data(), 16, 255, 3},
                          Font{"font_2.jgd", standin::kFont2Advances.data(), 8, 95, 2}}) {
        ParsedDib font = Load(f.name);
        ASSERT_TRUE(font.ok);
        for (int code = 26; code <= f.last; ++code) {
            const int right = Cell(font, code, f.size).second;
            if (code >= 123) {  // icons, drawn in their own colours: none is empty
                EXPECT_GE(right, 0) << code;
                continue;
            }
            const int advance = f.advances[code - 26];
            EXPECT_LT(right, advance) << f.name << " code " << code;
            if (advance >= f.roomy && code != ' ') {
                EXPECT_GE(right, 0) << f.name << " " << code;
            }
        }
    }
    ParsedDib font = Load("font_1.jgd");
    const std::string chars = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    for (size_t i = 0; i < chars.size(); ++i) {
        for (size_t j = i + 1; j < chars.size(); ++j) {
            EXPECT_NE(Cell(font, chars[i], 16).first, Cell(font, chars[j], 16).first)
                << chars[i] << " and " << chars[j];
        }
    }
}

}  // namespace
}  // namespace standin_test
