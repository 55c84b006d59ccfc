#pragma once
// The opponents' part of the level file: the three opponent records, then the
// active opponent, the three take-over years and the three take-over
// percentages (all 32-bit little-endian).

#include <cstdint>
#include <functional>

#include "platform/file.h"

// Writes the opponents' part. A slot without an opponent is written as the
// record of a fresh opponent marked for replacement (turn_pending -1).
void WriteOpponentRecords(plat::FileHandle file);

// Reads the opponents' part into the game state. Each opponent reads its own
// record; one whose record is missing (an older file) or that comes back
// marked for replacement is replaced by a new opponent of slot i made from
// profile i. A file that ends after the records keeps the current take-over
// terms (the level reader resets them when the file ends early). Returns
// false when a record is damaged: the level must then be rejected (the
// opponents read before it have already been replaced).
bool ReadOpponentRecords(plat::FileHandle file);

// Walks over the opponents' part with the same checks as the reader and
// changes nothing; false when a record is damaged. With `owner_of` (the owner
// the file gives a building number, -1 for none) the plans are also checked
// against what the file says the opponents own; the vehicles they name are
// found through g_pVehicleLookup, which the caller points at the file's.
// `records_end`, when given, gets the file position after the three records
// (where the active opponent begins).
bool SkipOpponentRecords(plat::FileHandle file,
                         const std::function<int32_t(int32_t)>& owner_of = nullptr,
                         int32_t* records_end = nullptr);

// Every opponent's take-over year = 2060 and percentage = 100 (a file that
// ended early).
void ResetOpponentTakeOverTerms();
// A level start: the opponents stay but take no turns, with the take-over
// terms reset.
void ResetOpponentsForLevelStart();
