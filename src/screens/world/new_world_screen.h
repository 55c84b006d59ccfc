#pragma once
// FS_NEUE_WELT: the editor's new-world screen. The editor user chooses the
// new-game settings of the world generator (land, mountains, woods, towns,
// the distance of the raw-material sites from large towns) and which parts
// to make anew (the whole world, cities, woods, industries). OK writes them
// into the game state and sends the parent WM_USER+42 with lParam 0
// (generate); back sends lParam 1. The main frame opens it on WM_USER+41
// and cancels it with back.

#include "screens/screen_entry.h"
#include "screens/world/choice_screen.h"
#include "state/messages.h"

class FS_NEUE_WELT : public ChoiceScreen {
  public:
    // The groups, in this order, start from the game state's settings.
    enum Group : int32_t {
        kLand,
        kMountains,
        kWoods,
        kTowns,
        kSiteDistance,
        kRegenWorld,
        kRegenCities,
        kRegenWoods,
        kRegenIndustries,
        kGroupCount,
    };
    FS_NEUE_WELT();

  protected:
    void TakeChoices() override;
};

// The sound keeps playing while it is open; after an OK the world is
// generated anew as chosen.
extern const ScreenEntry kNewWorldScreenEntry;
