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
// "Sound" last. Never writes the "INSTALL" section.
void WriteSettingsFile(const std::string& path);

// Fills all 27 data paths from the program directory: groups 0..3 the
// directory itself, 4..8 its "fx", "mission", "scenario", "karriere" and
// "save" folders, every copy of a group alike. A directory too long for the
// fixed path fields is reached as "." (it is the current directory), so no
// path is ever cut short.
void BuildDataPaths(const std::string& programDir);
