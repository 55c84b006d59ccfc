#pragma once
// The three computer opponents of the game state as a group. (Their turn
// schedule runs in the main loop and the game tick.)

#include <cstdint>

class CVehicle;

// Deletes the three opponents and makes slot i from profile i (i = 0, 1, 2).
void RecreateOpponents();
// The opponent selection's choice: `picks` holds up to three profiles in
// slot order (-1 for a slot left empty). A picked slot is made from its
// profile and takes part (turn_pending 1000); an unpicked slot is made from
// the lowest profile nobody picked and takes no turns (turn_pending 0).
void RecreateOpponents(const int32_t (&picks)[3]);
// Deletes the three opponents and empties their slots (at shutdown).
void DeleteOpponents();
// turn_pending = 0 for every opponent: they no longer take turns.
void StopOpponentTurns();
// The game's world is going (the game ends, or a level's world replaces
// it): every opponent forgets it (COpponent::ForgetWorld) and takes no turns,
// as at a new game's start.
void ForgetOpponentWorlds();
// Every opponent drops its plans' references to a vehicle that goes away.
void ForgetVehicleInOpponents(const CVehicle* vehicle);
