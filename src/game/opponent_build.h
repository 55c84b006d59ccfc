#pragma once
// The builder actions of a computer opponent: the player's own construction
// check, preview and builders, run for the acting player with the opponent's
// reserve kept back. Every action restores nothing itself: the turn keeps
// the shared tool state around all of them.

#include <cstdint>

enum class ActionResult {
    Done,     // built and charged
    Wait,     // it would take the cash below the reserve: try again later
    Refused,  // the site or path does not allow it
};

struct Placement {
    int32_t type = 0;  // building type (a truck depot with its orientation)
    int32_t x = 0;     // north-west field of the footprint
    int32_t y = 0;
};

// The price the placement would charge (the type's price, the ways it
// removes and the city buildings it displaces), -1 when the construction
// check refuses the site for the acting player.
int64_t PreviewPlacement(const Placement& placement);
// Places the building for the acting player; `number` gets its building
// number when done.
ActionResult PlaceForActingPlayer(const Placement& placement, int64_t reserve, int32_t& number);

// Plans an asphalt road from (x1, y1) to (x2, y2) into the path list; the
// price of laying it, or -1 when no path was found.
int64_t PlanRoadForActingPlayer(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// Joins a truck depot on (x, y) to the road on its front field (fx, fy) the
// way a player drags the road from the depot onto it (no new way field).
void JoinDepotToRoad(int32_t x, int32_t y, int32_t fx, int32_t fy);
// Plans and lays the road for the acting player.
ActionResult LayRoadForActingPlayer(int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                                    int64_t reserve);
