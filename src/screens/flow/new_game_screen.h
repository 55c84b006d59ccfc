#pragma once
// FS_SPIELSTART: the set-up of a free game before its world is made. The
// player picks the season, five levels of the world generator, the start
// capital, the city-name list, and four presets that set the levels at once
// (the last, custom, is what any change of a level marks). OK writes the
// choices into the game state and sends the frame WM_USER+50 with lParam 0;
// the frame reads `StartCapital` from the still open screen. Back sends
// lParam 1. The frame opens it on WM_USER+49.

#include <cstdint>

#include "screens/screen_entry.h"
#include "screens/world/choice_screen.h"

class FS_SPIELSTART : public ChoiceScreen {
  public:
    // The groups, in the order clicks are tested.
    enum Group : int32_t {
        kSeason,
        kLandscapeB,
        kLandscapeA,
        kWoods,
        kIndustries,
        kCities,
        kCapital,
        kNameList,
        kPreset,
        kGroupCount,
    };
    static constexpr int32_t kCustomPreset = 3;

    FS_SPIELSTART();

    // The capital a game started from this screen begins with.
    int64_t StartCapital() const;

    int32_t events_off = 1;  // 1: market events switched off

  protected:
    void TakeChoices() override;
    void OnChoiceChanged(int32_t group) override;
};

// Before it opens the opponents' turns stop; the frame adds starting the game.
extern const ScreenEntry kNewGameScreenEntry;
