#pragma once
// The vehicle overview screen as the frame update uses it (null while
// closed). The vehicle screens complete it.

class CVehicle;

class FS_FZ_UEBER {
  public:
    virtual ~FS_FZ_UEBER() = default;
    // Removes a vehicle that is about to be deleted from the list shown.
    virtual void RemoveVehicle(CVehicle* vehicle) = 0;
};

inline FS_FZ_UEBER* g_pVehicleOverview = nullptr;
