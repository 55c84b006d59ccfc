#pragma once
// What trucks and trains share on their trips from stop to stop: the model
// table, the booking of running costs, and the path to the cheapest field of
// the target stop once the way network has searched its routes.

#include <cstdint>

class CBuilding;
class CPairList;
class CWayNetwork;
struct ScheduleStop;
struct VehicleModel;

// The model record `index` of the game state; null when out of range or
// without a game.
const VehicleModel* VehicleModelRecord(int32_t index);

// A running cost of `player`: taken from the cash and booked into the
// statistics of vehicle costs and profits.
void BookRunningCosts(int32_t player, int32_t amount);

// The way node on field (x, y); 0 for none or off the map.
int32_t WayNodeAt(int32_t x, int32_t y);

// After a route search from `start`: fills the (cleared) `path` with the
// route to the cheapest reachable field of `stop`, ending in (node, -1);
// leaves it empty when no field of the stop is reachable.
void PathToCheapestStopField(const CWayNetwork& network, int32_t start, const ScheduleStop& stop,
                             CPairList& path);

// The building on field (x, y) that goods are exchanged with; null for none.
CBuilding* StopBuildingAt(int32_t x, int32_t y);
