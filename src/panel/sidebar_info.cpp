// The information area of the sidebar: the dispatch on the selected kind,
// the full-draw and refresh protocol, the clearing, and the date and capital
// lines at the top of the panel.

#include "panel/sidebar_info.h"

#include <cstdio>
#include <cstring>
#include <utility>

#include "economy/building_table.h"
#include "gfx/blit_dc.h"
#include "gfx/font_tables.h"
#include "panel/amount_text.h"
#include "panel/control_panel.h"
#include "state/game_state.h"
#include "state/view_events.h"
#include "world/tile_marker.h"

namespace {

constexpr int32_t kLeft = 8;
constexpr int32_t kDateTop = 2;
constexpr int32_t kCapitalTop = 19;
constexpr int32_t kLineHeight = 16;
constexpr int32_t kMarkSize = 12;
constexpr int32_t kMarkBar = 2;

bool InEditor() {
    return g_pGameState->game_mode == kModeEditor;
}

std::string Joined(const std::vector<SidebarText>& texts) {
    std::string out;
    for (size_t i = 0; i < texts.size(); ++i) out += (i == 0 ? "" : "|") + texts[i].text;
    return out;
}

bool CanDraw(const HAUPTDIALOG& panel) {
    return panel.back_buffer.Loaded() && panel.clean_background.Loaded();
}

int32_t AreaHeight(const HAUPTDIALOG& panel, int32_t top) {
    return panel.back_buffer.Rows() - top;
}

void Restore(HAUPTDIALOG& panel, const SidebarBox& b) {
    BlitDC(*panel.back_buffer.dc, b.x, b.y, b.w, b.h, *panel.clean_background.dc, b.x, b.y);
}

void Present(HAUPTDIALOG& panel, const SidebarBox& b) {
    panel.PresentArea(b.x, b.y, b.w, b.h);
}

void DrawLine(HAUPTDIALOG& panel, const SidebarText& t) {
    panel.back_buffer.DrawText(t.text.c_str(), kFont1Advances, t.x, t.y,
                               g_pGameState->images.main_font, 16, 16, t.colour);
}

void DrawIcon(HAUPTDIALOG& panel, const SidebarIcon& icon) {
    const WinGBitmap& strip = panel.goods_icons;
    const int32_t src_x = kGoodsIconSize * icon.icon;
    if (!strip.Loaded() || icon.icon < 0 || src_x + kGoodsIconSize > strip.width) return;
    BlitDC(*panel.back_buffer.dc, icon.x, icon.y, kGoodsIconSize, kGoodsIconSize, *strip.dc, src_x,
           0);
}

void DrawMark(HAUPTDIALOG& panel, const SidebarMark& m) {
    WinGBitmap& b = panel.back_buffer;
    const int32_t inner = kMarkSize - 2 * kMarkBar;
    b.FillRect(m.x, m.y, kMarkSize, kMarkBar, kSidebarTextColour);
    b.FillRect(m.x + kMarkSize - kMarkBar, m.y + kMarkBar, kMarkBar, inner, kSidebarTextColour);
    b.FillRect(m.x, m.y + kMarkBar, kMarkBar, inner, kSidebarTextColour);
    b.FillRect(m.x, m.y + kMarkSize - kMarkBar, kMarkSize, kMarkBar, kSidebarTextColour);
    if (m.filled) b.FillRect(m.x + kMarkBar, m.y + kMarkBar, inner, inner, kSidebarTextColour);
}

void DrawValues(HAUPTDIALOG& panel, const SidebarContent& c) {
    for (const SidebarText& v : c.values) DrawLine(panel, v);
    for (const SidebarIcon& i : c.icons) DrawIcon(panel, i);
    for (const SidebarMark& m : c.marks) DrawMark(panel, m);
}

void OutlineOnMap(const SidebarContent& c) {
    if (c.outline_structure && g_pTileMarker != nullptr) {
        g_pTileMarker->MarkStructureAt(c.mark_x, c.mark_y);  // redraws the view
    } else if (!c.outline_structure) {
        Views().ClearOverlay();
        if (g_pTileMarker != nullptr) g_pTileMarker->ClearAll();
        Views().RedrawView();
    }
}

void SetRenameEntry(HAUPTDIALOG& panel, int32_t label) {
    const bool entry = label >= 0;
    panel.entry_count = entry ? 1 : 0;
    panel.entry_checked[0] = 0;
    panel.entry_label[0] = entry ? label : 0;
    panel.entry_command[0] = entry ? static_cast<int32_t>(kCmdRename) : 0;
}

void FullDraw(HAUPTDIALOG& panel, int32_t kind, const SidebarContent& c) {
    OutlineOnMap(c);
    SetRenameEntry(panel, c.rename_label);
    if (!CanDraw(panel)) {
        panel.selected_type = kind;
        return;
    }
    const SidebarBox area{0, kSidebarInfoTop, kPanelWidth, AreaHeight(panel, kSidebarInfoTop)};
    Restore(panel, area);
    if (c.rename_label >= 0) panel.DrawDropDown();
    for (const SidebarText& l : c.labels) DrawLine(panel, l);
    panel.selected_type = kind;
    DrawValues(panel, c);
    Present(panel, area);
}

// Every box is restored before any value is drawn, so values whose boxes
// overlap (the store's cells) all stay whole.
void Refresh(HAUPTDIALOG& panel, const SidebarContent& c) {
    if (c.outline_structure && g_pTileMarker != nullptr) {
        g_pTileMarker->MarkStructureAt(c.mark_x, c.mark_y);
    }
    if (!CanDraw(panel)) return;
    std::vector<SidebarBox> boxes = c.extra_boxes;
    for (const SidebarText& v : c.values) boxes.push_back(ValueBox(v));
    for (const SidebarIcon& i : c.icons) {
        boxes.push_back({i.x, i.y, kGoodsIconSize, kGoodsIconSize});
    }
    for (const SidebarMark& m : c.marks) boxes.push_back({m.x, m.y, kMarkSize, kMarkSize});
    for (const SidebarBox& b : boxes) Restore(panel, b);
    DrawValues(panel, c);
    for (const SidebarBox& b : boxes) Present(panel, b);
}

// Kind 0: the area back to its clean picture. The back buffer is restored as
// well, so that a later repaint of the panel does not bring the old panel
// back.
void ClearArea(HAUPTDIALOG& panel) {
    if (panel.selected_type != 0) {
        SetRenameEntry(panel, -1);
        panel.selected_type = 0;
    }
    panel.sidebar_shown = {};
    if (!CanDraw(panel)) return;
    const SidebarBox area{0, kSidebarInfoTop, kPanelWidth, AreaHeight(panel, kSidebarInfoTop)};
    Restore(panel, area);
    Present(panel, area);
}

// A status line at the top of the panel: its 160-wide box restored, the text
// at x 8, the box from x 8 shown.
void DrawStatusLine(HAUPTDIALOG& panel, int32_t top, const std::string& text) {
    if (InEditor() || !CanDraw(panel)) return;
    Restore(panel, {0, top, kPanelWidth, kLineHeight});
    DrawLine(panel, {kLeft, top, text});
    Present(panel, {kLeft, top, kPanelWidth - kLeft, kLineHeight});
}

}  // namespace

