#include "game/high_scores.h"

#include <cstring>

#include "platform/file.h"
#include "state/game_state.h"

namespace {

constexpr int32_t kNameBytes = static_cast<int32_t>(sizeof(HighScoreEntry::name));
constexpr int32_t kEntryBytes = kNameBytes + 4;
constexpr int32_t kFileBytes = kEntryBytes * kHighScoreCount;
constexpr const char* kNoEntry = "No entry";

using FileImage = uint8_t[kFileBytes];

void Encode(const CGameState& gs, FileImage& out) {
    for (int32_t i = 0; i < kHighScoreCount; ++i) {
        uint8_t* p = out + i * kEntryBytes;
        std::memcpy(p, gs.high_scores[i].name, kNameBytes);
        const uint32_t points = gs.high_scores[i].points;
        for (int32_t b = 0; b < 4; ++b) p[kNameBytes + b] = static_cast<uint8_t>(points >> (8 * b));
    }
}

void Decode(const FileImage& in, CGameState& gs) {
    for (int32_t i = 0; i < kHighScoreCount; ++i) {
        const uint8_t* p = in + i * kEntryBytes;
        HighScoreEntry& e = gs.high_scores[i];
        std::memcpy(e.name, p, kNameBytes);
        e.name[kNameBytes - 1] = '\0';  // a name without its zero ends at 35 characters
        e.points = 0;
        for (int32_t b = 0; b < 4; ++b)
            e.points |= static_cast<uint32_t>(p[kNameBytes + b]) << (8 * b);
    }
}

int32_t Points(const HighScoreEntry& e) {
    return static_cast<int32_t>(e.points);
}

}  // namespace

std::string HighScoreFilePath(const CGameState& gs) {
    return std::string(gs.DataPath(kPathSave)) + "\\best.sav";
}

void LoadHighScores(CGameState& gs) {
    const plat::FileHandle file = plat::OpenFile(HighScoreFilePath(gs), plat::OpenMode::ReadWrite);
    if (file == plat::kInvalidFile) return;
    FileImage image;
    Encode(gs, image);  // what the file does not hold stays as it is
    const int32_t read = plat::ReadFile(file, image, kFileBytes);
    plat::CloseFile(file);
    if (read < 0) return;
    if (read == 0) {
        for (HighScoreEntry& e : gs.high_scores) {
            e = HighScoreEntry{};
            std::memcpy(e.name, kNoEntry, std::strlen(kNoEntry));
        }
        return;
    }
    Decode(image, gs);
}

bool SaveHighScores(const CGameState& gs) {
    FileImage image;
    Encode(gs, image);
    return plat::ReplaceFile(HighScoreFilePath(gs), image, kFileBytes);
}

int32_t InsertHighScore(CGameState& gs, int32_t points) {
    HighScoreEntry* list = gs.high_scores;
    if (points < Points(list[kHighScoreCount - 1])) return -1;
    int32_t place = 0;
    while (Points(list[place]) > points) ++place;  // stops at the tenth entry at the latest
    for (int32_t i = kHighScoreCount - 1; i > place; --i) list[i] = list[i - 1];
    HighScoreEntry& entry = list[place];
    entry = HighScoreEntry{};
    const char* name = gs.company_names[0];
    std::memcpy(entry.name, name, strnlen(name, kCompanyNameLength));
    entry.points = static_cast<uint32_t>(points);
    return place;
}
