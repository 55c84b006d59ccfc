#pragma once
// A world for the world-generator tests: a fresh game state whose data
// folder holds the stand-in landscape templates, the lookup tables, the
// terrain object (with the way network and the construction helper), the
// service doubles of the builder tests, and a city manager and building
// table of the generator's own:
//
// - GenCityManager lays out a city as a cross of city streets around the
//   founding field with a house beside each street field, links the streets
//   into the way network and gives it residents by the size it was asked
//   for (fewer when the ground cut its streets short).
// - GenBuildingTable makes a building in the first free slot and records,
//   for each placement, whether the construction check allowed the site at
//   that moment.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "cities/city.h"
#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "state/game_state.h"
#include "state/lookup_tables.h"
#include "state/map_field.h"
#include "state/progress_events.h"
#include "support/game_scope.h"
#include "world/terrain.h"
#include "world_doubles.h"

namespace worldgen {

// Lays out a founded city as a cross of city streets around the founding
// field with houses beside them; everything else is the real manager's.
class GenCityManager : public CCityManager {
  public:
    int32_t GetOrCreateCityAt(int32_t x, int32_t y) override;
    int32_t Count() const;

    // Knobs: every creation fails; residents of every new city.
    bool refuse_all = false;
    int32_t fixed_residents = -1;  // -1: by the size asked for
    int32_t creations = 0;         // calls of GetOrCreateCityAt
    // Street and house fields of each city as laid, by city number.
    std::vector<std::pair<int32_t, int32_t>> streets[kCitySlots + 1];
    std::vector<std::pair<int32_t, int32_t>> houses[kCitySlots + 1];
};

// A site of the building table, read back from it.
struct Site {
    int32_t slot, type, x, y, size;
};

// The real building table, recording what is demolished.
class GenBuildingTable : public CBuildingTable {
  public:
    void DemolishBuilding(int32_t number) override;
    int32_t Count() const;
    // Every building in slot order (the order of placing while none was
    // demolished).
    std::vector<Site> Sites() const;
    std::vector<int32_t> demolished;
};

// Whether the construction check allows a site where it stands: its
// footprint is taken off the map for the check and put back.
int32_t CheckSiteInPlace(const Site& site);

// The stand-in data folder with the three landscape template files, written
// once per test program.
const std::string& TemplateFolder();

class WorldGenTest : public ::testing::Test {
  protected:
    WorldGenTest();
    ~WorldGenTest() override;

    CGameState& GS() { return game_.state(); }
    MapField& F(int32_t x, int32_t y) { return *FieldAt(x, y); }
    CTerrain& Terrain() { return *terrain_; }
    // Points the data folders at `folder`.
    void UseDataFolder(const std::string& folder);
    // Seeds the random generator and runs the whole generator.
    void Generate(uint32_t seed, int32_t season);

    fvtest::GameScope game_;
    std::unique_ptr<CLookupTables> tables_;
    doubles::Scope services_{game_};
    std::unique_ptr<CTerrain> terrain_;
    GenCityManager cities_;
    GenBuildingTable buildings_;
};

// Receives the generator's progress reports while it lives.
class ProgressProbe {
  public:
    ProgressProbe() { SetProgressEvents(&screen); }
    ~ProgressProbe() { SetProgressEvents(nullptr); }
    GenerationProgress screen;
};

// The grid as bytes, for comparisons.
std::vector<uint8_t> GridBytes();

}  // namespace worldgen
