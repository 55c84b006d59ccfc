// The settings file: an input is read into the game state and queried, the
// options are written back, and the file must then read as it was written:
// the same options, the installation key untouched, a key of our own kept.

#include <cstdint>
#include <string>

#include "app/settings.h"
#include "fuzz_game.h"
#include "platform/profile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string ini = fvfuzz::WriteInput("ferrovane.ini", data, size);
    const std::string first = fvfuzz::ScratchPath("first.ini");
    const std::string again = fvfuzz::ScratchPath("again.ini");
    ReadSettingsFile(ini);
    const int32_t install = plat::GetProfileInt("INSTALL", "Installation", -7, ini);
    plat::GetProfileString("OPTIONEN", "Scrollspeed", "", ini);
    std::string value;
    for (size_t i = 0; i < size && i < 12; ++i) value += static_cast<char>('a' + data[i] % 26);
    // The options as read, written into a file of their own.
    fvfuzz::Require(WriteSettingsFile(first), "options written");
    fvfuzz::Require(WriteSettingsFile(ini), "options written back");
    fvfuzz::Require(plat::WriteProfileString("Fuzz", "Key", value, ini), "a key written");
    ReadSettingsFile(ini);
    fvfuzz::Require(WriteSettingsFile(again), "options written again");
    fvfuzz::Require(fvfuzz::ReadFile(first) == fvfuzz::ReadFile(again), "options read back");
    fvfuzz::Require(plat::GetProfileInt("INSTALL", "Installation", -7, ini) == install,
                    "installation key kept");
    fvfuzz::Require(plat::GetProfileString("Fuzz", "Key", "-", ini) == value, "own key kept");
    return 0;
}
