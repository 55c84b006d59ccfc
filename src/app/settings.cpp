#include "app/settings.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/file.h"
#include "platform/message_box.h"
#include "platform/messages.h"
#include "platform/profile.h"
#include "state/game_state.h"

namespace {

constexpr const char* kInstallSection = "INSTALL";
constexpr const char* kOptionsSection = "OPTIONEN";

struct OptionKey {
    const char* key;
    int32_t CGameState::*field;
};

// In the order of reading and of writing back; "Scrollspeed" is a byte and
// handled on its own between "Autosave" and "Sound".
constexpr OptionKey kLeadingOptions[] = {
    {"Audio", &CGameState::opt_music},
    {"Fahrzeug", &CGameState::opt_vehicle_sounds},
    {"Umgebung", &CGameState::opt_ambient_sounds},
    {"Stadtverkehr", &CGameState::opt_city_traffic},
    {"Animationen", &CGameState::opt_animations},
    {"Jahreszeiten", &CGameState::opt_seasons},
    {"Autosave", &CGameState::opt_autosave},
};
constexpr const char* kScrollSpeedKey = "Scrollspeed";
constexpr const char* kSoundKey = "Sound";

// The folder suffixes of groups 0..8.
constexpr const char* kGroupSuffixes[kDataPathGroups] = {
    "", "", "", "", "\\fx", "\\mission", "\\scenario", "\\karriere", "\\save",
};

}  // namespace

std::string SettingsFilePath(const std::string& programDir) {
    return programDir + "\\ferrovane.ini";
}

void ReadSettingsFile(const std::string& path) {
    CGameState* gs = g_pGameState;
    if (gs == nullptr) return;
    gs->sound_enabled = 1;
    int32_t install = plat::GetProfileInt(kInstallSection, "Installation", 0, path);
    if (install < 0) install = 0;
    if (install >= kDataPathCopies) install = kDataPathCopies - 1;
    gs->install_index = install;
    for (const OptionKey& option : kLeadingOptions) {
        gs->*option.field = plat::GetProfileInt(kOptionsSection, option.key, 1, path);
    }
    gs->opt_scroll_speed =
        static_cast<uint8_t>(plat::GetProfileInt(kOptionsSection, kScrollSpeedKey, 1, path));
    gs->sound_enabled = plat::GetProfileInt(kOptionsSection, kSoundKey, 1, path);
}

bool WriteSettingsFile(const std::string& path) {
    const CGameState* gs = g_pGameState;
    if (gs == nullptr) return false;
    std::vector<plat::ProfileEntry> entries;
    for (const OptionKey& option : kLeadingOptions) {
        entries.push_back({option.key, std::to_string(gs->*option.field)});
    }
    entries.push_back({kScrollSpeedKey, std::to_string(gs->opt_scroll_speed)});
    entries.push_back({kSoundKey, std::to_string(gs->sound_enabled)});
    return plat::WriteProfileStrings(kOptionsSection, entries, path);
}

std::string SettingsWriteErrorText(const std::string& path) {
    return "The settings couldn\xb4t be saved:\n " + plat::HostPath(path) +
           " \n Check the remaining disk space!!!!";
}

// A failed write-back is told: the options the player changed in this
// session would otherwise be lost without a word.
void WriteSettingsAtExit(const std::string& path) {
    if (g_pGameState == nullptr || WriteSettingsFile(path)) return;
    plat::MessageBox(nullptr, SettingsWriteErrorText(path), "Ferrovane",
                     MB_OK | MB_ICONSTOP | MB_SYSTEMMODAL);
}

void BuildDataPaths(const std::string& programDir) {
    CGameState* gs = g_pGameState;
    if (gs == nullptr) return;
    size_t longestSuffix = 0;
    for (const char* suffix : kGroupSuffixes) {
        longestSuffix = std::max(longestSuffix, std::char_traits<char>::length(suffix));
    }
    const std::string base =
        programDir.size() + longestSuffix < static_cast<size_t>(kDataPathLength) ? programDir : ".";
    for (int32_t group = 0; group < kDataPathGroups; ++group) {
        for (int32_t copy = 0; copy < kDataPathCopies; ++copy) {
            std::snprintf(gs->data_paths[group * kDataPathCopies + copy], kDataPathLength, "%s%s",
                          base.c_str(), kGroupSuffixes[group]);
        }
    }
}
