#pragma once
// The three computer opponents of the game state as a group. (Their turn
// schedule runs in the main loop and the game tick.)

#include <cstdint>

class CVehicle;

// Deletes the three opponents and makes slot i from profile i (i = 0, 1, 2).
void RecreateOpponents();
// Deletes the three opponents and empties their slots (at shutdown).
void DeleteOpponents();
// turn_pending = 0 for every opponent: they no longer take turns.
void StopOpponentTurns();
// Every opponent drops its plans' references to a vehicle that goes away.
void ForgetVehicleInOpponents(const CVehicle* vehicle);
