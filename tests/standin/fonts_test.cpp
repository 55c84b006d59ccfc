// The glyph strips: every glyph's ink lies inside its character's advance,
// characters with room for ink have some, and the icons fill their cells.

#include "data_folder_fixture.h"
#include "font_tables.h"

namespace standin_test {
namespace {

// Rightmost ink column of a cell, -1 when the cell is empty.
int RightmostInk(const ParsedDib& font, int cell, int size) {
    int right = -1;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < font.width; ++x) {
            if (font.At(x, cell * size + y) != 0) right = std::max(right, x);
        }
    }
    return right;
}

TEST_F(DataFolderTest, FontInkStaysInsideTheAdvances) {
    struct Font {
        const char* name;
        const uint8_t* advances;  // from code 26
        int size, last, roomy;    // cell size, last character, advance that has room for ink
    };
    for (const Font& f : {Font{"font_1.jgd", standin::kFont1Advances.data(), 16, 122, 3},
                          Font{"font_2.jgd", standin::kFont2Advances.data(), 8, 95, 2}}) {
        ParsedDib font = Load(f.name);
        ASSERT_TRUE(font.ok);
        for (int code = 26; code <= f.last; ++code) {
            const int advance = f.advances[code - 26];
            const int right = RightmostInk(font, code - 26, f.size);
            EXPECT_LT(right, advance) << f.name << " code " << code;
            // Everything that is not a space and has room shows something.
            if (advance >= f.roomy && code != ' ') {
                EXPECT_GE(right, 0) << f.name << " " << code;
            }
        }
    }
    // Icons (codes 123..255) are drawn in their own colours: none is empty.
    ParsedDib large = Load("font_1.jgd");
    for (int code = 123; code < 256; ++code)
        EXPECT_GE(RightmostInk(large, code - 26, 16), 0) << code;
}

TEST_F(DataFolderTest, GlyphsDifferFromEachOther) {
    // Readable glyphs: no two letters or digits share a picture.
    ParsedDib font = Load("font_1.jgd");
    ASSERT_TRUE(font.ok);
    auto cell = [&](int code) {
        std::vector<bool> ink;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) ink.push_back(font.At(x, (code - 26) * 16 + y) != 0);
        }
        return ink;
    };
    std::string chars = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    for (size_t i = 0; i < chars.size(); ++i) {
        for (size_t j = i + 1; j < chars.size(); ++j) {
            EXPECT_NE(cell(chars[i]), cell(chars[j])) << chars[i] << " and " << chars[j];
        }
    }
}

}  // namespace
}  // namespace standin_test
