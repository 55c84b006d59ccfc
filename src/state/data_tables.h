#pragma once
// The fixed record tables of the game state: goods, building types and
// vehicle models. Each Init function rewrites its whole table in
// g_pGameState (start-up, every new game, every loaded game or level).

#include <cstdint>

#include "state/game_records.h"

// The 44 goods; `available` is 1 exactly for the goods sold from the start.
void InitGoodsTable();
// Building types 0..31.
void InitBuildingTypes();
// Vehicle models 0..18.
void InitVehicleModels();
// The record of vehicle model 0..18 as InitVehicleModels writes it (the
// stand-in pictures name their model with it).
const VehicleModel& StockVehicleModel(int32_t model);

// The group under which pictures and statistics treat a building type:
// the type itself below 0, -1 for 27 and above.
int32_t GetBuildingGroup(int32_t type);

// The goods record of an index, or null outside 0..43 (or without a game state).
GoodsRecord* GoodsAt(int32_t index);

// Building type numbers used across the game.
enum BuildingTypeNumber : int32_t {
    kTypeTruckDepot = 0,  // 0..3, four orientations
    kTypeTerminalX = 4,
    kTypeTerminalY = 5,
    kTypeTrainStation = 6,  // 6..9, four orientations
    kTypeMine = 10,
    kTypeLumberMill = 11,
    kTypeChemicalPlant = 12,
    kTypeSteelMill = 13,
    kTypeMotorIndustry = 14,
    kTypeWoodIndustry = 15,
    kTypeElectronicsIndustry = 16,
    kTypeSportsIndustry = 17,
    kTypeToyIndustry = 18,
    kTypeJewelryIndustry = 19,
    kTypeDepot = 20,
    kTypeToyStore = 21,
    kTypeSportsStore = 22,
    kTypeFurnitureStore = 23,
    kTypeJeweler = 24,
    kTypeElectronicsOutlet = 25,
    kTypeCarDealership = 26,
    kTypeCulturalCenter = 27,  // 27..31 city attractions
    kTypeRaceTrack = 31,
};
