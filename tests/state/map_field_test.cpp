#include "state/map_field.h"
#include "world/map_reset.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "support/game_scope.h"

namespace {

struct FieldCase {
    std::string name;
    int byte;
    uint8_t mask;  // bits of that byte the field owns
    uint32_t max;
    std::function<void(MapField&, uint32_t)> set;
    std::function<uint32_t(const MapField&)> get;
};

// clang-format off
#define FV_FIELD(NAME, BYTE, MASK, MAX)                                              \
    FieldCase{#NAME, BYTE, MASK, MAX, [](MapField& f, uint32_t v) { f.set_##NAME(v); }, \
              [](const MapField& f) { return static_cast<uint32_t>(f.NAME()); }}
#define FV_FLAG(NAME, BYTE, MASK)                                                         \
    FieldCase{#NAME, BYTE, MASK, 1, [](MapField& f, uint32_t v) { f.set_##NAME(v != 0); }, \
              [](const MapField& f) { return static_cast<uint32_t>(f.NAME()); }}
// clang-format on

std::vector<FieldCase> AllFields() {
    return {
        FV_FIELD(teile_art, 0, 0x0F, 15),
        FV_FLAG(bridge_flag, 0, 0x10),
        FV_FLAG(forest_flag, 0, 0x20),
        FV_FIELD(cursor, 0, 0xC0, 3),
        FV_FIELD(gleisr, 1, 0x0F, 15),
        FV_FIELD(hoehe, 1, 0xF0, 15),
        FV_FLAG(feldchange, 2, 0x01),
        FV_FIELD(wegtyp, 2, 0x0E, 7),
        FV_FIELD(teile_diff, 2, 0xF0, 15),
        FV_FIELD(tunnel_hoehe, 3, 0x0F, 15),
        FV_FIELD(belegt, 3, 0x30, 3),
        FV_FLAG(cursorricht, 3, 0x40),
        FV_FLAG(bridge_end, 3, 0x80),
        FV_FLAG(tunnel, 4, 0x01),
        FV_FLAG(knoten, 4, 0x02),
        FV_FIELD(stadtnum, 4, 0xFC, 63),
        FV_FIELD(richtung, 5, 0x0F, 15),
        FV_FLAG(tportal, 5, 0x10),
        FV_FLAG(heben_senken, 5, 0x20),
        FV_FLAG(building_flag, 5, 0x40),
        FV_FLAG(geb_change, 5, 0x80),
        FV_FIELD(wegteil, 6, 0x1F, 31),
        FV_FIELD(spieler, 6, 0x60, 3),
        FV_FLAG(ende, 6, 0x80),
        FV_FLAG(tunnel_belegt, 7, 0x01),
        FV_FIELD(laenge, 7, 0xFE, 127),
        FV_FIELD(stadtb, 8, 0x3F, 63),
        FV_FIELD(bridge_piece, 8, 0x0F, 15),
        FV_FIELD(bridge_wegtyp, 8, 0xF0, 15),
    };
}

TEST(MapFieldTest, EachFieldOwnsExactlyItsBits) {
    for (const FieldCase& c : AllFields()) {
        SCOPED_TRACE(c.name);
        // Set alone in an empty record: only the field's bits change.
        MapField f{};
        c.set(f, c.max);
        for (int b = 0; b < 12; ++b)
            EXPECT_EQ(f.bytes[b], b == c.byte ? c.mask : 0) << "byte " << b;
        EXPECT_EQ(c.get(f), c.max);
        // Cleared in a full record: every other bit survives.
        MapField g;
        std::memset(g.bytes, 0xFF, sizeof g.bytes);
        c.set(g, 0);
        for (int b = 0; b < 12; ++b) {
            EXPECT_EQ(g.bytes[b], b == c.byte ? static_cast<uint8_t>(~c.mask) : 0xFF)
                << "byte " << b;
        }
        EXPECT_EQ(c.get(g), 0u);
        // Values are cut to the field's width.
        MapField h{};
        c.set(h, c.max + 1);
        EXPECT_EQ(h.bytes[c.byte] & ~c.mask, 0);
    }
}

TEST(MapFieldTest, WordsAreLittleEndian) {
    MapField f{};
    f.set_knotennummer(8191);
    EXPECT_EQ(f.bytes[10] | f.bytes[11] << 8, 0x1FFF);
    f.set_geb_num(1023);
    f.set_geb_typ(31);
    EXPECT_EQ(f.bytes[8] | f.bytes[9] << 8, 0x7FFF);
    f.set_geb_num(5);
    EXPECT_EQ(f.geb_typ(), 31);
    EXPECT_EQ(f.geb_num(), 5);
}

TEST(MapFieldTest, BuildingNumberRule) {
    MapField f{};
    f.set_geb_num(77);
    f.set_geb_typ(21);
    EXPECT_EQ(f.BuildingNumber(), 77);

    // Bridge or forest: no building, whatever the word holds.
    f.set_forest_flag(true);
    EXPECT_EQ(f.BuildingNumber(), 0);
    f.set_forest_flag(false);
    f.set_bridge_flag(true);
    EXPECT_EQ(f.BuildingNumber(), 0);
    f.set_bridge_flag(false);

    // Inside a city: the city building unless the building flag is set.
    f.set_stadtnum(3);
    EXPECT_EQ(f.BuildingNumber(), 77 & 0x3F);
    f.set_stadtb(12);
    EXPECT_EQ(f.BuildingNumber(), 12);
    f.set_building_flag(true);
    EXPECT_EQ(f.BuildingNumber(), f.geb_num());
}

TEST(MapGridTest, OffMapReadsAnswerMinusTwo) {
    fvtest::GameScope scope;
    for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {256, 0}, {0, 256}, {-1, 256}}) {
        EXPECT_EQ(FieldAt(x, y), nullptr);
        for (int32_t got : {GetBuildingNumberAt(x, y), GetCityNumberAt(x, y), GetWayPieceAt(x, y),
                            GetWayTypeAt(x, y), GetHeightAt(x, y)})
            EXPECT_EQ(got, kOffMap) << x << "," << y;
    }
    // The corners are ordinary fields; the grid is x-major.
    FieldAt(255, 0)->set_hoehe(7);
    EXPECT_EQ(scope.state().fields[255 * 256].hoehe(), 7);
    EXPECT_EQ(GetHeightAt(255, 0), 7);
    FieldAt(0, 255)->set_stadtnum(9);
    EXPECT_EQ(GetCityNumberAt(0, 255), 9);
}

TEST(MapGridTest, ResetAndChangeMarks) {
    fvtest::GameScope scope;
    for (MapField& f : scope.state().fields) std::memset(f.bytes, 0xA5, sizeof f.bytes);
    ResetMapFields();
    for (const MapField& f : scope.state().fields) {
        for (int b = 0; b < 12; ++b) ASSERT_EQ(f.bytes[b], b == 2 ? 0x01 : 0) << b;
    }
    ClearAllFieldsChanged();
    for (const MapField& f : scope.state().fields) ASSERT_FALSE(f.feldchange());
    FieldAt(3, 4)->set_wegtyp(kWayRail);
    MarkAllFieldsChanged();
    for (const MapField& f : scope.state().fields) ASSERT_TRUE(f.feldchange());
    EXPECT_EQ(FieldAt(3, 4)->wegtyp(), kWayRail);
}

}  // namespace
