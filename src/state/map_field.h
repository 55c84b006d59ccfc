#pragma once
// The 256 x 256 field grid of the world. Every field is one packed 12-byte
// record that is saved byte for byte in level files, so the position of each
// bit below is part of the file format. Fields are read and written through
// named accessors only (no C++ bitfields: their layout is not fixed).

#include <cstdint>

// ---------------------------------------------------------------------------
// Map size and directions

constexpr int32_t kMapSize = 256;
constexpr int32_t kMapFieldCount = kMapSize * kMapSize;

// Every field reader that answers a number answers this for a coordinate
// outside 0..255.
constexpr int32_t kOffMap = -2;

// Direction bits: a set of directions is the OR of its bits.
constexpr uint8_t kDirN = 1;  // y - 1
constexpr uint8_t kDirE = 2;  // x + 1
constexpr uint8_t kDirS = 4;  // y + 1
constexpr uint8_t kDirW = 8;  // x - 1
constexpr uint8_t kDirsNS = kDirN | kDirS;
constexpr uint8_t kDirsEW = kDirE | kDirW;
constexpr uint8_t kDirsAll = kDirsNS | kDirsEW;

// Direction index: 0 N, 1 E, 2 S, 3 W; bit = 1 << index.
constexpr int32_t kDirIndexN = 0;
constexpr int32_t kDirIndexE = 1;
constexpr int32_t kDirIndexS = 2;
constexpr int32_t kDirIndexW = 3;

constexpr uint8_t DirBitFromIndex(int32_t index) {
    return static_cast<uint8_t>(1u << (index & 3));
}
constexpr int32_t OppositeDirIndex(int32_t index) {
    return (index + 2) & 3;
}
// Opposite of a set of direction bits: N <-> S, E <-> W.
constexpr uint8_t OppositeDirBits(uint8_t bits) {
    return static_cast<uint8_t>(((bits << 2) | (bits >> 2)) & kDirsAll);
}
// Field step of a direction index.
constexpr int32_t DirDx(int32_t index) {
    return index == kDirIndexE ? 1 : index == kDirIndexW ? -1 : 0;
}
constexpr int32_t DirDy(int32_t index) {
    return index == kDirIndexS ? 1 : index == kDirIndexN ? -1 : 0;
}
// Index of a single direction bit, -1 for anything that is not one bit.
constexpr int32_t DirIndexFromBit(uint8_t bit) {
    return bit == kDirN ? 0 : bit == kDirE ? 1 : bit == kDirS ? 2 : bit == kDirW ? 3 : -1;
}

// ---------------------------------------------------------------------------
// Way types (`wegtyp`)

enum WayType : uint8_t {
    kWayNone = 0,
    kWayCityStreet = 1,  // laid by the cities
    kWayGravelRoad = 2,
    kWayAsphaltRoad = 3,
    kWayRail = 4,
    kWayMonorail = 5,
    kWaySuperconductor = 6,
};

// Roads keep their directions in `richtung`, tracks in `gleisr`.
constexpr bool IsRoadWay(int32_t wegtyp) {
    return wegtyp >= kWayCityStreet && wegtyp <= kWayAsphaltRoad;
}
constexpr bool IsTrackWay(int32_t wegtyp) {
    return wegtyp >= kWayRail && wegtyp <= kWaySuperconductor;
}

// ---------------------------------------------------------------------------
// The field record

struct MapField {
    uint8_t bytes[12];

    // byte 0
    uint8_t teile_art() const { return Get(0, 0, 4); }  // terrain piece kind 0..15
    void set_teile_art(uint32_t v) { Set(0, 0, 4, v); }
    bool bridge_flag() const { return Get(0, 4, 1); }
    void set_bridge_flag(bool v) { Set(0, 4, 1, v); }
    bool forest_flag() const { return Get(0, 5, 1); }
    void set_forest_flag(bool v) { Set(0, 5, 1, v); }
    uint8_t cursor() const { return Get(0, 6, 2); }  // tool-preview mark
    void set_cursor(uint32_t v) { Set(0, 6, 2, v); }
    // Bridge or forest: the word at bytes 8-9 holds no building.
    bool no_building_mask() const { return (bytes[0] & 0x30) != 0; }

    // byte 1
    uint8_t gleisr() const { return Get(1, 0, 4); }  // track direction bits
    void set_gleisr(uint32_t v) { Set(1, 0, 4, v); }
    uint8_t hoehe() const { return Get(1, 4, 4); }  // height 0..15 of the north-west corner
    void set_hoehe(uint32_t v) { Set(1, 4, 4, v); }

    // byte 2
    bool feldchange() const { return Get(2, 0, 1); }
    void set_feldchange(bool v) { Set(2, 0, 1, v); }
    uint8_t wegtyp() const { return Get(2, 1, 3); }  // WayType 0..6
    void set_wegtyp(uint32_t v) { Set(2, 1, 3, v); }
    uint8_t teile_diff() const { return Get(2, 4, 4); }  // slope shape
    void set_teile_diff(uint32_t v) { Set(2, 4, 4, v); }

    // byte 3
    uint8_t tunnel_hoehe() const { return Get(3, 0, 4); }
    void set_tunnel_hoehe(uint32_t v) { Set(3, 0, 4, v); }
    uint8_t belegt() const { return Get(3, 4, 2); }  // vehicle occupation
    void set_belegt(uint32_t v) { Set(3, 4, 2, v); }
    bool cursorricht() const { return Get(3, 6, 1); }
    void set_cursorricht(bool v) { Set(3, 6, 1, v); }
    bool bridge_end() const { return Get(3, 7, 1); }
    void set_bridge_end(bool v) { Set(3, 7, 1, v); }

