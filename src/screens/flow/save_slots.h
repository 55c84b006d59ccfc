#pragma once
// The ten save slots of the saved-games folder: a game's "<n>.lvl" with its
// description "<n>.dir", in the editor "s_<n>.lvl" and "s_<n>.dir".

#include <cstdint>
#include <string>

inline constexpr int32_t kSaveSlotCount = 10;
inline constexpr int32_t kAutosaveSlot = 10;

// The slot's file with the extension ("lvl" or "dir"), for the game or the
// editor as the game state's mode says.
std::string SaveSlotFile(int32_t slot, const char* extension);
// The first line of a description file, at most 99 bytes; false when the
// file does not open.
bool ReadDescription(const std::string& path, std::string& line);
// True when the file can be opened for reading and writing.
bool FileOpens(const std::string& path);
// The file the autosave slot loads from.
std::string AutosaveFile();
// Whether the load screen lists the slot as a game to load: one of the ten
// with its description and its level, or the autosave (not in the editor)
// with its level.
bool SlotLoadable(int32_t slot);
