#pragma once
// CTruck: the player's road vehicle. Bought at a truck depot, it drives over
// the roads from terminal to terminal along its schedule, carries at most one
// unit of one product, loads and unloads at the depots of its stops and books
// its running costs per field to its owner.

#include <cstdint>

#include "transport/vehicle.h"

class CTruck : public virtual CVehicle {
  public:
    // A new truck on the truck depot (x, y), registered in the vehicle list.
    CTruck(int32_t x, int32_t y, const char* name, int32_t model);
    // Room for a truck record about to be read (no map effect, not listed).
    explicit CTruck(VehicleLoadOnly);
    ~CTruck() override;

    // One frame; answers 0.
    int32_t Move() override;
    bool Load(plat::FileHandle file) override;
    bool ReadFields(plat::FileHandle file) override;
    // Moves on to the next stop and plans the path to it.
    void PlanRoute() override;
    void SearchRouteExcluding() override { ReplanFromPathFront(); }
    // Plans the path to the current target stop again from the node at the
    // front of the path.
    void ReplanFromPathFront();
    // Re-orients the truck on a depot to leave it.
    void TurnAround() override;
    // The decision at the middle of every field.
    void Drive() override;
    int32_t IsAtStop() override { return arrival_counter > 0 ? 1 : 0; }
    void UnloadGoods() override;
    int32_t LoadGoods() override;
    void UpdateSpeed() override;

  private:
    // Takes the truck's lane on its depot when it is free (a truck bought on
    // a depot whose lane is taken waits until it is).
    bool PlaceOnField();
    void Arrive();
    // Searches routes from `start_node` to the target stop and rebuilds the
    // path (empty when no stop field is reachable).
    void PlanPathFrom(int32_t start_node);
    void UpdatePortalDrawLayer();
    void UpdateBridgeDrawLayer();
};
