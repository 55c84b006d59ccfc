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

// Types with a field animation; they also get an "a" picture for rotation 0.
bool HasAnimatedVariant(int type);

}  // namespace standin
