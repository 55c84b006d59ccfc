// The information panels of the building table's buildings: raw-material
// sites, factories, terminals and stores.

#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "cities/city_manager.h"
#include "economy/building.h"
#include "economy/building_kinds.h"
#include "panel/amount_text.h"
#include "panel/sidebar_info.h"
#include "state/game_state.h"
#include "state/map_field.h"

namespace {

constexpr int32_t kLeft = 8;
constexpr const char* kNoDemolition = "Demolition: Not poss.";

// One product row of a raw-material site: its label at (8, y), the figure
// "stock/capacity" at (figure_x, y).
struct SiteRow {
    const char* label;
    int32_t y;
    int32_t figure_x;
    int32_t product;   // goods number whose stock is shown
    int32_t capacity;  // argument of GetCapacity
};

struct SitePanel {
    const char* title;
    const char* heading;
    SiteRow rows[3];
    int32_t row_count;
    bool wood_remaining;  // the lumber mill's "Wood remaining:" line
    int32_t demolition_y;
};

// Kinds 1..6 in order.
constexpr SitePanel kSitePanels[6] = {
    {.title = "Gold mine",
     .heading = "Produced:",
     .rows = {{"Gold:", 180, 48, 5, 5}},
     .row_count = 1,
     .wood_remaining = false,
     .demolition_y = 200},
    {.title = "Silver mine",
     .heading = "Produces:",
     .rows = {{"Silver:", 180, 56, 6, 6}},
     .row_count = 1,
     .wood_remaining = false,
     .demolition_y = 200},
    {.title = "Diamond mine",
     .heading = "Produces:",
     .rows = {{"Diamonds:", 180, 80, 7, 7}},
     .row_count = 1,
     .wood_remaining = false,
     .demolition_y = 200},
    {.title = "Chemical plant",
     .heading = "Produces:",
     .rows = {{"Plastic:", 180, 60, 1, 1}},
     .row_count = 1,
     .wood_remaining = false,
     .demolition_y = 200},
    {.title = "Steel mill",
     .heading = "Produces:",
     .rows = {{"Aluminum:", 180, 84, 2, 0}, {"Cooper:", 197, 60, 3, 1}, {"Steel:", 214, 46, 4, 2}},
     .row_count = 3,
     .wood_remaining = false,
     .demolition_y = 234},
    {.title = "Lumber mill",
     .heading = "Produces:",
     .rows = {{"Wood:", 180, 54, 0, 0}},
     .row_count = 1,
     .wood_remaining = true,
     .demolition_y = 237},
};

std::string TypeName(int32_t type) {
    if (type < 0 || type >= kBuildingTypeCount) return {};
    const char* name = g_pGameState->building_types[type].type_name;
    return std::string(name, strnlen(name, sizeof g_pGameState->building_types[type].type_name));
}

std::string GoodsName(int32_t product) {
    if (product < 0 || product >= kGoodsCount) return "Nothing";
    const char* name = g_pGameState->goods[product].name;
    return std::string(name, strnlen(name, sizeof g_pGameState->goods[product].name));
}

// The demolition line of a factory or terminal: what demolishing it books
// for the player's own building, "Not poss." for anyone else's.
std::string DemolitionLine(const CBuilding& b) {
    if (b.owner != 0) return kNoDemolition;
    return "Demolition: " + FormatAmount(DemolitionPriceOfType(b.type));
}

std::string Thousands(int64_t value) {
    return FormatAmount(value, AmountGroups::UpToThousands);
}

// The customers of a store: its city's store list rebuilt for its type
// first. A store outside every city has none.
int32_t StoreCustomers(CBuilding& store) {
    const MapField* f = FieldAt(store.anchor_x, store.anchor_y);
    CCity* city = f != nullptr && g_pCityManager != nullptr
                      ? g_pCityManager->City(static_cast<int32_t>(f->stadtnum()))
                      : nullptr;
    if (city == nullptr) return 0;
    city->RefreshStores(store.type);
    return store.RecalcCustomers();
}

}  // namespace

