#pragma once
// A small rail world on the transport test base: helpers lay track and
// stations straight into the grid, fit the pieces and link the network the
// way the builders do, build trains and check marks and reservations.

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "transport/train.h"
#include "transport_world.h"

namespace railtest {

// A train station (types 6..9): field k (0..3) of platform row `row`
// (0-based); field 0 is a stop's track head.
class TestStation : public transporttest::TestTerminal {
  public:
    std::pair<int32_t, int32_t> RowField(int32_t row, int32_t k) const;
};

using Points = std::vector<std::pair<int32_t, int32_t>>;

class RailWorld : public transporttest::TransportWorld {
  protected:
    RailWorld() { default_way_ = kWayRail; }
    ~RailWorld() override;
    // The marks and reservations are the trains' own (when `check_at_end_`),
    // and deleting the trains leaves none.
    void TearDown() override;

    // Track on a field, on a straight line and through corner points in turn.
    void Rail(int32_t x, int32_t y);
    void RailLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    void RailPath(const Points& corners);
    // A station of `type` 6..9 with its anchor (the first field of its head
    // line) at (ax, ay), `length` platform rows and building `number`.
    TestStation& Station(int32_t type, int32_t ax, int32_t ay, int32_t length, int32_t number);
    // Bridge and tunnel ends are track to fit and link.
    void WayEnd(int32_t x, int32_t y, MapField& field) override;
    // Fits pieces, lays the station rows and links the network;
    // `dead_end_nodes` gives the ends of track nodes.
    void Finish(bool dead_end_nodes = false);

    CTrain* Train(int32_t x, int32_t y, int32_t model = 10) {
        return new CTrain(x, y, "A", model, kWayRail);
    }
    // A schedule of the stations (every platform row a head of the stop).
    static void SetSchedule(CVehicle& v, const std::vector<const TestStation*>& stops);

    // Each unit's field marked and held by its train, no field or link held
    // by two trains, every mark and every link flag held by some train.
    ::testing::AssertionResult Consistent() const;
    // `belegt` marks, and flags of links, left anywhere (a flag on a side
    // without a link reserves nothing).
    int32_t MarkCount() const;
    int32_t FlagCount() const;

    std::vector<std::unique_ptr<TestStation>> stations_;
    bool check_at_end_ = true;

  private:
    std::vector<std::pair<int32_t, int32_t>> track_;
};

// Random rail networks for the property and acceptance tests: a single-track
// ring with stations of every orientation and length on its sides and passing
// loops, lines between two-row termini, and trains on random schedules.
class RandomRailWorld : public RailWorld {
  protected:
    // Lays a random ring with plat::Rand (seeded by the caller) and finishes
    // it. Every station gets a large stock of products 1..6.
    void BuildRandomNetwork();
    // Up to `count` trains on free platform row ends, one per row, with
    // random models, schedules of 2..4 stations and cargo plans.
    std::vector<CTrain*> BuildRandomTrains(int32_t count);
    // A line along y = `y` from x0 to x1: a two-row terminus at each end (rows
    // at y and y - 1, outer ends dead ends), single track between them with
    // `loops` passing loops south of it. Returns the two termini.
    std::pair<TestStation*, TestStation*> AddLine(int32_t y, int32_t x0, int32_t x1, int32_t loops);

  private:
    struct Side {
        bool horizontal;  // the side runs along x
        int32_t c;        // its fixed coordinate
        int32_t s0, s1;   // its range along the side
        int32_t inward;   // +1 or -1 across the side towards the ring's inside
    };
    // Field at position `s` along the side and `across` fields inwards.
    static std::pair<int32_t, int32_t> At(const Side& side, int32_t s, int32_t across);
    void AddStation(const Side& side, int32_t s, int32_t length, bool grows_inward);
    void AddLoop(const Side& side, int32_t s, int32_t length, int32_t sign);

    struct StartField {
        int32_t x, y;
        const TestStation* station;
    };
    std::vector<const TestStation*> all_stations_;
    std::vector<StartField> starts_;
    int32_t next_number_ = 1;
};

}  // namespace railtest