std::string SidebarContent::Labels() const {
    return Joined(labels);
}

std::string SidebarContent::Values() const {
    return Joined(values);
}

SidebarBox ValueBox(const SidebarText& value) {
    if (value.x == kLeft) return {kLeft, value.y, kPanelWidth - kLeft, kLineHeight};
    return {value.x, value.y, kPanelWidth - value.x, kLineHeight};
}

SidebarContent DescribeSelection(int32_t kind, const SidebarSelection& s) {
    if (kind >= 1 && kind <= 6 && s.structure != nullptr) {
        return DescribeRawMaterialSite(kind, *s.structure);
    }
    if (kind >= 7 && kind <= 12 && s.structure != nullptr) return DescribeFactory(*s.structure);
    if (kind >= 16 && kind <= 19 && s.structure != nullptr) return DescribeTerminal(*s.structure);
    if (kind >= 24 && kind <= 29 && s.structure != nullptr) return DescribeStore(*s.structure);
    if (kind == 20 && s.vehicle != nullptr) return DescribeVehicle(*s.vehicle);
    if (kind == 23) return DescribeWay(s.field_x, s.field_y);
    if (kind == 15 || kind == 21 || kind == 22)
        return DescribeCityObject(kind, s.field_x, s.field_y);
    return {};
}

void DrawInfoPanel(HAUPTDIALOG& panel) {
    if (g_pGameState == nullptr) return;
    const int32_t kind = g_pGameState->selected_object_type;
    if (kind == 0) {
        ClearArea(panel);
        return;
    }
    SidebarSelection selection;
    selection.structure =
        g_ppBuildings != nullptr ? g_ppBuildings->At(panel.selected_structure) : nullptr;
    selection.vehicle = panel.selected_vehicle;
    selection.field_x = panel.selected_x;
    selection.field_y = panel.selected_y;
    SidebarContent content = DescribeSelection(kind, selection);
    if (!content.shown) return;
    if (panel.selected_type != kind) {
        FullDraw(panel, kind, content);
    } else {
        Refresh(panel, content);
    }
    panel.sidebar_shown = std::move(content);
}

std::string SidebarDateText(const HAUPTDIALOG& panel) {
    const CGameState& gs = *g_pGameState;
    const char* month = gs.month >= 0 && gs.month < 12 ? panel.month_names[gs.month] : "";
    char text[48];
    std::snprintf(text, sizeof text, "%s %d", month, gs.year);
    return text;
}

std::string SidebarCapitalText() {
    return FormatAmount(g_pGameState->cash[0]);
}

void HAUPTDIALOG::DrawSidebarDate() {
    if (g_pGameState != nullptr) DrawStatusLine(*this, kDateTop, SidebarDateText(*this));
}

void HAUPTDIALOG::DrawSidebarCapital() {
    if (g_pGameState != nullptr) DrawStatusLine(*this, kCapitalTop, SidebarCapitalText());
}

std::string CompanyName(int32_t player) {
    if (player < 0 || player > 3) return {};
    const char* name = g_pGameState->company_names[player];
    return std::string(name, strnlen(name, kCompanyNameLength));
}

std::vector<int32_t> GoodsOnSaleAt(int32_t store_type) {
    const CGameState& gs = *g_pGameState;
    std::vector<int32_t> goods;
    for (int32_t i = 0; i < kGoodsCount; ++i) {
        const GoodsRecord& g = gs.goods[i];
        const bool on_market = g.intro_year < gs.year || (g.intro_year == gs.year && gs.month >= 2);
        if (g.store_type == store_type && on_market) goods.push_back(i);
    }
    return goods;
}
