#pragma once
// What the generator needs to know of the game's 32 building types: floor
// size, picture-name suffix and whether pictures exist per player colour.

namespace standin {

struct BuildingInfo {
    int width, depth;    // floor size in fields along x and y
    const char* suffix;  // picture-name suffix
    bool perPlayer;      // pictures per player colour
};

constexpr int kBuildingTypes = 32;
extern const BuildingInfo kBuildings[kBuildingTypes];

constexpr int kCityBuildingKinds = 53;  // pictures "g%d_%d.jgd" 34..86

// Types whose animated picture ("g0<suffix>a.jgd", rotation 0) the game reads.
// (Types 13 and 15 carry a field animation but have no such picture.)
bool HasAnimatedVariant(int type);

}  // namespace standin
