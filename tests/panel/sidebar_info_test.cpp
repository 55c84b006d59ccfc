// The sidebar's information area: what each kind of selected object shows
// (texts, goods icons and load marks at their panel positions), and the
// protocol that draws the whole area for a new kind and refreshes only the
// value boxes for another object of the same kind.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "cities/city.h"
#include "cities/city_manager.h"
#include "economy/building.h"
#include "economy/building_table.h"
#include "economy/mine.h"
#include "panel/control_panel.h"
#include "panel/sidebar_info.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "support/game_scope.h"
#include "transport/vehicle.h"
#include "transport/wagon.h"

namespace {

// A building whose figures the test sets.
struct FakeBuilding : CBuilding {
    FakeBuilding(int32_t kind, uint8_t who = 0, int32_t x = 20, int32_t y = 20) : CBuilding(x, y) {
        type = kind;
        owner = who;
    }
    int32_t GetStock(int32_t p, int32_t&, int32_t&) override { return Of(stock, p); }
    int32_t GetCapacity(int32_t which) override {
        return which >= 0 && which < 3 ? capacity[which] : 0;
    }
    int32_t GetProduct() override { return product; }
    int32_t GetPeriodFigure() override { return period; }
    int32_t GetPeriodFigure2() override { return period2; }
    int32_t RecalcCustomers() override { return customers; }
    const char* GetName() override { return name.c_str(); }
    int32_t GetMonthlyDemand(int32_t, int32_t p) override { return Of(demand, p); }
    int32_t GetMonthlyDeliveries(int32_t, int32_t p) override { return Of(delivered, p); }
    static int32_t Of(const int32_t (&a)[kGoodsCount], int32_t p) {
        return p >= 0 && p < kGoodsCount ? a[p] : 0;
    }
    int32_t stock[kGoodsCount] = {}, demand[kGoodsCount] = {}, delivered[kGoodsCount] = {};
    int32_t capacity[3] = {}, product = -1, period = 0, period2 = 0, customers = 0;
    std::string name;
};

struct TestVehicle : CVehicle {
    TestVehicle(int32_t kind, int32_t costs) : CVehicle(VehicleLoadOnly{}) {
        vehicle_class = kind, model = 2, number = 7, cost_last_trip = costs;
        for (ScheduleStop& s : schedule) s = EmptyScheduleStop();
    }
    void AddWagon(int32_t slot, int32_t product, int32_t amount_on_board) {
        wagons[slot] = new CWagon(0, 0, "", product, slot);
        wagons[slot]->amount = amount_on_board;
    }
};

using Texts = std::vector<std::tuple<int32_t, int32_t, std::string>>;
using Icons = std::vector<std::tuple<int32_t, int32_t, int32_t>>;

Texts TextsOf(const std::vector<SidebarText>& texts) {
    Texts out;
    for (const SidebarText& t : texts) out.emplace_back(t.x, t.y, t.text);
    return out;
}

Icons IconsOf(const SidebarContent& c) {
    Icons out;
    for (const SidebarIcon& i : c.icons) out.emplace_back(i.x, i.y, i.icon);
    return out;
}

class SidebarInfo : public ::testing::Test {
  protected:
    SidebarInfo() {
        view = &scope.UseView();
        table = &scope.Make<CBuildingTable>(g_ppBuildings);
        cities = &scope.Make<CCityManager>(g_pCityManager);
        for (int32_t t = 0; t < kBuildingTypeCount; ++t) {
            std::snprintf(gs.building_types[t].type_name, 100, "Type %d", t);
        }
        gs.building_types[14].build_price = 1130000;
        gs.building_types[0].build_price = 6000;
        std::snprintf(gs.company_names[0], kCompanyNameLength, "Player Co");
        std::snprintf(gs.company_names[2], kCompanyNameLength, "Rival Co");
        for (int32_t i = 0; i < kGoodsCount; ++i) {
            std::snprintf(gs.goods[i].name, 50, "Goods %d", i);
            gs.goods[i].intro_year = 1959;
        }
        for (int32_t k = 0; k < 7; ++k) gs.geb_einw[k] = 10 * (k + 1);
        gs.year = 1990;
        gs.month = 5;
        // The panel's pictures: a grey background, icons in colour 100 + i.
        const RgbQuad colours[256] = {};
        panel.back_buffer.Create(colours, kPanelWidth, 600);
        panel.clean_background.Create(colours, kPanelWidth, 600);
        panel.clean_background.FillRect(0, 0, kPanelWidth, 600, 5);
        panel.goods_icons.Create(colours, 32 * (kGoodsCount + 1), 32);
        for (int32_t i = 0; i <= kGoodsCount; ++i) {
            panel.goods_icons.FillRect(32 * i, 0, 32, 32, static_cast<uint8_t>(100 + i));
        }
    }
    ~SidebarInfo() override {
        for (CCity*& city : cities->cities) city = nullptr;  // the test's own
        table->FreeAll();
    }
    // Building 5 of the table, selected as `kind`.
    void Select(int32_t kind, CBuilding* building) {
        delete table->buildings[5];
        table->buildings[5] = building;
        panel.selected_structure = building != nullptr ? 5 : 0;
        gs.selected_object_type = kind;
        DrawInfoPanel(panel);
    }
    void SelectField(int32_t kind, int32_t x, int32_t y) {
        std::tie(panel.selected_x, panel.selected_y, gs.selected_object_type) =
            std::tuple(x, y, kind);
        DrawInfoPanel(panel);
    }
    void SelectVehicle(CVehicle* v) {
        panel.selected_vehicle = v;
        gs.selected_object_type = 20;
        DrawInfoPanel(panel);
    }
    MapField& Field(int32_t x, int32_t y) { return gs.fields[FieldIndex(x, y)]; }
    uint8_t Pixel(int32_t x, int32_t y) const {
        return panel.back_buffer.pixels[y * panel.back_buffer.Stride() + x];
    }
    const SidebarContent& Shown() const { return panel.sidebar_shown; }

