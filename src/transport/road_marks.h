#pragma once
// The occupancy marks that road vehicles (trucks and city cars) leave on the
// map so that they queue behind each other, keep their lanes and lock
// junctions:
//   - an ordinary road field, a bridge end or a truck depot: lane bits in
//     `belegt` (value 1 = lane 1, 2 = lane 2);
//   - a junction (a node field that is no terminal): `belegt` counts the
//     vehicles on it (0..3), and the junction's way node keeps one counter per
//     side that blocks entry from that side;
//   - a bridge span: lane bits in the low nibble of byte 9;
//   - a tunnel portal, or a tunnel field under a vehicle in the tunnel: the
//     tunnel lane bits (byte 5 bit 7 lane 1, byte 7 bit 0 lane 2).
//
// A vehicle records the mark it holds (RoadMark) when it sets it and releases
// exactly that mark later, by clearing its bit or lowering its counts (never
// below 0). The mark a vehicle takes on a field depends only on the field and
// the vehicle's tunnel and bridge flags (MarkKindAt).

#include <cstdint>

enum class MarkKind : uint8_t { None, Lane, Junction, Bridge, Tunnel };

struct RoadMark {
    MarkKind kind = MarkKind::None;
    uint8_t x = 0;
    uint8_t y = 0;
    uint8_t lane = 0;   // 1 or 2 (lane, bridge and tunnel marks)
    int32_t node = 0;   // junction: the node whose side counters were raised
    int32_t exit = -1;  // junction: the exit side 0..3 (its counter not raised), -1 none
};

// A junction: a field with a way node that is no terminal, no tunnel portal
// and no bridge end.
bool IsJunctionField(int32_t x, int32_t y);
// The kind of mark a road vehicle takes on (x, y) with its flags.
MarkKind MarkKindAt(int32_t x, int32_t y, bool in_tunnel, bool on_bridge);
// The lane a vehicle keeps when heading in direction bit `heading` where the
// road piece does not say: 2 heading north or west, else 1.
uint8_t HeadingLane(uint8_t heading);
// The lane on (x, y) for `heading`: junction marks by the exit, tunnel runs
// and bridge spans by the heading, elsewhere by the road piece (falling back
// to the heading).
uint8_t LaneFor(int32_t x, int32_t y, MarkKind kind, uint8_t heading);

// True when a lane mark of that kind and lane is free on (x, y). Junctions
// are always free here: their lock is the side counter (JunctionSideBusy).
bool IsLaneFree(int32_t x, int32_t y, MarkKind kind, uint8_t lane);
// The side counter of the junction on (x, y) for entry from side `side`
// (0..3) is not 0.
bool JunctionSideBusy(int32_t x, int32_t y, int32_t side);

// Sets a mark and records it in `mark` (which must hold none). For a
// junction, `exit` is the side index the vehicle leaves by; the side
// counters are raised only when `raise_counters` (a loaded vehicle finds them
// in the way network's record).
void TakeMark(RoadMark& mark, int32_t x, int32_t y, MarkKind kind, uint8_t lane, int32_t exit,
              bool raise_counters = true);
// Releases the recorded mark (nothing when it holds none).
void ReleaseMark(RoadMark& mark);

// The bridge-span lane bits (low nibble of byte 9).
uint8_t BridgeLaneBits(int32_t x, int32_t y);
