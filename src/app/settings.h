#pragma once
// The settings file "ferrovane.ini" in the program directory and the data
// folders built from the program directory.

#include <string>

// "<dir>\ferrovane.ini".
std::string SettingsFilePath(const std::string& programDir);

// Sets `sound_enabled` to 1, then reads "Installation" (section "INSTALL",
// clamped to 0..2) and the nine option keys of "OPTIONEN" into the game
// state; a missing file or key gives the key's default.
void ReadSettingsFile(const std::string& path);
// Writes the nine option keys back as decimal text, "Audio" first and
// "Sound" last, in one safe replacement of the file. Never writes the
// "INSTALL" section. False when the file could not be written: the old file
// then stays as it was.
bool WriteSettingsFile(const std::string& path);
// The write-back at the end of the program: on failure the player is told
// once, in a message box naming the file.
void WriteSettingsAtExit(const std::string& path);
// The text of that box (Windows-1252 bytes).
std::string SettingsWriteErrorText(const std::string& path);

// Fills all 27 data paths from the program directory: groups 0..3 the
// directory itself, 4..8 its "fx", "mission", "scenario", "karriere" and
// "save" folders, every copy of a group alike. A directory too long for the
// fixed path fields is reached as "." (it is the current directory), so no
// path is ever cut short.
void BuildDataPaths(const std::string& programDir);
