#pragma once
// CTrain: the player's rail vehicle, an engine followed by up to six wagons,
// on rails (class 2, way kind 4), monorail (3, 5) or superconductor track
// (4, 6). Nearly all of its state is its CVehicle part; the names there map
// onto the train's notions as follows:
//
//   steps_per_frame, base_speed, accel_counter  speed, acceleration
//   speed_limit        the model's maximum speed itself (phase steps a frame)
//   lane               the waiting flag (1 while waiting before a field/link)
//   arrival_counter    fields of the target platform entered
//   loading_state      1 while the goods exchange of a stop is pending
//   state              0 running, 1 departing, 2 standing to leave
//   junction_node/exit the reservation (node, entry side as a direction bit)
//                      to release when the route is planned at a stop
//   schedule_changed       the schedule changed under the train
//   replan_x, replan_y the node field where the route was last searched anew
//   drawn_x, drawn_y   the engine's field at its last phase 0
//
// The engine advances its field at the middle of a field (phase 16) and holds
// two fields: the one it is in (`left`) and the one ahead it has claimed
// (`pos`). Wagons do the same one and a half fields apart in pairs: wagon i
// stands (i/2 + 1) fields behind the engine, even wagons in step with the
// engine, odd ones half a field later.
//
// The train is implemented over several files: construction, speed and the
// record (train.cpp), wagons (train_wagons.cpp), the frame step and arrival
// (train_move.cpp), route planning (train_route.cpp), the goods exchange at a
// stop (train_goods.cpp), the field step (train_drive.cpp) and reversing
// (train_reverse.cpp).

#include <cstdint>
#include <string>
#include <vector>

#include "transport/train_holdings.h"
#include "transport/vehicle.h"

constexpr int32_t kMaxWagons = kWagonSlots;
constexpr int32_t kTrainUnitRecords = 8;

// A copy of one unit's movement state.
struct TrainUnitRecord {
    uint8_t x = 0;  // field
    uint8_t y = 0;
    int32_t phase = 0;
    uint8_t drawn_x = 0;  // field at the last phase 0
    uint8_t drawn_y = 0;
    uint8_t next_direction = 0;
    uint8_t direction = 0;
    uint8_t prev_direction = 0;
    uint8_t prev_x = 0;  // engine: field being left; wagon: previous field
    uint8_t prev_y = 0;
    int32_t in_tunnel = 0;
    int32_t on_bridge = 0;
    int32_t draw_layer = 0;
};

// A field a unit of a train stands on: the engine's, the one the engine is
// leaving, or a wagon's; `passing` while the unit passes it under or over the
// ground (in a tunnel or on a bridge, off its portals and ends).
struct TrainUnitSpot {
    int32_t x = 0;
    int32_t y = 0;
    bool passing = false;
};

class CTrain : public virtual CVehicle {
  public:
    // A new train of `model` at (x, y), a station's track field, on way kind
    // 4 (rails), 5 (monorail) or 6 (superconductor); registered in the list.
    CTrain(int32_t x, int32_t y, const char* name, int32_t model, int32_t way_kind);
    // Room for a train record about to be read (no map effect, not listed).
    explicit CTrain(VehicleLoadOnly);
    // Gives up every mark and reservation the train holds.
    ~CTrain() override;

    // One frame; answers 0.
    int32_t Move() override;
    // Reverses the whole train where it stands.
    void Reverse() override;
    // Asked when the field ahead is taken: 1 when a head-on meeting with
    // another waiting train was resolved by reversing that train.
    int32_t IsPathBlocked() override;
    // The vehicle record, then the remove flag cleared; the train's marks are
    // put back. False for a record that is not a train's.
    bool Load(plat::FileHandle file) override;
    // Once every train of a game is loaded: each takes over the flagged links
    // it stands in, those its engine on a node came along and leaves by, and
    // the one its record keeps for the next route planning; a flag none of
    // them implies is cleared.
    static void TakeOverReservations(const std::vector<CTrain*>& trains);
    // Reads and checks the record: a train's class and way kind.
    bool ReadFields(plat::FileHandle file) override;
    // Moves on to the next stop and plans the route to it.
    void PlanRoute() override;
    // Plan again to the current target stop from the node at the path's
    // front; the second one may not leave that node by a reserved link.
    void SearchRoute() override;
    void SearchRouteExcluding() override;
    // Turns the train on its platform: the engine goes to the other end.
    void TurnAround() override;
    // Lines the wagons up behind the engine.
    void AlignWagons() override;
    // The decision at the middle of each field.
    void Drive() override;
    int32_t IsAtStop() override { return arrival_counter >= 4 ? 1 : 0; }
    // A wagon for `cargo_slot` (0..5) carrying `product`; a seventh is
    // refused. Wagons stay ordered by cargo slot.
    void AddWagon(const char* name, int32_t product, int32_t cargo_slot) override;
    void AdvanceWagons() override;
    void RemoveWagon(int32_t index) override;
    void UnloadGoods() override;
    int32_t LoadGoods() override;
    void UpdateSpeed() override;

