#include "app/state_blocks_io.h"

#include <cstring>
#include <vector>

#include "state/game_state.h"
#include "state/le_io.h"
#include "state/statistics.h"

namespace {

// Reads `count` bytes into a buffer; the caller decodes what arrived.
std::vector<uint8_t> ReadBuffer(plat::FileHandle file, uint32_t count, uint32_t* got) {
    std::vector<uint8_t> bytes(count);
    *got = le::ReadBytes(file, bytes.data(), count);
    return bytes;
}

// Text fields keep their bytes as stored but always end inside the field.
template <size_t N>
void EndText(char (&text)[N]) {
    text[N - 1] = '\0';
}

}  // namespace

void WriteStatisticsBlock(plat::FileHandle file) {
    le::WriteI32Array(file, g_Statistics.words, kStatisticsWords);
}

uint32_t ReadStatisticsBlock(plat::FileHandle file) {
    return le::ReadI32Array(file, g_Statistics.words, kStatisticsWords);
}

void WriteNewGameCounters(plat::FileHandle file) {
    le::WriteI32Array(file, g_NewGameCounters.words, kNewGameCounterWords);
}

uint32_t ReadNewGameCounters(plat::FileHandle file) {
    return le::ReadI32Array(file, g_NewGameCounters.words, kNewGameCounterWords);
}

void WriteFieldGrid(plat::FileHandle file) {
    if (g_pGameState == nullptr) return;
    static_assert(sizeof(g_pGameState->fields) == kFieldGridBytes);
    le::WriteBytes(file, g_pGameState->fields, kFieldGridBytes);
}

uint32_t ReadFieldGrid(plat::FileHandle file) {
    if (g_pGameState == nullptr) return 0;
    uint32_t got = 0;
    const std::vector<uint8_t> bytes = ReadBuffer(file, kFieldGridBytes, &got);
    const uint32_t whole = got / sizeof(MapField);
    std::memcpy(g_pGameState->fields, bytes.data(), whole * sizeof(MapField));
    return got;
}

void WriteCash(plat::FileHandle file) {
    if (g_pGameState == nullptr) return;
    uint8_t bytes[kCashBytes];
    for (int32_t p = 0; p < kPlayerCount; ++p) {
        le::PutU64(bytes + 8 * p, static_cast<uint64_t>(g_pGameState->cash[p]));
    }
    le::WriteBytes(file, bytes, kCashBytes);
}

uint32_t ReadCash(plat::FileHandle file) {
    if (g_pGameState == nullptr) return 0;
    uint32_t got = 0;
    const std::vector<uint8_t> bytes = ReadBuffer(file, kCashBytes, &got);
    for (uint32_t p = 0; p < got / 8; ++p) {
        g_pGameState->cash[p] = static_cast<int64_t>(le::GetU64(&bytes[8 * p]));
    }
    return got;
}

void WriteCompanyNames(plat::FileHandle file) {
    if (g_pGameState == nullptr) return;
    static_assert(sizeof(g_pGameState->company_names) == kCompanyNameBytes);
    le::WriteBytes(file, g_pGameState->company_names, kCompanyNameBytes);
}

uint32_t ReadCompanyNames(plat::FileHandle file) {
    if (g_pGameState == nullptr) return 0;
    uint32_t got = 0;
    const std::vector<uint8_t> bytes = ReadBuffer(file, kCompanyNameBytes, &got);
    for (uint32_t p = 0; p < got / kCompanyNameLength; ++p) {
        std::memcpy(g_pGameState->company_names[p], &bytes[p * kCompanyNameLength],
                    kCompanyNameLength);
        EndText(g_pGameState->company_names[p]);
    }
    return got;
}

void WriteBookmarks(plat::FileHandle file) {
    if (g_pGameState == nullptr) return;
    int32_t words[2 * kBookmarkCount];
    for (int32_t i = 0; i < kBookmarkCount; ++i) {
        words[2 * i] = g_pGameState->bookmarks[i].x;
        words[2 * i + 1] = g_pGameState->bookmarks[i].y;
    }
    le::WriteI32Array(file, words, 2 * kBookmarkCount);
}

uint32_t ReadBookmarks(plat::FileHandle file) {
    if (g_pGameState == nullptr) return 0;
    int32_t words[2 * kBookmarkCount];
    const uint32_t got = le::ReadI32Array(file, words, 2 * kBookmarkCount);
    for (uint32_t w = 0; w < got / 4; ++w) {
        Bookmark& b = g_pGameState->bookmarks[w / 2];
        (w % 2 == 0 ? b.x : b.y) = words[w];
    }
    return got;
}

void WriteHighScores(plat::FileHandle file) {
    if (g_pGameState == nullptr) return;
    uint8_t bytes[kHighScoreBytes];
    for (int32_t i = 0; i < kHighScoreCount; ++i) {
        const HighScoreEntry& e = g_pGameState->high_scores[i];
        std::memcpy(bytes + 40 * i, e.name, sizeof e.name);
        le::PutU32(bytes + 40 * i + 36, e.points);
    }
    le::WriteBytes(file, bytes, kHighScoreBytes);
}

uint32_t ReadHighScores(plat::FileHandle file) {
    if (g_pGameState == nullptr) return 0;
    uint32_t got = 0;
    const std::vector<uint8_t> bytes = ReadBuffer(file, kHighScoreBytes, &got);
    for (uint32_t i = 0; i < got / 40; ++i) {
        HighScoreEntry& e = g_pGameState->high_scores[i];
        std::memcpy(e.name, &bytes[40 * i], sizeof e.name);
        EndText(e.name);
        e.points = le::GetU32(&bytes[40 * i + 36]);
    }
    return got;
}
