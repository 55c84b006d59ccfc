#pragma once
// The vehicle overview page: the player's trucks or trains two at a time,
// each with its picture, model, number, travel costs and first six stops
// with their cargo. It pages through the vehicles, opens the schedule screen
// of either one and closes with the world view moved to either one. The
// frame opens it on WM_USER+0x8B and closes it on WM_USER+0x8C (lParam 1:
// the view is centred on its selected field).

#include <cstdint>

#include "screens/economy/economy_screen.h"
#include "screens/screen_entry.h"
#include "screens/vehicles/vehicle_overview.h"

class LISTBOX;

inline constexpr int32_t kOverviewListSize = 4096;

class VehicleOverviewPage : public EconomyScreen, public FS_FZ_UEBER {
  public:
    VehicleOverviewPage();
    ~VehicleOverviewPage() override;

    bool Open(plat::Window* parent);
    void RemoveVehicle(CVehicle* vehicle) override;
    CVehicle* ChosenVehicle() const override { return chosen_vehicle; }
    void SetShown(bool shown) override;
    // The vehicle lists from the vehicle list: the player's trucks and trains.
    void FillLists();
    void DrawVehicles();

    CVehicle* lists[2][kOverviewListSize] = {};
    int32_t counts[2] = {};
    int32_t first = 0;
    int32_t kind = 0;                    // 0 trucks, 1 trains
    CVehicle* chosen_vehicle = nullptr;  // registered
    LISTBOX* kind_list = nullptr;
    WinGBitmap pictures;

  protected:
    void OnPaint(plat::DeviceContext& dc) override;
    bool OnCommand(uint16_t command) override;
    bool OnScreenMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;

  private:
    void OnKindChosen();
    void AskSchedule(int32_t column);
    void GoTo(int32_t column);
    CVehicle* Shown(int32_t column) const;
};

extern const ScreenEntry kVehicleOverviewScreenEntry;
