#pragma once
// A world for the world-generator tests: the stand-in landscape templates in
// the data folder, the lookup tables, the terrain, the service doubles and
// the real building table and city manager.

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

// The real city manager, counting foundings; it can refuse them all or fix
// the residents of every city it founds.
class GenCityManager : public CCityManager {
  public:
    int32_t GetOrCreateCityAt(int32_t x, int32_t y) override;
    int32_t Count() const;
    bool refuse_all = false;
    int32_t fixed_residents = -1;  // -1: as the city grew
    int32_t creations = 0;         // calls of GetOrCreateCityAt
};

struct Site {
    int32_t slot, type, x, y, size;
};

// The real building table, recording what is demolished.
class GenBuildingTable : public CBuildingTable {
  public:
    void DemolishBuilding(int32_t number) override;
    int32_t Count() const;
    std::vector<Site> Sites() const;  // in slot order
    std::vector<int32_t> demolished;
};

// Whether the construction check allows a site where it stands.
int32_t CheckSiteInPlace(const Site& site);

// The stand-in data folder with the three template files, written once.
const std::string& TemplateFolder();

class WorldGenTest : public ::testing::Test {
  protected:
    WorldGenTest();
    ~WorldGenTest() override;
    CGameState& GS() { return game_.state(); }
    MapField& F(int32_t x, int32_t y) { return *FieldAt(x, y); }
    CTerrain& Terrain() { return *terrain_; }
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

std::vector<uint8_t> GridBytes();

}  // namespace worldgen
