// The information panels of a way piece and of the city objects (a city
// building, a city street, an attraction) with the city they belong to.

#include <cstring>

#include "cities/city.h"
#include "cities/city_manager.h"
#include "panel/amount_text.h"
#include "panel/sidebar_info.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "world/construction_costs.h"
#include "world/field_queries.h"

namespace {

constexpr int32_t kLeft = 8;
constexpr int32_t kResidentClasses = 6;  // size classes 0..5 house residents

// The way panel's title by way type 2..6.
constexpr const char* kWayTitles[7] = {"",      "",         "Highway",        "Paved Road",
                                       "Rails", "Monorail", "Super conductor"};

std::string CityBuildingTitle(int32_t size_class) {
    if (size_class < kResidentClasses) return "Apartment house";
    return size_class == 6 ? "Town area" : "Building site";
}

std::string TypeNameAt(int32_t x, int32_t y) {
    const int32_t type = GetBuildingTypeAt(x, y);
    if (type < 0 || type >= kBuildingTypeCount) return {};
    const BuildingType& t = g_pGameState->building_types[type];
    return std::string(t.type_name, strnlen(t.type_name, sizeof t.type_name));
}

}  // namespace

SidebarContent DescribeWay(int32_t x, int32_t y) {
    SidebarContent c;
    c.shown = true;
    c.labels = {{kLeft, 163, "Owner:"}, {kLeft, 200, "Demolition:"}};
    const MapField* f = FieldAt(x, y);
    const int32_t way = f != nullptr ? static_cast<int32_t>(f->wegtyp()) : -2;
    std::string title, owner, cost;
    if (way == kWayGravelRoad) {
        title = kWayTitles[way];
        // The price in a game, shown in the editor as well.
        cost = FormatAmount(kStreetRemovalPrice);
    } else if (way > kWayGravelRoad && way <= kWaySuperconductor) {
        const int32_t player = static_cast<int32_t>(f->spieler());
        title = kWayTitles[way];
        owner = CompanyName(player);
        cost = player != 0 ? kNotPossible : FormatAmount(WayRemovalPrice(way));
    }
    c.values = {{kLeft, 143, title}, {kLeft, 180, owner}, {90, 200, cost}};
    return c;
}

namespace {

// The title, residents and demolition price of a city object; empty off the
// map and for a kind without figures.
struct ObjectFigures {
    std::string title;
    std::string residents;
    std::string demolition;
};

ObjectFigures FiguresOf(int32_t kind, int32_t x, int32_t y, const MapField* f) {
    if (f == nullptr) return {};  // off the map: the labels only
    if (kind == 22) return {"City street", "0", FormatAmount(kStreetRemovalPrice)};
    // The refresh keeps reading the field after its city building went
    // (shrunk away or demolished while shown). Number 0 is no building; taken
    // by the class rule as class 0, it would be shown as an apartment house
    // with 9 residents and a demolition price for a house that is not there.
    if (kind == 21 && f->stadtb() > 0) {
        const int32_t b = static_cast<int32_t>(f->stadtb());
        const int32_t size_class = GetCityBuildingClass(b);
        const int32_t price = CityBuildingPrice(b);
        return {CityBuildingTitle(size_class),
                size_class < kResidentClasses && price >= 0
                    ? FormatAmount(g_pGameState->geb_einw[size_class])
                    : std::string("0"),
                price >= 0 ? FormatAmount(price) : std::string(kNotPossible)};
    }
    if (kind == 15) return {TypeNameAt(x, y), "0", kNotPossible};
    return {};
}

}  // namespace

SidebarContent DescribeCityObject(int32_t kind, int32_t x, int32_t y) {
    SidebarContent c;
    c.shown = true;
    c.rename_label = 0;  // "Rename the city"
    c.labels = {{kLeft, 203, "Residents:"},
                {kLeft, 220, "Demolition:"},
                {kLeft, 240, "belongs to:"},
                {kLeft, 274, "Residents:"},
                {kLeft, 291, "Attraction:"}};
    const MapField* f = FieldAt(x, y);
    const ObjectFigures figures = FiguresOf(kind, x, y, f);
    c.values = {
        {kLeft, 183, figures.title}, {80, 203, figures.residents}, {84, 220, figures.demolition}};
    // The city of the field; nothing for a field outside every city.
    CCity* city = f != nullptr && g_pCityManager != nullptr
                      ? g_pCityManager->City(static_cast<int32_t>(f->stadtnum()))
                      : nullptr;
    std::string name, people, attraction;
    if (city != nullptr) {
        city->Evaluate();
        name.assign(city->name, strnlen(city->name, sizeof city->name));
        people = FormatAmount(city->residents);
        attraction = FormatAmount(city->evaluation);
    }
    c.values.push_back({kLeft, 257, name});
    c.values.push_back({78, 274, people});
    c.values.push_back({80, 291, attraction});
    return c;
}
