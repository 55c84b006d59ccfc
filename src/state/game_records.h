#pragma once
// The plain records held in tables of the game state: goods, building types,
// vehicle models, market events, opponent profiles, high-score entries and
// view bookmarks. Fixed-size character arrays hold zero-terminated
// Windows-1252 text.

#include <cstdint>

constexpr int32_t kGoodsCount = 44;  // 0..7 raw materials, 8..43 products
constexpr int32_t kRawMaterialCount = 8;
constexpr uint8_t kNoGood = 255;  // empty input or event place
constexpr int32_t kBuildingTypeSlots = 33;
constexpr int32_t kBuildingTypeCount = 32;  // types 0..31 are filled
constexpr int32_t kVehicleModelSlots = 25;
constexpr int32_t kVehicleModelCount = 19;  // models 0..18 are filled
constexpr int32_t kMarketEventSlots = 40;
constexpr int32_t kMarketEventFilled = 27;
constexpr int32_t kMarketEventPickable = 25;  // the monthly pick draws from 0..24
constexpr int32_t kOpponentProfileCount = 5;
constexpr int32_t kHighScoreCount = 10;
constexpr int32_t kBookmarkCount = 10;

// Who makes a good (`GoodsRecord::producer_kind`).
enum ProducerKind : uint8_t {
    kProducerMine = 5,
    kProducerLumberMill = 6,
    kProducerSteelMill = 7,
    kProducerChemicalPlant = 8,
    kProducerMotor = 9,
    kProducerWood = 10,
    kProducerElectronics = 11,
    kProducerSports = 12,
    kProducerToys = 13,
    kProducerJewelry = 14,
};

struct GoodsRecord {
    uint8_t inputs[3];         // goods indices consumed per unit made; kNoGood = none
    uint8_t input_amounts[3];  // units of each input per unit made
    uint16_t own_cost;         // raw material: cost at the site; product: processing cost
    uint8_t producer_kind;     // ProducerKind
    uint8_t store_type;        // building type 21..26 of the selling store, 0 = none
    int32_t demand_per_1000;   // residents per unit of demand
    char name[50];
    char upper_name[50];
    uint8_t mark;             // 1 wood, 2 the steel-mill goods, 0 otherwise
    int32_t production_cost;  // per unit including the inputs; 0 for raw materials
    int32_t price;            // selling price; a running market event replaces it
    int32_t intro_year;       // 1959 = from the start
    int32_t decline_year_1;   // 0 = never
    int32_t decline_year_2;
    uint8_t decline_percent_1;  // share of the normal demand left from decline_year_1
    uint8_t decline_percent_2;
    int32_t available;  // 1 = can be produced and sold now
};

struct BuildingType {
    int32_t floor_width;
    int32_t floor_depth;
    int32_t build_price;  // 0 for the raw-material sites
    char type_name[100];
    char image_suffix[12];
    int32_t player_coloured;  // 1 = images per player colour
    uint8_t zone_size;        // side of the catchment zone, 0 = none
    uint16_t intro_year;      // 1959 = from the start
};
static_assert(sizeof(BuildingType) == 132);

// Speeds are in phase steps per frame (shown as 25 mph per step). Rail models
// use speed_a on flat track and speed_b on grades; trucks use speed_b on flat
// roads and speed_d on slopes; city cars borrow speed_a and speed_b of model 6.
struct VehicleModel {
    char model_name[50];
    char model_description[50];
    uint32_t model_price;
    uint8_t model_byte_a;   // 0 for trucks, 0..4 for trains
    uint32_t running_cost;  // per field travelled
    uint32_t model_year;    // first year of sale; 1959 = from the start
    uint8_t speed_a;
    uint8_t speed_b;
    uint8_t speed_c;
    uint8_t speed_d;
};
static_assert(sizeof(VehicleModel) == 120);

// A temporary change of the selling prices of a group of goods. Level files
// store the records field by field, 92 bytes each (see market_events.h).
struct MarketEvent {
    int32_t event_year;      // first year in which the event may be picked
    uint8_t event_goods[9];  // goods indices; kNoGood = empty place
    uint8_t padding_a[3];
    int32_t event_prices[9];   // price of each good while the event runs
    int32_t normal_prices[9];  // price each good returns to
    uint8_t event_duration;    // months
    uint8_t event_counter;     // months left while the event runs
    uint8_t event_state;       // below 2 = may be picked
    uint8_t padding_b;
};
static_assert(sizeof(MarketEvent) == 92);

struct OpponentProfile {
    int32_t turn_interval;  // game weeks between turns
    int32_t percent_a;
    int32_t percent_b;
    int32_t value_100;
    int32_t founding_year;
    int32_t start_capital;
    char name[52];
};
static_assert(sizeof(OpponentProfile) == 76);

struct HighScoreEntry {
    char name[36];
    uint32_t points;
};
static_assert(sizeof(HighScoreEntry) == 40);

struct Bookmark {
    int32_t x;
    int32_t y;
};
