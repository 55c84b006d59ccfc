#pragma once
// CTruckDepot: a 1 x 1 terminal on a road (types 0..3, the side of its exit
// north, east, south or west). Its record is its name.

#include <cstdint>

#include "economy/terminal.h"

// The `belegt` lane bit a vehicle standing in a depot of this type (0..3)
// takes: the second for an exit north or west, the first for east or south.
uint32_t DepotStandingLane(int32_t depot_type);

class CTruckDepot : public CTerminal {
  public:
    CTruckDepot(int32_t x, int32_t y, bool named = true) : CTerminal(x, y, named) {}

    void Load(RecordReader& in) override;
    void Save(RecordWriter& out) const override;

    int32_t GetLength() const override { return 1; }
    // Occupancy bits (`belegt`) of the field: a depot with its exit north or
    // west takes the second lane bit, one with its exit east or south the
    // first.
    int32_t IsTileOccupied(int32_t x, int32_t y) const override;
    void OccupyTile(int32_t x, int32_t y) override;
    void ReleaseTile(int32_t x, int32_t y) override;
    // -1 while a vehicle occupies the depot field; else the field is marked
    // for demolition and the price is 400.
    int32_t GetDemolitionCost(int32_t x, int32_t y) override;
    // Nothing: a depot has no effect on cities.
    void ApplyAttraction(int32_t, int32_t) override {}

  protected:
    void GetScanRect(int32_t& x0, int32_t& y0, int32_t& x1, int32_t& y1) const override;
};
