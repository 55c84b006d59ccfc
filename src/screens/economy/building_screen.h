#pragma once
// BuildingScreen: an economy screen about one building (a factory's
// production, a store's sales, the depot's stock), opened by the frame for
// the building an overview chose or the one on the world view's selected
// field.
//
//   .open = OpenForSelectedBuilding<FS_X, kFirstType, kLastType>,

#include <cstdint>

#include "screens/economy/economy_figures.h"
#include "screens/economy/economy_screen.h"

class CBuilding;

class BuildingScreen : public EconomyScreen {
  public:
    int32_t m_building = 0;  // the building number

  protected:
    explicit BuildingScreen(uint32_t done_message) : EconomyScreen(done_message) {}

    // The building, null when its slot is empty.
    CBuilding* Building() const;
    // Whether the building is there and the player's own.
    bool OwnedByPlayer() const;
    // Takes `building` as the screen's and answers its type as its anchor
    // field records it (the building's own without a field); -1 when there
    // is no such building.
    int32_t TakeBuilding(int32_t building);
};

// A ScreenEntry's `open` for a screen about one building: a new Screen
// opened (Open(parent, building)) for the selected building of a type in
// [kFirstType, kLastType]; null when there is none or it did not open.
template <typename Screen, int32_t kFirstType, int32_t kLastType>
plat::Window* OpenForSelectedBuilding(plat::Window& frame, plat::WParam, plat::LParam) {
    const int32_t building = SelectedBuildingOfTypes(kFirstType, kLastType);
    if (building == 0) return nullptr;  // nothing to show
    auto* screen = new Screen;
    if (screen->Open(&frame, building)) return screen;
    delete screen;
    return nullptr;
}
