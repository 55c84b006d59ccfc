// The career record beside a saved game (app/career_record.h).

#include "app/career_record.h"

#include <array>
#include <cstring>

#include "state/game_state.h"
#include "state/le_io.h"

namespace {

constexpr char kTag[4] = {'F', 'V', 'C', 'R'};
constexpr uint32_t kRecordBytes = 12;
constexpr int32_t kLastAssignment = 9;  // assignments 0..9 of a career

bool IsDifficulty(int32_t d) {
    return d == 50 || d == 70 || d == 100;
}

// The career set in the high byte, the assignment in the low byte.
bool IsCareerLevel(int32_t level) {
    return level >= 0 && level <= 0xFFFF && (level & 0xFF) <= kLastAssignment;
}

}  // namespace

std::string CareerRecordPath(const std::string& level_path) {
    const std::string extension = ".lvl";
    std::string stem = level_path;
    if (stem.size() >= extension.size()) {
        std::string end = stem.substr(stem.size() - extension.size());
        for (char& c : end) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        if (end == extension) stem.resize(stem.size() - extension.size());
    }
    return stem + ".career";
}

bool WriteCareerRecord(plat::FileReplacement& record) {
    const CGameState* gs = g_pGameState;
    if (gs == nullptr || !record.Open()) return false;
    std::array<uint8_t, kRecordBytes> bytes{};
    std::memcpy(bytes.data(), kTag, sizeof kTag);
    le::PutU32(bytes.data() + 4, static_cast<uint32_t>(gs->career_difficulty));
    le::PutU32(bytes.data() + 8, static_cast<uint32_t>(gs->career_level));
    return plat::WriteFile(record.Handle(), bytes.data(), kRecordBytes) ==
           static_cast<int32_t>(kRecordBytes);
}

bool ReadCareerRecord(const std::string& level_path) {
    CGameState* gs = g_pGameState;
    if (gs == nullptr) return false;
    const plat::FileHandle file =
        plat::OpenFile(CareerRecordPath(level_path), plat::OpenMode::Read);
    if (file == plat::kInvalidFile) return false;
    // One byte more than a record: a longer file is not one.
    std::array<uint8_t, kRecordBytes + 1> bytes{};
    const int32_t read = plat::ReadFile(file, bytes.data(), kRecordBytes + 1);
    plat::CloseFile(file);
    if (read != static_cast<int32_t>(kRecordBytes)) return false;
    if (std::memcmp(bytes.data(), kTag, sizeof kTag) != 0) return false;
    const auto difficulty = static_cast<int32_t>(le::GetU32(bytes.data() + 4));
    const auto level = static_cast<int32_t>(le::GetU32(bytes.data() + 8));
    if (!IsDifficulty(difficulty) || !IsCareerLevel(level)) return false;
    gs->career_difficulty = difficulty;
    gs->career_level = level;
    return true;
}
