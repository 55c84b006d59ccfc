#include "economy/economy_notify.h"

#include "economy/building_table.h"
#include "panel/hauptdialog.h"
#include "platform/app.h"
#include "state/game_state.h"
#include "state/messages.h"
#include "view/spiel_feld.h"

namespace {

bool PanelShows(const CBuilding& building, int32_t number) {
    return g_ppBuildings != nullptr && g_ppBuildings->At(number) == &building;
}

}  // namespace

void NotifyGoodsMoved() {
    plat::Application* app = plat::CurrentApplication();
    if (app != nullptr) plat::SendMessage(app->mainWindow, kMsgAnimImagesChanged);
}

void RefreshInfoPanelFor(const CBuilding& building, std::initializer_list<int32_t> object_types) {
    if (g_pHauptDialog == nullptr || g_pSpielFeld == nullptr || g_pGameState == nullptr) return;
    if (g_pSpielFeld->tool_mode != kInformationTool) return;
    bool typeShown = false;
    for (int32_t t : object_types) typeShown = typeShown || g_pGameState->selected_object_type == t;
    if (!typeShown || !PanelShows(building, g_pHauptDialog->selected_structure)) return;
    plat::SendMessage(g_pHauptDialog, kMsgRefreshInfoPanel);
}

void RefreshStructureInfoFor(const CBuilding& building) {
    if (g_pHauptDialog == nullptr) return;
    FS_STRUCTURE_INFO* info = g_pHauptDialog->structure_info;
    if (info != nullptr && PanelShows(building, info->shown_building)) info->DrawFigures();
}
