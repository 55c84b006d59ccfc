#include "economy/economy_notify.h"

#include "economy/building_table.h"
#include "platform/app.h"
#include "state/game_state.h"
#include "state/messages.h"
#include "state/panel_events.h"
#include "state/view_events.h"

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
    if (g_pGameState == nullptr || !Views().InformationToolActive()) return;
    bool typeShown = false;
    for (int32_t t : object_types) typeShown = typeShown || g_pGameState->selected_object_type == t;
    if (!typeShown || !PanelShows(building, Panel().SelectedStructure())) return;
    Panel().RefreshInfoPanel();
}

void RefreshStructureInfoFor(const CBuilding& building) {
    const std::optional<int32_t> shown = Panel().StructureInfoBuilding();
    if (shown.has_value() && PanelShows(building, *shown)) Panel().RedrawStructureInfo();
}
