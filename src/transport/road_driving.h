#pragma once
// The field-by-field driving that trucks and city cars share: the field
// ahead, the tunnel and bridge flags on the way, the entry into the next
// field with its lane mark, the U-turn on the spot and waiting.

#include <cstdint>

#include "transport/road_marks.h"

class CVehicle;

// The decision at the middle of a field looks at the field ahead.
struct RoadStep {
    uint8_t heading = 0;  // direction bit the vehicle is heading in
    int32_t ax = 0;       // the field ahead, A
    int32_t ay = 0;
    uint8_t entry_side = 0;  // direction bit of A's side facing the vehicle, e
    int32_t entry_index = 0;
    bool ahead_on_map = false;
};

// How the vehicle would enter A: its heading there, the mark and the lane.
struct RoadEntry {
    uint8_t heading = 0;
    MarkKind kind = MarkKind::None;
    uint8_t lane = 1;
};

// False when the vehicle's heading is not one of the four directions.
bool LookAhead(const CVehicle& v, RoadStep& step);
// Sets the in-tunnel and on-bridge flags for the move into A: entering a
// portal the vehicle is in the tunnel when it heads into the hill; entering a
// bridge end from off the bridge it is on the bridge; leaving a bridge end
// for a field without a bridge it is off it.
void UpdateTunnelBridgeFlags(CVehicle& v, const RoadStep& step);
// True when the vehicle is underground or on a bridge (the ground rules for
// junctions and dead ends do not apply).
bool OffGround(const CVehicle& v);
// The way goes on into A from the vehicle's side: A has a road with the side
// e and the vehicle's own field is no dead end facing e; always inside a
// tunnel run or on a bridge span.
bool WayContinues(const CVehicle& v, const RoadStep& step);
// A is a dead end reached from its open side (no terminal, no junction).
bool IsDeadEndAhead(const RoadStep& step);
// The entry into A with the vehicle's present flags.
RoadEntry PlanEntry(const CVehicle& v, const RoadStep& step);
bool IsEntryFree(const RoadStep& step, const RoadEntry& entry);
// Sets the vehicle's mark on (x, y) (see TakeMark) and keeps the fields that
// its record saves in step with it: the lane and, on a junction, the junction
// node and exit, from which a loaded vehicle takes its junction mark back.
void TakeVehicleMark(CVehicle& v, int32_t x, int32_t y, MarkKind kind, uint8_t lane, int32_t exit);
// Puts back the mark of a vehicle just read from a level file on its
// position, the junction side counters excepted (they come back with the way
// network's record). A lane already taken belongs to a vehicle read before
// (one that waited for its lane when the game was saved): this one then
// holds no mark.
void PutBackLoadedMark(CVehicle& v, MarkKind kind, uint8_t lane);
// Moves the vehicle into A: the field left is given up (its mark released),
// the mark of the entry is set, the next direction byte and the lane follow.
void MoveInto(CVehicle& v, const RoadStep& step, const RoadEntry& entry);
// True when a vehicle leaving the junction A by side `exit_index` can go on
// at once: the lane it takes on the field beyond is free (or, when that
// field is a junction too, its entry is not locked). Vehicles wait before a
// junction rather than stop on it, so a queue behind the junction never
// locks the crossing traffic for good.
bool JunctionExitClear(const RoadStep& step, int32_t exit_index, uint8_t* lane_out = nullptr);
// Moves the vehicle onto the junction A, leaving it by side `exit_index`.
void EnterJunction(CVehicle& v, const RoadStep& step, int32_t exit_index);
// Turns the vehicle round on its field when the other lane is free and
// answers true; else false (the caller waits). `tunnel0`, `bridge0`: the
// flags the vehicle had on its field before this decision.
bool TryUTurn(CVehicle& v, int32_t tunnel0, int32_t bridge0);
// Stands still for n frames at phase 15 with the flags it had before the
// decision.
void WaitHere(CVehicle& v, int32_t frames, int32_t tunnel0, int32_t bridge0);
// Takes the slower model of the vehicle ahead in (x, y, lane), then waits.
void WaitBehind(CVehicle& v, int32_t x, int32_t y, uint8_t lane, int32_t frames, int32_t tunnel0,
                int32_t bridge0);

// 1 when the field is in the visible part of the world view.
int32_t FieldInView(int32_t x, int32_t y);
// The view rotation 0..3.
int32_t ViewRotation();