SidebarContent DescribeRawMaterialSite(int32_t kind, CBuilding& site) {
    if (kind < 1 || kind > 6) return {};
    const SitePanel& p = kSitePanels[kind - 1];
    SidebarContent c;
    c.shown = true;
    c.labels = {{kLeft, 143, p.title}, {kLeft, 163, p.heading}};
    for (int32_t r = 0; r < p.row_count; ++r) {
        const SiteRow& row = p.rows[r];
        int32_t numerator = 0;
        int32_t denominator = 0;
        const int64_t stock = site.GetStock(row.product, numerator, denominator);
        char figure[48];
        std::snprintf(figure, sizeof figure, "%" PRId64 "/%" PRId32, stock,
                      site.GetCapacity(row.capacity));
        c.labels.push_back({kLeft, row.y, row.label});
        c.values.push_back({row.figure_x, row.y, figure});
    }
    if (p.wood_remaining) {
        c.labels.push_back({kLeft, 200, "Wood remaining:"});
        c.values.push_back({kLeft, 217, std::to_string(site.GetPeriodFigure())});
    }
    c.labels.push_back({kLeft, p.demolition_y, kNoDemolition});
    return c;
}

SidebarContent DescribeFactory(CBuilding& factory) {
    SidebarContent c;
    c.shown = true;
    c.labels = {{kLeft, 163, "Produces:"}, {kLeft, 200, "Owner:"}};
    c.values = {{kLeft, 143, TypeName(factory.type)},
                {kLeft, 180, GoodsName(factory.GetProduct())},
                {kLeft, 217, CompanyName(factory.owner)},
                {kLeft, 237, DemolitionLine(factory)}};
    return c;
}

SidebarContent DescribeTerminal(CBuilding& terminal) {
    SidebarContent c;
    c.shown = true;
    c.outline_structure = true;
    c.mark_x = terminal.anchor_x;
    c.mark_y = terminal.anchor_y;
    c.rename_label = 1;  // "Rename the terminal"
    const char* name = terminal.GetName();
    c.labels = {{kLeft, 220, "Owner:"}};
    c.values = {{kLeft, 183, TypeName(terminal.type)},
                {kLeft, 203, name != nullptr ? name : ""},
                {kLeft, 240, CompanyName(terminal.owner)},
                {kLeft, 260, DemolitionLine(terminal)}};
    return c;
}

SidebarContent DescribeStore(CBuilding& store) {
    constexpr int32_t kRunningMonth = 11;  // the running month of the store's history
    constexpr uint8_t kAboveDemand = 28;
    constexpr uint8_t kWithinDemand = 195;
    SidebarContent c;
    c.shown = true;
    c.outline_structure = true;
    c.mark_x = store.anchor_x;
    c.mark_y = store.anchor_y;
    c.labels = {{kLeft, 158, "Total:"}, {kLeft, 175, "Month:"}, {kLeft, 192, "Customer stock:"}};
    c.values = {{kLeft, 138, TypeName(store.type)},
                {49, 158, FormatAmount(store.GetPeriodFigure())},
                {56, 175, FormatAmount(store.GetPeriodFigure2())},
                {116, 192, FormatAmount(StoreCustomers(store))}};
    int32_t x = 16;
    int32_t y = 269;
    for (const int32_t i : GoodsOnSaleAt(store.type)) {
        const int32_t demand = store.GetMonthlyDemand(kRunningMonth, i);
        const int32_t delivered = store.GetMonthlyDeliveries(kRunningMonth, i);
        c.icons.push_back({x, y - 49, i + 1});
        c.values.push_back({x, y - 17, Thousands(demand)});
        c.values.push_back(
            {x, y, Thousands(delivered), delivered > demand ? kAboveDemand : kWithinDemand});
        x += kGoodsIconSize;
        if (x > 128) {
            x = 16;
            y += 68;
        }
    }
    return c;
}
