// The placement panels of the building tool: while the tool moves over the
// map the sidebar below the first entry row shows the chosen type's name and
// price and what clearing the pointed site costs (the count of the walk that
// placing runs, so the figure is what placing charges); a store's panel also
// shows the customers the site reaches and the demand for each product.

#include <cstring>

#include "gfx/blit_dc.h"
#include "gfx/font_tables.h"
#include "gfx/text.h"
#include "panel/amount_text.h"
#include "panel/control_panel.h"
#include "panel/sidebar_info.h"
#include "state/game_state.h"
#include "view/world_view.h"
#include "world/field_queries.h"
#include "world/terrain.h"

namespace {

constexpr int32_t kLeft = 8;
constexpr int32_t kNameTop = 164;

bool ValidType(int32_t type) {
    return type >= 0 && type < kBuildingTypeCount;
}

// The name of the chosen type centred on the panel.
SidebarText CentredName(const BuildingType& type) {
    std::string name(type.type_name, strnlen(type.type_name, sizeof type.type_name));
    const int32_t width = static_cast<int32_t>(GetTextWidth(name.c_str(), kFont1Advances));
    return {(kPanelWidth - width) / 2, kNameTop, name};
}

// What placing the chosen type (its oriented record's floor) on the site
// charges for clearing it.
int64_t ClearingCost(int32_t x, int32_t y) {
    const CGameState& gs = *g_pGameState;
    const int32_t record = gs.selected_building_type + gs.build_orientation;
    if (!ValidType(record) || g_pTerrain == nullptr) return 0;
    const BuildingType& t = gs.building_types[record];
    if (t.floor_width <= 0 || t.floor_depth <= 0) return 0;
    return g_pTerrain->PreviewStructureCost(x, y, t.floor_width, t.floor_depth);
}

std::string Millions(int64_t value) {
    return FormatAmount(value, AmountGroups::UpToMillions);
}

std::string Thousands(int64_t value) {
    return FormatAmount(value, AmountGroups::UpToThousands);
}

void PaintPlacement(HAUPTDIALOG& panel, SidebarContent content) {
    if (!content.shown) return;
    if (panel.back_buffer.Loaded() && panel.clean_background.Loaded()) {
        const int32_t height = panel.back_buffer.Rows() - kSidebarPlacementTop;
        BlitDC(*panel.back_buffer.dc, 0, kSidebarPlacementTop, kPanelWidth, height,
               *panel.clean_background.dc, 0, kSidebarPlacementTop);
        const PaletteImage& font = g_pGameState->images.main_font;
        for (const auto* texts : {&content.labels, &content.values}) {
            for (const SidebarText& t : *texts) {
                panel.back_buffer.DrawText(t.text.c_str(), kFont1Advances, t.x, t.y, font, 16, 16,
                                           t.colour);
            }
        }
        const WinGBitmap& strip = panel.goods_icons;
        for (const SidebarIcon& i : content.icons) {
            const int32_t src_x = kGoodsIconSize * i.icon;
            if (!strip.Loaded() || src_x + kGoodsIconSize > strip.width) continue;
            BlitDC(*panel.back_buffer.dc, i.x, i.y, kGoodsIconSize, kGoodsIconSize, *strip.dc,
                   src_x, 0);
        }
        panel.PresentArea(0, kSidebarPlacementTop, kPanelWidth, height);
    }
    panel.sidebar_shown = std::move(content);
}

// The tool's field, (-1, -1) without a view.
plat::Point ToolField() {
    if (g_pSpielFeld == nullptr) return {-1, -1};
    return {g_pSpielFeld->cursor_x, g_pSpielFeld->cursor_y};
}

}  // namespace

SidebarContent DescribePricePanel(int32_t x, int32_t y) {
    const CGameState& gs = *g_pGameState;
    if (!ValidType(gs.selected_building_type)) return {};
    const BuildingType& type = gs.building_types[gs.selected_building_type];
    SidebarContent c;
    c.shown = true;
    c.labels = {{kLeft, 215, "Demolition costs:"},
                {kLeft, 249, "Adjustment alterations"},
                {kLeft, 266, "with the arrow keys"},
                {kLeft, 283, "or spacebar"}};
    c.values = {CentredName(type),
                {kLeft, 181, "Price: " + Millions(type.build_price)},
                {kLeft, 232, Millions(ClearingCost(x, y))}};
    return c;
}

SidebarContent DescribeProductPricePanel(int32_t x, int32_t y) {
    const CGameState& gs = *g_pGameState;
    const int32_t store_type = gs.selected_building_type;
    if (!ValidType(store_type)) return {};
    const BuildingType& type = gs.building_types[store_type];
    const int32_t customers = CountCityNeighbourClasses(x, y, gs.placement_city, store_type, 1);
    SidebarContent c;
    c.shown = true;
    c.labels = {{kLeft, 215, "Demand for:"}, {kLeft, 400, "Demolition costs:"}};
    c.values = {CentredName(type),
                {kLeft, 181, "Price: " + Thousands(type.build_price)},
                {kLeft, 198, "Customer stock: " + Thousands(customers)},
                {kLeft, 417, Millions(ClearingCost(x, y))}};
    if (customers <= 0) return c;
    int32_t cx = 16;
    int32_t cy = 232;
    for (const int32_t i : GoodsOnSaleAt(store_type)) {
        const int32_t per_unit = gs.goods[i].demand_per_1000;
        c.icons.push_back({cx, cy, i + 1});
        c.values.push_back(
            {cx, cy + kGoodsIconSize, Thousands(per_unit > 0 ? customers / per_unit : 0)});
        cx += kGoodsIconSize;
        if (cx > 128) {
            cx = 16;
            cy += 50;
        }
    }
    return c;
}

void HAUPTDIALOG::DrawPricePanel() {
    if (g_pGameState == nullptr) return;
    const plat::Point site = ToolField();
    PaintPlacement(*this, DescribePricePanel(site.x, site.y));
}

void HAUPTDIALOG::DrawProductPricePanel() {
    if (g_pGameState == nullptr) return;
    const plat::Point site = ToolField();
    PaintPlacement(*this, DescribeProductPricePanel(site.x, site.y));
}
