// Writes the stand-in data folder. Usage: ferrovane-standin FOLDER
#include <cstdio>
#include <filesystem>
#include <string>

#include "levels/standin_levels.h"
#include "standin.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argc > 0 ? argv[0] : "ferrovane-standin");
        return 2;
    }
    std::string error;
    if (!standin::WriteDataFolder(argv[1], &error) ||
        !standin::WriteStandinLevels(argv[1], &error)) {
        // Without its levels the folder is not complete.
        std::error_code ignored;
        std::filesystem::remove(std::filesystem::path(argv[1]) / ".complete", ignored);
        std::fprintf(stderr, "ferrovane-standin: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
