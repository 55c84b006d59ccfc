#pragma once
// Questions about the way on a field that vehicles, the network linking and
// the piece fitting ask. They read the field grid and change nothing.

#include <cstdint>

// 1 when piece p (`wegteil` - 1) has an exit in direction bit d and piece q an
// exit in the opposite direction, that is, when a field holding p joins its
// neighbour in direction d holding q. 0 for any other d and for pieces outside
// 0..16 (a field without a piece gives -1).
int32_t PieceConnects(int32_t d, int32_t p, int32_t q);

// Directions a vehicle of way type t may use on field (x, y).
int32_t GetPieceConnections(int32_t x, int32_t y, int32_t t);
// Direction bits of the way on the field: track bits for t >= 4, road bits
// below; level crossings and tunnel portals by their axis.
int32_t GetWayDirections(int32_t x, int32_t y, int32_t t);
// 1 truck depot, 4 station body field, 5 station head field, else 0.
int32_t GetTerminalKindAt(int32_t x, int32_t y);
// kind 1: `geb_change`; kind 2: `tunnel_belegt`; else 0.
int32_t TestFieldFlag(int32_t x, int32_t y, int32_t kind);
// Lane 1 or 2 of a road vehicle moving in direction bit d over the field; 0
// on track fields and where the piece gives no lane.
int32_t GetRoadLane(int32_t x, int32_t y, int32_t d);