    // byte 4
    bool tunnel() const { return Get(4, 0, 1); }
    void set_tunnel(bool v) { Set(4, 0, 1, v); }
    bool knoten() const { return Get(4, 1, 1); }  // carries a way-network node
    void set_knoten(bool v) { Set(4, 1, 1, v); }
    uint8_t stadtnum() const { return Get(4, 2, 6); }  // city 1..63, 0 none
    void set_stadtnum(uint32_t v) { Set(4, 2, 6, v); }

    // byte 5
    uint8_t richtung() const { return Get(5, 0, 4); }  // road direction bits
    void set_richtung(uint32_t v) { Set(5, 0, 4, v); }
    bool tportal() const { return Get(5, 4, 1); }
    void set_tportal(bool v) { Set(5, 4, 1, v); }
    bool heben_senken() const { return Get(5, 5, 1); }
    void set_heben_senken(bool v) { Set(5, 5, 1, v); }
    bool building_flag() const { return Get(5, 6, 1); }
    void set_building_flag(bool v) { Set(5, 6, 1, v); }
    bool geb_change() const { return Get(5, 7, 1); }
    void set_geb_change(bool v) { Set(5, 7, 1, v); }

    // byte 6
    uint8_t wegteil() const { return Get(6, 0, 5); }  // way piece 0..17
    void set_wegteil(uint32_t v) { Set(6, 0, 5, v); }
    uint8_t spieler() const { return Get(6, 5, 2); }  // owner 0..3
    void set_spieler(uint32_t v) { Set(6, 5, 2, v); }
    bool ende() const { return Get(6, 7, 1); }
    void set_ende(bool v) { Set(6, 7, 1, v); }

    // byte 7
    bool tunnel_belegt() const { return Get(7, 0, 1); }
    void set_tunnel_belegt(bool v) { Set(7, 0, 1, v); }
    uint8_t laenge() const { return Get(7, 1, 7); }  // 7-bit work label
    void set_laenge(uint32_t v) { Set(7, 1, 7, v); }

    // bytes 8-9: a word whose meaning depends on the flags
    uint16_t data_word() const { return static_cast<uint16_t>(bytes[8] | (bytes[9] << 8)); }
    void set_data_word(uint32_t v) {
        bytes[8] = static_cast<uint8_t>(v);
        bytes[9] = static_cast<uint8_t>(v >> 8);
    }
    // Company building: bits 0-9 the building number, bits 10-15 its type.
    uint16_t geb_num() const { return data_word() & 0x3FF; }
    void set_geb_num(uint32_t v) { set_data_word((data_word() & ~0x3FFu) | (v & 0x3FF)); }
    uint8_t geb_typ() const { return static_cast<uint8_t>(data_word() >> 10); }
    void set_geb_typ(uint32_t v) { set_data_word((data_word() & 0x3FFu) | ((v & 0x3F) << 10)); }
    // City building (inside a city, no building flag): byte 8 bits 0-5.
    uint8_t stadtb() const { return Get(8, 0, 6); }
    void set_stadtb(uint32_t v) { Set(8, 0, 6, v); }
    // Bridge field: byte 8 bits 0-3 the bridge piece, bits 4-7 the bridge's way type.
    uint8_t bridge_piece() const { return Get(8, 0, 4); }
    void set_bridge_piece(uint32_t v) { Set(8, 0, 4, v); }
    uint8_t bridge_wegtyp() const { return Get(8, 4, 4); }
    void set_bridge_wegtyp(uint32_t v) { Set(8, 4, 4, v); }

    // bytes 10-11
    uint16_t knotennummer() const { return static_cast<uint16_t>(bytes[10] | (bytes[11] << 8)); }
    void set_knotennummer(uint32_t v) {
        bytes[10] = static_cast<uint8_t>(v);
        bytes[11] = static_cast<uint8_t>(v >> 8);
    }

    // The building number on the field: 0 for bridge and forest fields, the
    // company building outside cities or with the building flag, else the
    // city building.
    int32_t BuildingNumber() const;

  private:
    uint8_t Get(int byte, int shift, int width) const {
        return static_cast<uint8_t>((bytes[byte] >> shift) & ((1u << width) - 1));
    }
    void Set(int byte, int shift, int width, uint32_t v) {
        const uint32_t mask = ((1u << width) - 1) << shift;
        bytes[byte] = static_cast<uint8_t>((bytes[byte] & ~mask) | ((v << shift) & mask));
    }
};
static_assert(sizeof(MapField) == 12, "MapField is a 12-byte file record");

// ---------------------------------------------------------------------------
// Grid access (the grid is `fields` of the game state; index x * 256 + y)

constexpr bool InMap(int32_t x, int32_t y) {
    return x >= 0 && x < kMapSize && y >= 0 && y < kMapSize;
}
constexpr int32_t FieldIndex(int32_t x, int32_t y) {
    return x * kMapSize + y;
}

// The field record of (x, y), or null off the map.
MapField* FieldAt(int32_t x, int32_t y);

// Bounds-checked readers: kOffMap (-2) outside 0..255.
int32_t GetBuildingNumberAt(int32_t x, int32_t y);
int32_t GetCityNumberAt(int32_t x, int32_t y);
int32_t GetWayPieceAt(int32_t x, int32_t y);
int32_t GetWayTypeAt(int32_t x, int32_t y);
int32_t GetHeightAt(int32_t x, int32_t y);

// Whole-grid passes.
void MarkAllFieldsChanged();
void ClearAllFieldsChanged();
// After a level has been read: clears the transient vehicle and change marks
// (`belegt`, `geb_change`, `tunnel_belegt`) that the loaded vehicles put back
// themselves. The last row and column are left as read, as level files expect.
// Never call ResetMapFields (world/map_reset.h) after a load.
void ClearTransientFieldBits();