    // Scratch of the half-field snapshots: record 0 the newest.
    TrainUnitRecord unit_records[kTrainUnitRecords];
    int32_t last_phase = 0;
    // The marks and reservations the train holds.
    TrainHoldings held;
    // --- train_standing.cpp
    // The fields the train's units stand on: the engine's, the one the engine
    // is leaving (when it is another) and the wagons'.
    std::vector<TrainUnitSpot> UnitSpots() const;
    // The links between whose nodes a unit of the train stands, each once:
    // on the ground the link of its field, under or over it the tunnel's or
    // the bridge's; a link with no field between its nodes when units stand
    // on both. The train holds every one of them: a release of such a link
    // waits until no unit stands in it.
    std::vector<TrainLink> LinksStoodIn() const;
    bool StandsInLink(int32_t node, int32_t dir) const;

  private:
    // --- train.cpp
    // Gives up the marks of fields no unit stands on any more.
    void ReleaseUncoveredFields();
    // True when a unit with these flags marks field (x, y).
    static bool Markable(int32_t x, int32_t y, int32_t in_tunnel, int32_t on_bridge);
    // Waits `frames` at phase 15 with speed reset.
    void WaitHere(int32_t frames);
    // Releases a link reservation, once no unit of the train stands in it;
    // the reservation kept for the next route planning is forgotten when it
    // is that link.
    void ReleaseHeldLink(int32_t node, int32_t dir);
    // Releases the links whose release waited for the units to leave them,
    // once none stands in them any more.
    void ReleaseLinksLeft();
    static bool SameLink(int32_t n1, int32_t d1, int32_t n2, int32_t d2);

    // --- train_wagons.cpp
    // Puts every wagon behind the engine by the placement rule; `aligned`
    // selects the phases and previous fields of AlignWagons.
    void PlaceWagons(bool aligned);
    // Phases of the units when the train stands to leave (15/31) or has
    // started (16/0).
    void SetStandingPhases(int32_t engine_phase, int32_t even_phase, int32_t odd_phase);
    void UpdateWagonDrawLayer(CWagon& wagon);

    // --- train_goods.cpp
    // Removes a wagon at a stop; its picture is redrawn with the train's.
    void DropWagon(int32_t index);

    // --- train_move.cpp
    void Arrive();
    void RouteRequest();
    void PushUnitRecord();
    void UpdateDrawLayer();

    // --- train_route.cpp
    // Rebuilds the path from `start` to the cheapest head of the target stop
    // found by the last search; empty when none is reachable.
    void RebuildPath(int32_t start);
    void SearchFrom(int32_t start, bool excluding);
    // The route from the node ahead of the train that does not lead straight
    // back: the node is not left by the side the train enters it from
    // (`entry_index`).
    void SearchAhead(int32_t node, int32_t entry_index);

    // --- train_drive.cpp
    struct Step;
    // The field ahead and the tunnel and bridge flags for it; false for a
    // heading that is no direction.
    bool PrepareStep(Step& step);
    // Moves the engine onto the field ahead, to leave it by `exit_bit`.
    void StepOnto(const Step& step, uint8_t exit_bit);
    // The step onto a node along the path (straight on along the target
    // platform); false when the train waits or turns instead.
    bool EnterNode(Step& step);
    // Stays on its field for `frames` with the flags it had.
    void RefuseStep(const Step& step, int32_t frames);
    // An engine standing on a node leaves it only by a link it holds or can
    // reserve; false when it waits or turns instead. Without this an engine
    // that turned on a node, or stood there while its route was planned,
    // would drive onto a link that a train at the far end has reserved, and
    // the two would run towards each other between the nodes.
    bool DepartureLinkHeld(const Step& step);
    // Looks for a head-on meeting ahead, the field after the one ahead lying
    // in direction index `dir2` (-1: none).
    int32_t HeadOnAhead(int32_t dir2);
    // A platform field of the target stop's station, of the served stop's.
    bool IsTargetPlatform(int32_t x, int32_t y) const;
    bool IsServedPlatform(int32_t x, int32_t y) const;

    // --- train_reverse.cpp
    void ReverseEngineOnly();
    // The units change places back to front over the fields the train
    // covers, lined up as AlignWagons leaves them, the engine at 15 whatever
    // the wagon count. Putting each unit on its mirror unit's field half a
    // field on (the engine at 31 behind an odd number of wagons) would leave
    // wagons out of step with the unit each one follows (the engine for
    // wagons 0 and 1, wagon i - 2 for wagon i): at the next bend a wagon
    // would take the turn of the field before and run off the track onto
    // the fields of other trains.
    void ReverseWithWagons();
    // Units standing on the served stop's platform make the train serve it
    // again.
    void CountPlatformAfterReverse();
};

// The first breach, described, of the rule that keeps the listed trains
// apart: each ground field a unit stands on is marked by the unit's own train
// and by no other train's unit, and each link a unit stands in is held by the
// unit's train. Empty when every train keeps it.
std::string TrainsApartBreach();
