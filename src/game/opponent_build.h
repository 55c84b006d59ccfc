#pragma once
// The builder actions of a computer opponent: the player's own construction
// check, preview and builders, run for the acting player with the opponent's
// reserve kept back. Every action restores nothing itself: the turn keeps
// the shared tool state around all of them.

#include <cstdint>

enum class ActionResult {
    Done,       // built and charged
    Wait,       // it would take the cash below the reserve: try again later
    Refused,    // the site or path does not allow it
    OutOfTurn,  // the turn has no construction check left: try again next turn
};

// The limits of one turn. Every run of the construction check (a preview or
// the check before a placement) takes one of the turn's checks.
struct TurnBudget {
    int32_t actions = 6;   // builder actions and purchases
    int32_t plans = 2;     // path plans
    int32_t searches = 1;  // full route searches
    int32_t checks = 400;  // construction checks
    bool map_changed = false;

    bool TakeAction() { return Take(actions); }
    bool TakePlan() { return Take(plans); }
    bool TakeCheck() { return Take(checks); }

  private:
    static bool Take(int32_t& left) {
        if (left <= 0) return false;
        --left;
        return true;
    }
};

// PreviewPlacement's answer when the turn has no construction check left.
constexpr int64_t kNoCheckLeft = -2;

struct Placement {
    int32_t type = 0;  // building type (a truck depot with its orientation)
    int32_t x = 0;     // north-west field of the footprint
    int32_t y = 0;
};

// The price the placement would charge (the type's price, the ways it
// removes and the city buildings it displaces), -1 when the construction
// check refuses the site for the acting player, kNoCheckLeft when `budget`
// (none: no limit) has no check left. The check selects the placement's
// kind as the player's tool does and gives the player's selection and
// orientation back before it returns; so does the placement.
int64_t PreviewPlacement(const Placement& placement, TurnBudget* budget = nullptr);
// Places the building for the acting player; `number` gets its building
// number when done.
ActionResult PlaceForActingPlayer(const Placement& placement, int64_t reserve, int32_t& number,
                                  TurnBudget* budget = nullptr);

// Plans an asphalt road from (x1, y1) to (x2, y2) into the path list; the
// price of laying it, or -1 when no path was found.
// Demolishes the acting player's building numbered `number` (its floor and
// what stands on it) through the area demolition, charged as the player is
// charged; waits while the price would take the cash below `reserve`.
ActionResult DemolishForActingPlayer(int32_t number, int64_t reserve);

int64_t PlanRoadForActingPlayer(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// Joins a truck depot on (x, y) to the road on its front field (fx, fy) the
// way a player drags the road from the depot onto it (no new way field).
void JoinDepotToRoad(int32_t x, int32_t y, int32_t fx, int32_t fy);
// Plans and lays the road for the acting player.
ActionResult LayRoadForActingPlayer(int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                                    int64_t reserve);

// The same for rail track (the planner's track rules, rail prices): from
// (x1, y1) to (x2, y2), e.g. the outer track fields of two stations.
int64_t PlanTrackForActingPlayer(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
ActionResult LayTrackForActingPlayer(int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                                     int64_t reserve);
