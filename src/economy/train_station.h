#pragma once
// CTrainStation: a terminal of train stations (types 6..9). Its head line of
// four fields across the track holds the anchor; 1 to 4 platform rows follow
// it in the station's growth direction: north (type 6), east (7), south (8)
// or west (9). Platform row i (0-based) is the line i + 1 steps from the head
// line; schedule stops list the first field of each row.

#include <cstdint>

#include "economy/terminal.h"

constexpr int32_t kMaxStationLength = 4;

// A field of a station: line `line` (0 = head line, 1.. the platform rows)
// and position 0..3 along the line.
struct StationGeometry {
    int32_t type;  // 6..9
    int32_t anchor_x;
    int32_t anchor_y;

    int32_t grow_dx() const { return type == 7 ? 1 : type == 9 ? -1 : 0; }
    int32_t grow_dy() const { return type == 6 ? -1 : type == 8 ? 1 : 0; }
    int32_t line_x(int32_t line, int32_t k) const {
        return anchor_x + grow_dx() * line + (grow_dy() != 0 ? k : 0);
    }
    int32_t line_y(int32_t line, int32_t k) const {
        return anchor_y + grow_dy() * line + (grow_dx() != 0 ? k : 0);
    }
    // The line through field (x, y), or -1 when the field is not in front of
    // the head line.
    int32_t LineOf(int32_t x, int32_t y) const;
};

// One end of a way link: the node and the direction bit leaving it.
struct LinkEnd {
    int32_t node;
    uint8_t direction;  // direction bit
};

// The three link ends whose flags mark a vehicle on the platform row through
// (x, y): the row's first field in both directions along it and its last
// field outward. The count (0 for a geometry that is no station).
int LinkEndsOfRow(const StationGeometry& g, int32_t x, int32_t y, LinkEnd (&ends)[3]);

class CTrainStation : public CTerminal {
  public:
    CTrainStation(int32_t x, int32_t y, bool named = true) : CTerminal(x, y, named) {}

    // Name, then the length.
    void Load(RecordReader& in) override;
    void Save(RecordWriter& out) const override;

    int32_t GetLength() const override { return length; }
    // One platform row more; the owner pays half the price of a station,
    // booked as construction. Returns the price (0 at the longest length).
    int32_t Extend() override;
    // Occupancy of the platform row through (x, y): the reservation flags of
    // the way links at the row's two ends.
    int32_t IsTileOccupied(int32_t x, int32_t y) const override;
    void OccupyTile(int32_t x, int32_t y) override;
    void ReleaseTile(int32_t x, int32_t y) override;
    // Demolition query of the head line (the whole station) or of one
    // platform row; -1 for another player's station or a row with a vehicle.
    int32_t GetDemolitionCost(int32_t x, int32_t y) override;
    void EndDemolitionQuery() override;
    void ApplyAttraction(int32_t, int32_t) override {}

    StationGeometry geometry() const { return {type, anchor_x, anchor_y}; }

    int32_t length = 1;
    int32_t query_marks[kMaxStationLength] = {};

  protected:
    void GetScanRect(int32_t& x0, int32_t& y0, int32_t& x1, int32_t& y1) const override;

  private:
    // Way-demolition price of the track of a platform row.
    int32_t RowCost(int32_t row) const;
    // Counts platform row `row` for the running query; -1 with a vehicle on it.
    int32_t CountRow(int32_t row);
};
