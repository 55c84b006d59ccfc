#pragma once
// The career's difficulty and assignment, kept beside a saved game. The
// level file's records hold neither, so a career loaded in a later run would
// go on at the start-up values (the wrong targets and the wrong next
// assignment). They go into a small file of their own beside the game,
// "<name>.career" for "<name>.lvl", which no reader of level files sees:
//
//   4 bytes "FVCR", int32 `career_difficulty`, int32 `career_level`
//   (little-endian, 12 bytes in all).
//
// It is written with the same safe replacement as the level. Reading it is
// optional: a game without one (saved before, or by another program), and a
// damaged one, keep the running values.

#include <string>

#include "platform/file.h"

// "<path without .lvl>.career".
std::string CareerRecordPath(const std::string& level_path);

// The running values, written into the replacement's temporary file (not
// yet committed). False when it could not be written.
bool WriteCareerRecord(plat::FileReplacement& record);

// Sets the running values from the record beside `level_path`. False (the
// running values kept) when there is none or it is damaged: shorter or
// longer than a record, another tag, or a difficulty or assignment no career
// has.
bool ReadCareerRecord(const std::string& level_path);
