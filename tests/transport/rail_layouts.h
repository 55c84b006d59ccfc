#pragma once
// Random rail networks for the property and acceptance tests: a single-track
// ring with stations of every orientation and length on its sides and passing
// loops, lines between two-row termini, and trains on random schedules.

#include <cstdint>
#include <utility>
#include <vector>

#include "rail_world.h"

namespace railtest {

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
