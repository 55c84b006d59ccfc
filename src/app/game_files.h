#pragma once
// Installs the level and saved-game files (app/level_file.h) behind the
// interface's GameFiles hook (state/game_files.h).

void InstallLevelFiles();
