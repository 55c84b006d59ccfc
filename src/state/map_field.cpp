#include "state/map_field.h"

#include "state/game_state.h"

int32_t MapField::BuildingNumber() const {
    if (no_building_mask()) return 0;
    if (stadtnum() == 0 || building_flag()) return geb_num();
    return stadtb();
}

MapField* FieldAt(int32_t x, int32_t y) {
    if (!InMap(x, y) || g_pGameState == nullptr) return nullptr;
    return &g_pGameState->fields[FieldIndex(x, y)];
}

int32_t GetBuildingNumberAt(int32_t x, int32_t y) {
    const MapField* f = FieldAt(x, y);
    return f ? f->BuildingNumber() : kOffMap;
}

int32_t GetCityNumberAt(int32_t x, int32_t y) {
    const MapField* f = FieldAt(x, y);
    return f ? f->stadtnum() : kOffMap;
}

int32_t GetWayPieceAt(int32_t x, int32_t y) {
    const MapField* f = FieldAt(x, y);
    return f ? f->wegteil() : kOffMap;
}

int32_t GetWayTypeAt(int32_t x, int32_t y) {
    const MapField* f = FieldAt(x, y);
    return f ? f->wegtyp() : kOffMap;
}

int32_t GetHeightAt(int32_t x, int32_t y) {
    const MapField* f = FieldAt(x, y);
    return f ? f->hoehe() : kOffMap;
}

void MarkAllFieldsChanged() {
    if (g_pGameState == nullptr) return;
    for (MapField& f : g_pGameState->fields) f.set_feldchange(true);
}

void ClearAllFieldsChanged() {
    if (g_pGameState == nullptr) return;
    for (MapField& f : g_pGameState->fields) f.set_feldchange(false);
}

void ClearTransientFieldBits() {
    if (g_pGameState == nullptr) return;
    for (int32_t x = 0; x < kMapSize - 1; ++x) {
        for (int32_t y = 0; y < kMapSize - 1; ++y) {
            MapField& f = g_pGameState->fields[FieldIndex(x, y)];
            f.bytes[3] &= 0xCF;  // belegt
            f.bytes[5] &= 0x7F;  // geb_change
            f.bytes[7] &= 0xFE;  // tunnel_belegt
        }
    }
}
