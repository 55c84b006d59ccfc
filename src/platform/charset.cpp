// Windows-1252 character classes and conversion to and from UTF-8.

#include "platform/charset.h"

namespace plat {

namespace {

// Code points of 0x80..0x9F; 0 marks the five unassigned codes.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t ToCodePoint(uint8_t c) {
    if (c >= 0x80 && c < 0xA0) {
        const char32_t cp = kHighControls[c - 0x80];
        return cp != 0 ? cp : 0xFFFD;
    }
    return c;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char FromCodePoint(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] != 0 && kHighControls[i] == cp) return static_cast<char>(0x80 + i);
    }
    return '?';
}

}  // namespace

bool IsCharAlpha(uint8_t c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return true;
    switch (c) {
        case 0x83:
        case 0x8A:
        case 0x8C:
        case 0x8E:
        case 0x9A:
        case 0x9C:
        case 0x9E:
        case 0x9F:
        case 0xAA:
        case 0xB5:
        case 0xBA:
            return true;
        default:
            break;
    }
    return c >= 0xC0 && c != 0xD7 && c != 0xF7;
}

bool IsCharAlphaNumeric(uint8_t c) {
    return IsCharAlpha(c) || (c >= '0' && c <= '9') || c == 0xB2 || c == 0xB3 || c == 0xB9;
}

std::string Cp1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char ch : text) AppendUtf8(out, ToCodePoint(static_cast<uint8_t>(ch)));
    return out;
}

std::string Utf8ToCp1252(std::string_view text) {
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        const uint8_t lead = static_cast<uint8_t>(text[i]);
        int extra = 0;
        char32_t cp = 0;
        if (lead < 0x80) {
            cp = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            extra = 1;
            cp = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2;
            cp = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3;
            cp = lead & 0x07;
        } else {
            out += '?';
            ++i;
            continue;
        }
        bool good = i + static_cast<size_t>(extra) < text.size();
        for (int k = 1; good && k <= extra; ++k) {
            const uint8_t next = static_cast<uint8_t>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                good = false;
            } else {
                cp = (cp << 6) | (next & 0x3F);
            }
        }
        if (!good) {
            out += '?';
            ++i;
            continue;
        }
        out += FromCodePoint(cp);
        i += static_cast<size_t>(extra) + 1;
    }
    return out;
}

}  // namespace plat
