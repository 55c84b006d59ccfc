// Text files read line by line through a buffer, and written line by line.

#include "platform/file.h"

namespace plat {

TextFile::~TextFile() {
    Close();
}

bool TextFile::Open(const std::string& windowsPath) {
    Close();
    file_ = OpenFile(windowsPath, OpenMode::Read);
    return IsOpen();
}

bool TextFile::Create(const std::string& windowsPath) {
    Close();
    file_ = OpenFile(windowsPath, OpenMode::Create);
    return IsOpen();
}

void TextFile::Close() {
    CloseFile(file_);
    file_ = kInvalidFile;
    length_ = 0;
    position_ = 0;
}

bool TextFile::Fill() {
    const int32_t got = ReadFile(file_, buffer_, sizeof(buffer_));
    length_ = got > 0 ? got : 0;
    position_ = 0;
    return length_ > 0;
}

bool TextFile::ReadLine(std::string& line, size_t maxLength) {
    return Read(line, maxLength, false);
}

bool TextFile::ReadLineCut(std::string& line, size_t maxLength) {
    return Read(line, maxLength, true);
}

bool TextFile::Read(std::string& line, size_t maxLength, bool cut) {
    line.clear();
    if (!IsOpen()) return false;
    if (maxLength == 0) maxLength = 1;
    for (;;) {
        // At the end of the file a last line without a line break still counts.
        if (position_ >= length_ && !Fill()) return !line.empty();
        const char c = buffer_[position_];
        if (c == '\n') {
            ++position_;
            return true;
        }
        if (c == '\r') {
            // CR LF ends the line; so does a CR of its own.
            ++position_;
            if ((position_ < length_ || Fill()) && buffer_[position_] == '\n') ++position_;
            return true;
        }
        if (line.size() < maxLength) {
            line += c;
        } else if (!cut) {
            return true;  // the rest comes with the next call
        }
        ++position_;
    }
}

bool TextFile::WriteLine(std::string_view line) {
    if (!IsOpen()) return false;
    std::string text(line);
    text += "\r\n";
    const int32_t written = WriteFile(file_, text.data(), static_cast<uint32_t>(text.size()));
    return written == static_cast<int32_t>(text.size());
}

}  // namespace plat
