// Settings files: "[section]" headers and "key=value" lines. Reads look up the
// first matching key; writes change or add exactly one line and keep every
// other byte of the file (comments, unknown keys, order, line breaks).

#include "platform/profile.h"

#include <optional>
#include <string_view>
#include <vector>

#include "platform/file.h"

namespace plat {
namespace {

struct Line {
    std::string text;    // without its line break
    std::string ending;  // "\r\n", "\n", "\r" or "" for a last line without one
};

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    }
    return true;
}

std::string_view Trim(std::string_view text) {
    const char* blanks = " \t";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

// A UTF-8 byte-order mark some editors put at the start of the file.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view WithoutByteOrderMark(std::string_view text) {
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        text.remove_prefix(kByteOrderMark.size());
    }
    return text;
}

std::optional<std::string_view> SectionNameOf(std::string_view text) {
    text = Trim(WithoutByteOrderMark(text));
    if (text.empty() || text.front() != '[') return std::nullopt;
    const size_t close = text.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return Trim(text.substr(1, close - 1));
}

struct KeyValue {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyValue> KeyValueOf(std::string_view text) {
    text = WithoutByteOrderMark(text);
    const std::string_view trimmed = Trim(text);
    if (trimmed.empty() || trimmed.front() == ';') return std::nullopt;
    const size_t equals = text.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return KeyValue{Trim(text.substr(0, equals)), Trim(text.substr(equals + 1))};
}

// A line ends at CR LF, LF or a lone CR, as text files of every origin do.
std::vector<Line> SplitLines(const std::string& content) {
    std::vector<Line> lines;
    size_t start = 0;
    while (start < content.size()) {
        const size_t end = content.find_first_of("\r\n", start);
        Line line;
        if (end == std::string::npos) {
            line.text = content.substr(start);
            start = content.size();
        } else {
            const size_t breakLength = content.compare(end, 2, "\r\n") == 0 ? 2 : 1;
            line.text = content.substr(start, end - start);
            line.ending = content.substr(end, breakLength);
            start = end + breakLength;
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

// False when the file does not exist or cannot be read.
bool ReadWholeFile(const std::string& windowsPath, std::string& content) {
    content.clear();
    const FileHandle file = OpenFile(windowsPath, OpenMode::Read);
    if (file == kInvalidFile) return false;
    char chunk[4096];
    int32_t got;
    while ((got = ReadFile(file, chunk, sizeof(chunk))) > 0) content.append(chunk, got);
    CloseFile(file);
    return got == 0;
}

std::optional<std::string> LookUp(const std::string& section, const std::string& key,
                                  const std::string& windowsPath) {
    std::string content;
    if (!ReadWholeFile(windowsPath, content)) return std::nullopt;
    bool inSection = false;
    for (const Line& line : SplitLines(content)) {
        if (auto name = SectionNameOf(line.text)) {
            inSection = EqualIgnoringCase(*name, section);
        } else if (inSection) {
            auto entry = KeyValueOf(line.text);
            if (entry && EqualIgnoringCase(entry->key, key)) return std::string(entry->value);
        }
    }
    return std::nullopt;
}

// Matching quotes around a value are not part of it.
std::string WithoutQuotes(std::string value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

}  // namespace

int32_t GetProfileInt(const std::string& section, const std::string& key, int32_t defaultValue,
                      const std::string& windowsPath) {
    const std::optional<std::string> value = LookUp(section, key, windowsPath);
    if (!value || value->empty()) return defaultValue;
    const std::string text = WithoutQuotes(*value);
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    // Unsigned arithmetic: an absurdly long number wraps instead of overflowing.
    uint32_t number = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        number = number * 10u + static_cast<uint32_t>(text[i] - '0');
    }
    if (negative) number = 0u - number;
    return static_cast<int32_t>(number);
}

std::string GetProfileString(const std::string& section, const std::string& key,
                             const std::string& defaultValue, const std::string& windowsPath) {
    const std::optional<std::string> value = LookUp(section, key, windowsPath);
    return value ? WithoutQuotes(*value) : defaultValue;
}

namespace {

// Sets one key in the lines of a settings file.
void SetKey(std::vector<Line>& lines, const std::string& section, const std::string& key,
            const std::string& value) {
    // New lines follow the file's own line breaks; a new file gets CR LF.
    std::string newline = "\r\n";
    for (const Line& line : lines) {
        if (!line.ending.empty()) {
            newline = line.ending;
            break;
        }
    }

    std::optional<size_t> sectionLine;
    std::optional<size_t> keyLine;
    size_t lastEntryLine = 0;  // last non-blank line of the section
    for (size_t i = 0; i < lines.size(); ++i) {
        if (auto name = SectionNameOf(lines[i].text)) {
            if (sectionLine) break;  // the end of our section
            if (EqualIgnoringCase(*name, section)) sectionLine = lastEntryLine = i;
            continue;
        }
        if (!sectionLine) continue;
        if (!Trim(lines[i].text).empty()) lastEntryLine = i;
        auto entry = KeyValueOf(lines[i].text);
        if (entry && EqualIgnoringCase(entry->key, key)) {
            keyLine = i;
            break;
        }
    }

    if (keyLine) {
        // Keep the key as it is spelt in the file.
        const std::string spelling(KeyValueOf(lines[*keyLine].text)->key);
        lines[*keyLine].text = spelling + "=" + value;
    } else {
        size_t insertAt = lines.size();
        std::vector<Line> added;
        if (sectionLine) {
            insertAt = lastEntryLine + 1;
        } else {
            added.push_back({"[" + section + "]", newline});
        }
        added.push_back({key + "=" + value, newline});
        // The line before the new ones may be a last line without a break.
        if (insertAt > 0 && lines[insertAt - 1].ending.empty())
            lines[insertAt - 1].ending = newline;
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), added.begin(),
                     added.end());
    }
}

}  // namespace

bool WriteProfileStrings(const std::string& section, const std::vector<ProfileEntry>& entries,
                         const std::string& windowsPath) {
    std::string content;
    if (!ReadWholeFile(windowsPath, content) && FileExists(windowsPath)) return false;
    std::vector<Line> lines = SplitLines(content);
    for (const ProfileEntry& entry : entries) SetKey(lines, section, entry.key, entry.value);
    std::string result;
    for (const Line& line : lines) result += line.text + line.ending;
    return ReplaceFile(windowsPath, result.data(), static_cast<uint32_t>(result.size()));
}

bool WriteProfileString(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& windowsPath) {
    return WriteProfileStrings(section, {{key, value}}, windowsPath);
}

}  // namespace plat
