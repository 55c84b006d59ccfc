#pragma once
// The one place that forgets a vehicle when it is deleted, whichever way that
// happens (the frame update, scrapping, city traffic switched off, a new game
// or a load). Every pointer to a vehicle kept outside the vehicle list (the
// control panel's selected vehicle, the schedule screen's vehicle, ...) is
// registered here; the vehicle's destructor sets each one that points at it
// to null, clears g_pVehicleAtTerminal and lets the opponents drop it.

class CVehicle;

// `slot` must stay valid until it is unregistered. Registering twice is
// harmless.
void RegisterVehicleReference(CVehicle** slot);
void UnregisterVehicleReference(CVehicle** slot);

// Called by the destructor of CVehicle.
void ForgetVehicle(const CVehicle* vehicle);
