#pragma once
// FS_FAHRZEUG_KAUF_LKW: the truck purchase screen. Its list holds the truck
// types on sale (rows 0..3, each the type's first model); Buy creates a
// truck of the highlighted type on the depot of the world view's selected
// field, or, with a schedule screen open, gives the edited truck that model.
// The frame opens it on WM_USER+0x1D and closes it on WM_USER+0x1E.

#include <cstdint>

#include "screens/screen_entry.h"
#include "screens/vehicles/purchase_screen.h"

class CVehicle;

class FS_FAHRZEUG_KAUF_LKW : public VehiclePurchaseScreen {
  public:
    FS_FAHRZEUG_KAUF_LKW();
    ~FS_FAHRZEUG_KAUF_LKW() override;

    bool Open(plat::Window* parent, int32_t way_type);
    // The truck type (0..3) of the highlighted row.
    int32_t Type() const { return ChosenModel() >= 0 ? ChosenModel() / 3 : 0; }

  protected:
    void CollectRows() override;
    void FillInfo() override;
    int32_t PictureModel() const override;
    void HoldTerminal() override;
    void ReleaseTerminal() override;
    void OnBuy() override;
    void BeforeEnter() override { kind = 0; }
};

// The speed line of a truck model: "Speed: 50/25 mph" (a speed byte of 1
// reads 30).
std::string TruckSpeedLine(int32_t model);

extern const ScreenEntry kTruckPurchaseScreenEntry;
