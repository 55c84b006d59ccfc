#pragma once
// FS_FAHRZEUG_KAUF: the rail purchase screen. Its list holds the models of
// one track class on sale (rails 10..14, monorail 15..17, superconductor
// 18); Buy creates a train of the highlighted model on the platform row of
// the world view's selected field, or, with a schedule screen open, gives the
// edited train that model. The frame opens it on WM_USER+0x1F with the way
// type and closes it on WM_USER+0x20.

#include <cstdint>
#include <string>

#include "screens/screen_entry.h"
#include "screens/vehicles/purchase_screen.h"

class CVehicle;
class CTrainStation;

class FS_FAHRZEUG_KAUF : public VehiclePurchaseScreen {
  public:
    FS_FAHRZEUG_KAUF();
    ~FS_FAHRZEUG_KAUF() override;

    bool Open(plat::Window* parent, int32_t way_type);

    int32_t way_type = 4;

  protected:
    void CollectRows() override;
    void FillInfo() override;
    void HoldTerminal() override;
    void ReleaseTerminal() override;
    void OnBuy() override;
    void BeforeEnter() override { RememberRow(); }

  private:
    void RememberRow();
};

// Where a train bought on station field (x, y) starts: a platform field as it
// is; on the head line the first field of platform row 1. False when the
// field holds no station of the player.
bool TrainStartField(int32_t x, int32_t y, int32_t* start_x, int32_t* start_y,
                     CTrainStation** station);
// The speed line of a rail model: "Speed:100/50 mph" (a grade speed byte of
// 1 reads 30).
std::string RailSpeedLine(int32_t model);

extern const ScreenEntry kRailPurchaseScreenEntry;
