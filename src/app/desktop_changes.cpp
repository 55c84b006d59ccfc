#include "app/desktop_changes.h"

#include "app/app_globals.h"
#include "platform/desktop.h"
#include "state/game_state.h"

namespace {

constexpr const char* kExplorerPolicies =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr const char* kAutoRunValue = "NoDriveTypeAutoRun";
constexpr uint32_t kAutoRunAllOff = 255;
constexpr uint32_t kAutoRunDefault = 149;
constexpr uint32_t kTaskbarAlwaysOnTop = 2;

}  // namespace

void HideTaskbar() {
    if (g_pGameState != nullptr) {
        g_pGameState->taskbar_state = static_cast<int32_t>(plat::QueryTaskbarState());
    }
    plat::LowerTaskbar();
}

void RestoreTaskbar() {
    if (g_pGameState == nullptr) return;
    if ((static_cast<uint32_t>(g_pGameState->taskbar_state) & kTaskbarAlwaysOnTop) != 0) {
        plat::RaiseTaskbarToTop();
    }
}

void DisableAutoRun() {
    uint32_t value = 0;
    if (plat::ReadUserRegistryValue(kExplorerPolicies, kAutoRunValue, &value)) {
        g_SavedAutoRun = value;
        plat::WriteUserRegistryValue(kExplorerPolicies, kAutoRunValue, kAutoRunAllOff);
    } else {
        g_SavedAutoRun = kAutoRunDefault;
    }
}

void RestoreAutoRun() {
    plat::WriteUserRegistryValue(kExplorerPolicies, kAutoRunValue, g_SavedAutoRun);
}
