#include "state/data_tables.h"
#include "state/game_state.h"

namespace {

// Fields in GoodsRecord order: inputs, input amounts, own cost, producer kind,
// store type, residents per unit of demand, name, upper-case name, mark,
// production cost, price, year of introduction, the two decline years and
// their percentages, available (set by InitGoodsTable).
//
// Good 31's production cost (21,967) is not the sum of its inputs (21,697);
// the value is kept as it is because stored games were balanced with it.
// clang-format off
const GoodsRecord kGoods[kGoodsCount] = {
    // 0
    {{255, 255, 255}, {0, 0, 0}, 820, 6, 0, 0, "Wood", "WOOD", 1, 0, 0, 1959, 0, 0, 0, 0, 0},
    // 1
    {{255, 255, 255}, {0, 0, 0}, 450, 8, 0, 0, "Plastic", "PLASTIC", 0, 0, 0, 1959, 0, 0, 0, 0, 0},
    // 2
    {{255, 255, 255}, {0, 0, 0}, 760, 7, 0, 0, "Aluminum", "ALUMINUM", 2, 0, 0, 1959, 0, 0, 0, 0, 0},
    // 3
    {{255, 255, 255}, {0, 0, 0}, 870, 7, 0, 0, "Copper sheet metal", "COPPER SHEET METAL", 2, 0, 0, 1959, 0, 0, 0, 0, 0},
    // 4
    {{255, 255, 255}, {0, 0, 0}, 540, 7, 0, 0, "Steel sheet metal", "STEEL SHEET METAL", 2, 0, 0, 1959, 0, 0, 0, 0, 0},
    // 5
    {{255, 255, 255}, {0, 0, 0}, 3200, 5, 0, 0, "Gold", "GOLD", 0, 0, 0, 1959, 0, 0, 0, 0, 0},
    // 6
    {{255, 255, 255}, {0, 0, 0}, 2700, 5, 0, 0, "Silver", "SILVER", 0, 0, 0, 1959, 0, 0, 0, 0, 0},
    // 7
    {{255, 255, 255}, {0, 0, 0}, 5780, 5, 0, 0, "Diamonds", "DIAMONDS", 0, 0, 0, 1959, 0, 0, 0, 0, 0},
    // 8
    {{0, 255, 255}, {1, 0, 0}, 640, 13, 21, 50, "Wooden train", "WOODEN TRAIN", 0, 1460, 3032, 1959, 0, 0, 0, 0, 0},
    // 9
    {{4, 255, 255}, {1, 0, 0}, 950, 13, 21, 55, "Tricycle", "TRICYCLE", 0, 1490, 3190, 1959, 0, 0, 0, 0, 0},
    // 10
    {{1, 255, 255}, {1, 0, 0}, 1075, 13, 21, 60, "Dolls", "DOLLS", 0, 1525, 3173, 1959, 1980, 1985, 80, 60, 0},
    // 11
    {{1, 255, 255}, {1, 0, 0}, 1200, 13, 21, 60, "Plastic cars ", "PLASTIC CARS", 0, 1650, 3780, 1962, 0, 0, 0, 0, 0},
    // 12
    {{4, 255, 255}, {1, 0, 0}, 1675, 13, 21, 65, "Metal cars", "METAL CARS", 0, 2215, 4197, 1967, 0, 0, 0, 0, 0},
    // 13
    {{3, 1, 255}, {1, 1, 0}, 2513, 13, 21, 70, "Race track", "RACE TRACK", 0, 3833, 5983, 1972, 1984, 1990, 90, 70, 0},
    // 14
    {{1, 255, 255}, {1, 0, 0}, 1612, 13, 21, 70, "Robots", "ROBOTS", 0, 2062, 4340, 1978, 0, 0, 0, 0, 0},
    // 15
    {{1, 2, 3}, {1, 1, 1}, 5182, 13, 21, 80, "Model airplane", "MODEL AIRPLANE", 0, 7262, 11228, 1983, 0, 0, 0, 0, 0},
    // 16
    {{38, 1, 255}, {1, 1, 0}, 7080, 13, 21, 90, "Video player", "VIDEO PLAYER", 0, 12050, 16504, 1993, 0, 0, 0, 0, 0},
    // 17
    {{0, 255, 255}, {1, 0, 0}, 1145, 12, 22, 50, "Skis", "SKIS", 0, 1965, 3590, 1959, 0, 0, 0, 0, 0},
    // 18
    {{4, 255, 255}, {1, 0, 0}, 2933, 12, 22, 58, "Bicycles", "BICYCLES", 0, 3473, 5273, 1959, 1983, 1990, 90, 70, 0},
    // 19
    {{4, 255, 255}, {1, 0, 0}, 2280, 12, 22, 60, "Gym equipment", "GYM EQUIPMENT", 0, 2820, 5063, 1965, 0, 0, 0, 0, 0},
    // 20
    {{2, 255, 255}, {1, 0, 0}, 1465, 12, 22, 60, "Tennis Racquets", "TENNIS RACQUETS", 0, 2225, 4107, 1968, 0, 0, 0, 0, 0},
    // 21
    {{1, 255, 255}, {1, 0, 0}, 1650, 12, 22, 70, "Rubber boats", "RUBBER BOATS", 0, 2100, 4567, 1974, 0, 0, 0, 0, 0},
    // 22
    {{4, 1, 255}, {1, 1, 0}, 4817, 12, 22, 75, "Mountain bikes", "MOUNTAIN BIKES", 0, 5807, 9107, 1982, 0, 0, 0, 0, 0},
    // 23
    {{0, 255, 255}, {1, 0, 0}, 2348, 12, 22, 85, "Snow boards", "SNOW BOARDS", 0, 3168, 7665, 1992, 0, 0, 0, 0, 0},
    // 24
    {{4, 1, 255}, {1, 1, 0}, 3040, 12, 22, 95, "Inline skates", "INLINE SKATES", 0, 4030, 7532, 1994, 0, 0, 0, 0, 0},
    // 25
    {{4, 0, 255}, {1, 1, 0}, 6133, 12, 22, 110, "Toboggans", "TOBOGGANS", 0, 7493, 12093, 2005, 0, 0, 0, 0, 0},
    // 26
    {{4, 0, 255}, {1, 2, 0}, 4900, 10, 23, 70, "Furniture", "FURNITURE", 0, 7080, 10077, 1959, 0, 0, 0, 0, 0},
    // 27
    {{0, 255, 255}, {1, 0, 0}, 400, 10, 23, 50, "Picture Frames", "PICTURE FRAMES", 0, 1220, 2427, 1959, 0, 0, 0, 0, 0},
    // 28
    {{0, 255, 255}, {2, 0, 0}, 747, 10, 23, 80, "Garden houses", "GARDEN HOUSES", 0, 2387, 4962, 1970, 0, 0, 0, 0, 0},
    // 29
    {{5, 255, 255}, {1, 0, 0}, 10267, 14, 24, 160, "Gold jewelry", "GOLD JEWELRY", 0, 13467, 18060, 1959, 0, 0, 0, 0, 0},
    // 30
    {{6, 255, 255}, {1, 0, 0}, 9238, 14, 24, 150, "Silver jewelry", "SILVER JEWELRY", 0, 11938, 15453, 1959, 0, 0, 0, 0, 0},
    // 31
    {{5, 7, 255}, {1, 1, 0}, 12717, 14, 24, 170, "Diamond rings", "DIAMOND RINGS", 0, 21967, 27977, 1959, 0, 0, 0, 0, 0},
    // 32
    {{4, 1, 3}, {2, 2, 1}, 26700, 9, 26, 200, "Cars 1980 model", "CARS (MOD.80", 0, 29550, 42617, 1980, 1991, 1996, 70, 30, 0},
    // 33
    {{4, 1, 38}, {2, 2, 1}, 32400, 9, 26, 200, "Cars 1990 model", "CARS (MOD.90)", 0, 38900, 54617, 1990, 2011, 2016, 70, 40, 0},
    // 34
    {{2, 1, 38}, {2, 2, 2}, 29600, 9, 26, 200, "Cars 2010 model", "CARS (MOD.2010)", 0, 41060, 59810, 2010, 0, 0, 0, 0, 0},
    // 35
    {{4, 1, 3}, {1, 1, 1}, 6400, 11, 25, 120, "Television", "TELEVISION", 0, 8260, 12368, 1971, 2016, 2020, 80, 50, 0},
    // 36
    {{3, 1, 255}, {1, 1, 0}, 3797, 11, 25, 120, "Hifi system", "HIFI SYSTEM", 0, 5117, 8787, 1977, 2016, 2020, 80, 40, 0},
    // 37
    {{4, 1, 3}, {1, 1, 1}, 7109, 11, 25, 130, "Satellite dish", "SATELLITE DISH", 0, 8969, 13433, 1981, 2016, 2020, 80, 50, 0},
    // 38
    {{3, 1, 255}, {1, 1, 0}, 3200, 11, 0, 500000, "Electron.components", "EL.COMPONENTS", 0, 4520, 4520, 1985, 0, 0, 0, 0, 0},
    // 39
    {{4, 1, 38}, {1, 1, 1}, 9323, 11, 25, 140, "Computer", "COMPUTER", 0, 14833, 22439, 1987, 0, 0, 0, 0, 0},
    // 40
    {{38, 1, 255}, {1, 1, 0}, 5778, 11, 25, 120, "Mobile telephone", "MOBILE TELEPHONE", 0, 10748, 17595, 1996, 0, 0, 0, 0, 0},
    // 41
    {{2, 1, 38}, {1, 1, 2}, 9237, 11, 25, 120, "Multimedia center", "MULTIMEDIA CENTER", 0, 19487, 28267, 2015, 0, 0, 0, 0, 0},
    // 42
    {{38, 1, 255}, {1, 1, 0}, 6332, 11, 25, 125, "Picture phone", "PICTURE PHONE", 0, 11302, 18637, 2020, 0, 0, 0, 0, 0},
    // 43
    {{38, 1, 255}, {1, 1, 0}, 9600, 11, 25, 130, "Video picture", "VIDEO PICTURE", 0, 14570, 23385, 2029, 0, 0, 0, 0, 0},
};
// clang-format on

}  // namespace

void InitGoodsTable() {
    if (g_pGameState == nullptr) return;
    for (int32_t i = 0; i < kGoodsCount; ++i) {
        GoodsRecord& g = g_pGameState->goods[i];
        g = kGoods[i];
        g.available = g.intro_year == 1959 ? 1 : 0;
    }
}

GoodsRecord* GoodsAt(int32_t index) {
    if (g_pGameState == nullptr || index < 0 || index >= kGoodsCount) return nullptr;
    return &g_pGameState->goods[index];
}
