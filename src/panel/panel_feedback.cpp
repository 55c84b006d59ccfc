// The construction-tool feedback of the control panel: the costs of the way,
// demolition and terrain tools and the refusals of the station tool in the
// sidebar, the legend of the overview map, and the rename command.

#include <utility>

#include "game/opponent.h"
#include "gfx/blit_dc.h"
#include "gfx/font_tables.h"
#include "panel/control_panel.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/messages.h"
#include "view/world_view.h"
#include "world/terrain.h"
#include "world/tile_marker.h"

namespace {

constexpr int32_t kLegendTop = 252;
constexpr int32_t kLegendHeaderHeight = 18;
constexpr int32_t kLegendRowsTop = 270;
constexpr int32_t kLegendRowHeight = 10;
constexpr int32_t kLegendStripX = 160;  // the legend half of the entry-row strip
constexpr int32_t kLegendDimmedShift = 32;
constexpr int32_t kColourSquareX = 16;
constexpr int32_t kColourSquareSize = 8;
constexpr uint8_t kPlayerColourIndex[4] = {28, 195, 234, 141};
constexpr uint8_t kFeedbackColour = 10;

bool InEditor() {
    return g_pGameState->game_mode == kModeEditor;
}

bool OpponentActive(int32_t slot) {
    const COpponent* opponent = g_pGameState->opponents[slot];
    return opponent != nullptr && opponent->turn_pending != 0;
}

}  // namespace

void HAUPTDIALOG::ShowFeedback(FeedbackArea area) {
    if (back_buffer.Loaded() && clean_background.Loaded()) {
        BlitDC(*back_buffer.dc, 0, area.top, kPanelWidth, area.height, *clean_background.dc, 0,
               area.top);
        const PaletteImage& font = g_pGameState->images.main_font;
        for (const FeedbackLine& line : WrappedFeedbackLines(area)) {
            back_buffer.DrawText(line.text.c_str(), kFont1Advances, kFeedbackLeft, line.y, font, 16,
                                 16, kFeedbackColour);
        }
        PresentArea(0, area.top, kPanelWidth, area.height);
    }
    tool_feedback = std::move(area);
}

void HAUPTDIALOG::DrawRoadCost() {
    ShowFeedback(RoadCostFeedback(g_pTileMarker != nullptr ? g_pTileMarker->cost : 0));
}

void HAUPTDIALOG::DrawDemolitionCost() {
    demolition_cost = 0;
    if (g_pSpielFeld != nullptr && g_pTerrain != nullptr) {
        const SPIEL_FELD& view = *g_pSpielFeld;
        const bool drag = view.drag_start_x >= 0;
        int32_t x = view.cursor_x;
        int32_t y = view.cursor_y;
        demolition_cost = g_pTerrain->DemolitionCost(drag ? view.drag_start_x : x,
                                                     drag ? view.drag_start_y : y, x, y);
    }
    ShowFeedback(DemolitionCostFeedback(demolition_cost));
}

void HAUPTDIALOG::DrawTerrainCost() {
    const bool costs = brush_size == 1 && !InEditor() && g_pTerrain != nullptr &&
                       g_pSpielFeld != nullptr &&
                       InMap(g_pSpielFeld->cursor_x, g_pSpielFeld->cursor_y);
    int32_t lift = 0;
    int32_t sink = 0;
    if (costs) {
        lift = g_pTerrain->PreviewRaiseCost(g_pSpielFeld->cursor_x, g_pSpielFeld->cursor_y);
        sink = g_pTerrain->PreviewLowerCost(g_pSpielFeld->cursor_x, g_pSpielFeld->cursor_y);
    }
    ShowFeedback(TerrainCostFeedback(costs, lift, sink));
}

void HAUPTDIALOG::DrawActionRefusal() {
    ShowFeedback(RefusalFeedback(action_refusal));
}

void HAUPTDIALOG::DrawOverviewLegend() {
    if (!back_buffer.Loaded() || !clean_background.Loaded()) return;
    const int32_t height = back_buffer.Rows() - kLegendTop;
    BlitDC(*back_buffer.dc, 0, kLegendTop, kPanelWidth, height, *clean_background.dc, 0,
           kLegendTop);
    if (g_pSpielFeld != nullptr && g_pSpielFeld->zoom == kOverviewZoomLevel && row_strip.Loaded()) {
        const bool editor = InEditor();
        const int32_t first = editor ? 4 : 0;
        const int32_t rows = editor ? 4 : 20;
        if (!editor) {
            for (int32_t slot = 0; slot < kOpponentCount; ++slot) {
                if (!OpponentActive(slot)) legend_flags[1 + slot] = 0;
            }
        }
        BlitDC(*back_buffer.dc, 0, kLegendTop, kPanelWidth, kLegendHeaderHeight, *row_strip.dc,
               kLegendStripX, 0);
        for (int32_t i = 0; i < rows; ++i) {
            const int32_t y = kLegendRowsTop + kLegendRowHeight * i;
            const bool on = legend_flags[first + i] != 0;
            BlitDC(*back_buffer.dc, 0, y, kPanelWidth, kLegendRowHeight, *row_strip.dc,
                   kLegendStripX, on ? y - kLegendTop : y - kLegendDimmedShift);
        }
        if (!editor) {
            const CGameState& gs = *g_pGameState;
            for (int32_t player = 0; player <= kOpponentCount; ++player) {
                if (player > 0 && !OpponentActive(player - 1)) continue;
                back_buffer.FillRect(kColourSquareX, kLegendRowsTop + kLegendRowHeight * player,
                                     kColourSquareSize, kColourSquareSize,
                                     kPlayerColourIndex[gs.player_colors[player] & 3]);
            }
        }
    }
    PresentArea(0, kLegendTop, kPanelWidth, height);
}

void HAUPTDIALOG::OnRename() {
    const int32_t x = g_pSpielFeld != nullptr ? g_pSpielFeld->cursor_x : -1;
    const int32_t y = g_pSpielFeld != nullptr ? g_pSpielFeld->cursor_y : -1;
    const MapField* field = FieldAt(x, y);
    if (selected_type == 15 || selected_type == 21 || selected_type == 22) {
        const int32_t city = field != nullptr ? field->stadtnum() - 1 : -3;
        plat::SendMessage(this, kMsgPanelOpenRenameCity, 0, city);
    } else if (selected_type >= 16 && selected_type <= 19) {
        const int32_t number = field != nullptr && field->building_flag() ? field->geb_num() : 0;
        plat::SendMessage(this, kMsgPanelOpenRenameTerminal, 0, number);
    }
}
