#include "platform/text_encoding.h"

#include <cstdint>

namespace plat {
namespace {

// Unicode characters of the bytes 0x80..0x9F; the rest of the code page is
// Latin-1, where byte and character number agree.
constexpr char32_t kHighControlRange[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};

char32_t CharacterOfByte(uint8_t byte) {
    return (byte >= 0x80 && byte <= 0x9F) ? kHighControlRange[byte - 0x80] : byte;
}

// -1 when the character has no byte.
int ByteOfCharacter(char32_t character) {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) {
        return static_cast<int>(character);
    }
    for (int i = 0; i < 32; ++i) {
        if (kHighControlRange[i] == character) return 0x80 + i;
    }
    return -1;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (char c : text) AppendUtf8(out, CharacterOfByte(static_cast<uint8_t>(c)));
    return out;
}

std::string Utf8ToCp1252(std::string_view text) {
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        const uint8_t lead = static_cast<uint8_t>(text[i]);
        size_t length = 1;
        char32_t character = lead;
        if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            character = lead & 0x07;
        } else if (lead >= 0xE0) {
            length = 3;
            character = lead & 0x0F;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            character = lead & 0x1F;
        } else if (lead >= 0x80) {
            ++i;  // a stray continuation byte or an invalid lead byte
            continue;
        }
        size_t taken = 1;
        while (taken < length && i + taken < text.size() &&
               (static_cast<uint8_t>(text[i + taken]) & 0xC0) == 0x80) {
            character = (character << 6) | (static_cast<uint8_t>(text[i + taken]) & 0x3F);
            ++taken;
        }
        i += taken;
        if (taken < length) continue;  // cut short
        const int byte = ByteOfCharacter(character);
        if (byte >= 0) out += static_cast<char>(byte);
    }
    return out;
}

}  // namespace plat
