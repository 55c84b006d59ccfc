#pragma once
// The vehicle overview screen as the frame update and the schedule screen
// use it (null while closed): it forgets vehicles that are deleted, and it
// names the vehicle whose schedule the player asked for.

class CVehicle;

class FS_FZ_UEBER {
  public:
    virtual ~FS_FZ_UEBER() = default;
    // Removes a vehicle that is about to be deleted from the list shown.
    virtual void RemoveVehicle(CVehicle* vehicle) = 0;
    // The vehicle whose schedule was asked for (null: none).
    virtual CVehicle* ChosenVehicle() const { return nullptr; }
    // Hidden while the schedule screen opened from it is up, shown again
    // when that closes.
    virtual void SetShown(bool /*shown*/) {}
};

inline FS_FZ_UEBER* g_pVehicleOverview = nullptr;