    fvtest::GameScope scope;
    CGameState& gs = scope.state();
    fvtest::RecordingView* view = nullptr;
    CBuildingTable* table = nullptr;
    CCityManager* cities = nullptr;
    HAUPTDIALOG panel;
};

TEST_F(SidebarInfo, RawMaterialSitesShowStockOverCapacity) {
    auto* mine = new CMine(20, 20, 5);
    mine->stock = {5, 3, 1};
    Select(1, mine);
    EXPECT_EQ(Shown().Labels(), "Gold mine|Produced:|Gold:|Demolition: Not poss.");
    EXPECT_EQ(TextsOf(Shown().values), (Texts{{48, 180, "3/24"}}));

    auto* mill = new FakeBuilding(13);
    std::tie(mill->stock[2], mill->stock[3], mill->stock[4]) = std::tuple(1, 2, 3);
    std::tie(mill->capacity[0], mill->capacity[1], mill->capacity[2]) = std::tuple(10, 20, 30);
    Select(5, mill);
    EXPECT_EQ(TextsOf(Shown().labels), (Texts{{8, 143, "Steel mill"},
                                              {8, 163, "Produces:"},
                                              {8, 180, "Aluminum:"},
                                              {8, 197, "Cooper:"},
                                              {8, 214, "Steel:"},
                                              {8, 234, "Demolition: Not poss."}}));
    EXPECT_EQ(TextsOf(Shown().values),
              (Texts{{84, 180, "1/10"}, {60, 197, "2/20"}, {46, 214, "3/30"}}));

    auto* lumber = new FakeBuilding(11);
    std::tie(lumber->stock[0], lumber->capacity[0], lumber->period) = std::tuple(4, 40, 1234);
    Select(6, lumber);
    EXPECT_EQ(Shown().Labels(),
              "Lumber mill|Produces:|Wood:|Wood remaining:|Demolition: Not poss.");
    EXPECT_EQ(TextsOf(Shown().values), (Texts{{54, 180, "4/40"}, {8, 217, "1234"}}));
}

TEST_F(SidebarInfo, FactoriesAndTerminalsShowOwnerAndWhatDemolitionCosts) {
    auto* factory = new FakeBuilding(14, 0);
    Select(7, factory);
    EXPECT_EQ(Shown().Values(), "Type 14|Nothing|Player Co|Demolition: 113,000");
    EXPECT_EQ(Shown().Labels(), "Produces:|Owner:");
    auto* rival = new FakeBuilding(14, 2);
    rival->product = 9;
    Select(7, rival);
    EXPECT_EQ(Shown().Values(), "Type 14|Goods 9|Rival Co|Demolition: Not poss.");

    auto* depot = new FakeBuilding(0, 0, 33, 44);
    depot->name = "North depot";
    Select(16, depot);
    EXPECT_EQ(TextsOf(Shown().values), (Texts{{8, 183, "Type 0"},
                                              {8, 203, "North depot"},
                                              {8, 240, "Player Co"},
                                              {8, 260, "Demolition: 600"}}));
    EXPECT_EQ(std::tuple(Shown().outline_structure, Shown().mark_x, Shown().mark_y),
              std::tuple(true, 33, 44));
    EXPECT_EQ(std::tuple(panel.entry_count, panel.entry_label[0], panel.entry_command[0]),
              std::tuple(1, 1, static_cast<int32_t>(kCmdRename)));
}

TEST_F(SidebarInfo, StoreCellsStandFourToARowAndNewGoodsComeInMarch) {
    for (int32_t i : {8, 9, 10, 11, 12}) gs.goods[i].store_type = 21;
    gs.goods[13].store_type = 22;    // another store's
    gs.goods[12].intro_year = 1990;  // new this year
    const auto store = [] {
        auto* s = new FakeBuilding(21);
        std::tie(s->period, s->period2) = std::tuple(-1234567, 1005);
        for (int32_t i = 8; i <= 12; ++i) {
            std::tie(s->demand[i], s->delivered[i]) = std::tuple(5, 4 + (i % 2) * 2);
        }
        s->demand[8] = 1500;
        s->delivered[10] = 5;  // as much as the demand: not above it
        return s;
    };
    gs.month = 1;  // February: goods 12 is not on the market yet
    Select(24, store());
    EXPECT_EQ(IconsOf(Shown()),
              (Icons{{16, 220, 9}, {48, 220, 10}, {80, 220, 11}, {112, 220, 12}}));
    gs.month = 2;
    Select(24, store());
    EXPECT_EQ(IconsOf(Shown()),
              (Icons{{16, 220, 9}, {48, 220, 10}, {80, 220, 11}, {112, 220, 12}, {16, 288, 13}}));
    // Outside every city a store has no customers.
    EXPECT_EQ(Shown().Values().substr(0, 35), "Type 21|-1,234,567|1,005|0|1,500|4|");
    // Sold above the demand in colour 28, else 195, also at the demand.
    std::vector<uint8_t> colours;
    for (size_t v = 4; v < Shown().values.size(); v += 2)
        colours.push_back(Shown().values[v + 1].colour);
    EXPECT_EQ(colours, (std::vector<uint8_t>{195, 28, 195, 28, 195}));
    EXPECT_EQ(TextsOf(Shown().values).back(), (std::tuple(16, 337, std::string("4"))));
}

TEST_F(SidebarInfo, WayPiecesByTypeAndOwner) {
    const struct {
        int32_t way, owner;
        const char* values;
    } cases[] = {{2, 0, "Highway||440"},
                 {3, 2, "Paved Road|Rival Co|Not poss."},
                 {3, 0, "Paved Road|Player Co|220"},
                 {4, 0, "Rails|Player Co|290"},
                 {5, 0, "Monorail|Player Co|360"},
                 {6, 2, "Super conductor|Rival Co|Not poss."},
                 {1, 0, "||"},
                 {0, 0, "||"}};
    for (const auto& c : cases) {
        Field(30, 31).set_wegtyp(c.way), Field(30, 31).set_spieler(c.owner);
        SelectField(23, 30, 31);
        EXPECT_EQ(Shown().Values(), c.values) << c.way;
        EXPECT_EQ(Shown().Labels(), "Owner:|Demolition:");
    }
    SelectField(23, 256, 0);  // off the map: the labels only
    EXPECT_EQ(Shown().Values(), "||");
    gs.game_mode = kModeEditor;  // the editor shows the price of a game
    Field(30, 31).set_wegtyp(2);
    SelectField(23, 30, 31);
    EXPECT_EQ(Shown().Values(), "Highway||440");
}

TEST_F(SidebarInfo, CityObjectsWithTheirCityOrNone) {
    CCity city;
    city.number = 3;
    std::snprintf(city.name, kCityNameLength, "Ashford");
    cities->cities[2] = &city;  // city number 3
    const struct {
        int32_t kind, stadtnum, stadtb;
        const char* values;
    } cases[] = {
        {21, 3, 5, "Apartment house|10|10,000|Ashford|0"},
        {21, 3, 39, "Apartment house|60|60,000|Ashford|0"},
        {21, 3, 47, "Town area|0|70,000|Ashford|0"},         // class 6
        {21, 3, 50, "Building site|0|30,000|Ashford|0"},     // entry 50 - 48
        {21, 3, 60, "Building site|0|Not poss.|Ashford|0"},  // entry 12: none
        {22, 3, 0, "City street|0|440|Ashford|0"},
        {-22, 3, 0, "City street|0|440|Ashford|0"},  // in the editor
        {21, 0, 5, "Apartment house|10|10,000||"},   // no city number
        {21, 9, 5, "Apartment house|10|10,000||"},   // an empty city slot
    };
    const int32_t mode = gs.game_mode;
    for (const auto& c : cases) {
        Field(40, 40).set_stadtnum(c.stadtnum), Field(40, 40).set_stadtb(c.stadtb);
        gs.game_mode = c.kind < 0 ? kModeEditor : mode;
        SelectField(std::abs(c.kind), 40, 40);
        std::string values = Shown().Values();
        values = values.substr(0, values.rfind('|'));  // the evaluation depends on the area
        EXPECT_EQ(values, c.values) << c.stadtb;
    }
    EXPECT_EQ(Shown().Labels(), "Residents:|Demolition:|belongs to:|Residents:|Attraction:");
    EXPECT_EQ(std::tuple(panel.entry_count, panel.entry_label[0], panel.entry_command[0]),
              std::tuple(1, 0, static_cast<int32_t>(kCmdRename)));

    // An attraction outside every city: its type's name, no city lines.
    Field(50, 50) = MapField{};
    Field(50, 50).set_building_flag(true), Field(50, 50).set_geb_num(6),
        Field(50, 50).set_geb_typ(28);
    table->buildings[6] = new FakeBuilding(28, 0, 50, 50);
    SelectField(15, 50, 50);
    EXPECT_EQ(Shown().Values(), "Type 28|0|Not poss.|||");
}

TEST_F(SidebarInfo, VehiclesShowCostsDestinationAndOneRowPerCargoUnit) {
    std::snprintf(gs.vehicle_models[2].model_name, 50, "Hauler");
    auto* depot = new FakeBuilding(0, 0, 70, 71);
    depot->name = "East depot";
    table->buildings[9] = depot;
    Field(70, 71).set_building_flag(true), Field(70, 71).set_geb_num(9);
    const struct {
        int32_t costs;
        const char* cost;
    } costs[] = {{999, "999"}, {1000, "1,000"}, {12345, "12,345"}, {1500000, "1500,000"}};
    for (const auto& c : costs) {
        TestVehicle truck(kVehicleTruck, c.costs);
        truck.schedule[1].x[0] = 70, truck.schedule[1].y[0] = 71, truck.target_stop = 1;
        SelectVehicle(&truck);
        EXPECT_EQ(Shown().Values(),
                  "Hauler|Vehicle number: 7|" + std::string(c.cost) + "|East depot");
    }
    TestVehicle truck(kVehicleTruck, 0);
    truck.target_stop = -1;  // before the first stop: no destination
    SelectVehicle(&truck);
    EXPECT_EQ(std::tuple(Shown().Values(), IconsOf(Shown()), Shown().marks.size(),
                         Shown().marks[0].filled),
              std::tuple("Hauler|Vehicle number: 7|0|", Icons{{8, 251, 0}}, size_t{1}, false));
    std::tie(truck.product_carried, truck.amount_carried) = std::pair(3, 1);
    SelectVehicle(&truck);
    EXPECT_EQ(std::tuple(IconsOf(Shown()), Shown().marks[0].filled),
              std::tuple(Icons{{8, 251, 4}}, true));

    TestVehicle train(kVehicleRail, 0);
    train.AddWagon(0, 5, 1);
    train.AddWagon(1, 6, 0);
    SelectVehicle(&train);
    EXPECT_EQ(
        IconsOf(Shown()),
        (Icons{{8, 251, 6}, {8, 283, 7}, {8, 315, 0}, {8, 347, 0}, {8, 379, 0}, {8, 411, 0}}));
    std::vector<std::tuple<int32_t, int32_t, bool>> marks;
    for (const SidebarMark& m : Shown().marks) marks.emplace_back(m.x, m.y, m.filled);
    EXPECT_EQ(marks, (std::vector<std::tuple<int32_t, int32_t, bool>>{{46, 261, true},
                                                                      {46, 293, false},
                                                                      {46, 325, false},
                                                                      {46, 357, false},
                                                                      {46, 389, false},
                                                                      {46, 421, false}}));
    // A frame: its bars in colour 10, its inside filled when loaded.
    EXPECT_EQ(std::tuple(Pixel(46, 261), Pixel(57, 272), Pixel(50, 265), Pixel(50, 297)),
              std::tuple(10, 10, 10, 5));
    // The truck after the train is a refresh: the train's lower rows go.
    SelectVehicle(&truck);
    EXPECT_EQ(std::tuple(Pixel(10, 251), Pixel(10, 283), Pixel(46, 293), Pixel(50, 265)),
              std::tuple(104, 5, 5, 10));
    panel.selected_vehicle = nullptr;
}

TEST_F(SidebarInfo, StorePlacementShowsCustomersAndTheDemandForEachProduct) {
    CCity city;
    std::tie(city.number, city.origin_x, city.origin_y) = std::tuple(3, 30, 30);
    cities->cities[2] = &city;
    for (auto& row : gs.shared_city_grid) std::fill(std::begin(row), std::end(row), 0);
    gs.geb_einw[0] = 1000;
    for (int32_t i = 0; i < 12; ++i) {  // twelve houses of class 0 around the site
        MapField& f = Field(38 + i % 4, 37 + i / 4);
        f.set_stadtnum(3), f.set_stadtb(5);
    }
    for (int32_t i : {8, 9, 10, 11, 12})
        gs.goods[i].store_type = 23, gs.goods[i].demand_per_1000 = 7;
    gs.goods[9].demand_per_1000 = 0;
    gs.building_types[23].build_price = 1130000;
    gs.selected_building_type = 23;
    gs.placement_city = 3;
    const SidebarContent c = DescribeProductPricePanel(40, 40);
    EXPECT_EQ(c.Values(),
              "Type 23|Price: 1130,000|Customer stock: 12,000|0|1,714|0|1,714|1,714|1,714");
    EXPECT_EQ(IconsOf(c),
              (Icons{{16, 232, 9}, {48, 232, 10}, {80, 232, 11}, {112, 232, 12}, {16, 282, 13}}));
    EXPECT_EQ(TextsOf(c.values).back(), std::tuple(16, 314, std::string("1,714")));
    EXPECT_EQ(c.Labels(), "Demand for:|Demolition costs:");
    // Outside the city's commercial area: no customers and no cells.
    gs.placement_city = -1;
    const SidebarContent none = DescribeProductPricePanel(40, 40);
    EXPECT_EQ(std::tuple(none.Values(), none.icons.size()),
              std::tuple("Type 23|Price: 1130,000|Customer stock: 0|0", size_t{0}));
}

TEST_F(SidebarInfo, ANewKindDrawsAllAndRedrawsTheViewOnceTheSameKindRefreshesItsValues) {
    auto* factory = new FakeBuilding(14, 0);
    Select(7, factory);
    EXPECT_EQ(std::tuple(view->redraws, panel.selected_type), std::tuple(1, 7));
    // Another factory: title and owner follow it, the view is left alone.
    panel.back_buffer.FillRect(0, 136, kPanelWidth, 10, 77);  // something only a full draw clears
    auto* other = new FakeBuilding(15, 2);
    Select(7, other);
    EXPECT_EQ(std::tuple(view->redraws, Shown().Values(), Pixel(100, 137)),
              std::tuple(1, "Type 15|Nothing|Rival Co|Demolition: Not poss.", 77));
    auto* mine = new CMine(20, 20, 6);
    Select(2, mine);
    EXPECT_EQ(std::tuple(view->redraws, panel.selected_type, Pixel(100, 137)), std::tuple(2, 2, 5));
    // No object: nothing is drawn and the kind stays.
    Select(7, nullptr);
    EXPECT_EQ(std::tuple(view->redraws, panel.selected_type), std::tuple(2, 2));
    // Kind 0 clears the area and the entries.
    panel.entry_count = 1;
    panel.back_buffer.FillRect(0, 300, kPanelWidth, 10, 77);
    gs.selected_object_type = 0;
    DrawInfoPanel(panel);
    EXPECT_EQ(std::tuple(panel.selected_type, panel.entry_count, Pixel(5, 305)),
              std::tuple(0, 0, 5));
    // Kinds without a panel draw nothing.
    for (int32_t kind : {13, 14, 30, -1}) {
        gs.selected_object_type = kind;
        DrawInfoPanel(panel);
        EXPECT_EQ(panel.selected_type, 0) << kind;
    }
}

}  // namespace
