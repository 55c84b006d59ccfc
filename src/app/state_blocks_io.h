#pragma once
// The blocks of the game state that level files and best.sav store whole,
// in their fixed little-endian file form. Every writer sets g_WriteError on a
// short write (app/le_io.h). Every reader returns the number of bytes that
// arrived and fills only the values whose bytes all arrived, so a caller can
// tell a block that ended early and reset it.

#include <cstdint>

#include "platform/file.h"

constexpr uint32_t kStatisticsBytes = 6608;
constexpr uint32_t kNewGameCounterBytes = 80;
constexpr uint32_t kFieldGridBytes = 786432;
constexpr uint32_t kCashBytes = 32;
constexpr uint32_t kCompanyNameBytes = 140;
constexpr uint32_t kBookmarkBytes = 80;
constexpr uint32_t kHighScoreBytes = 400;

// g_Statistics, 1,652 words.
void WriteStatisticsBlock(plat::FileHandle file);
uint32_t ReadStatisticsBlock(plat::FileHandle file);

// g_NewGameCounters, 20 words.
void WriteNewGameCounters(plat::FileHandle file);
uint32_t ReadNewGameCounters(plat::FileHandle file);

// The following work on g_pGameState (nothing is written or read without it).
// `fields`: the 256 x 256 records, 12 bytes each, in grid order.
void WriteFieldGrid(plat::FileHandle file);
uint32_t ReadFieldGrid(plat::FileHandle file);

// `cash` of players 0..3, 64-bit each.
void WriteCash(plat::FileHandle file);
uint32_t ReadCash(plat::FileHandle file);

// `company_names`, 4 x 35 characters; every name read is ended within its 35.
void WriteCompanyNames(plat::FileHandle file);
uint32_t ReadCompanyNames(plat::FileHandle file);

// `bookmarks`, 10 x {x, y}.
void WriteBookmarks(plat::FileHandle file);
uint32_t ReadBookmarks(plat::FileHandle file);

// `high_scores`, 10 x {36-character name, 32-bit points}; every name read is
// ended within its 36.
void WriteHighScores(plat::FileHandle file);
uint32_t ReadHighScores(plat::FileHandle file);
