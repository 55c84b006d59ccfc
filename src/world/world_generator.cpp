// The world generator's main sequence: the land passes from the landscape
// templates, then the ground kinds and the three population phases.

#include "state/game_state.h"
#include "state/map_field.h"
#include "state/progress_events.h"
#include "state/view_events.h"
#include "world/land_passes.h"
#include "world/landscape_templates.h"
#include "world/terrain.h"

void EmptyTerrainStub(int32_t, int32_t, int32_t, int32_t) {}

void CTerrain::GenerateLandscape() {
    CGameState* gs = g_pGameState;
    if (gs == nullptr) return;
    template_handle_ = std::make_unique<LandscapeTemplateSet>();
    if (!ReadLandscapeTemplates(LandscapeTemplatePath(*gs), template_handle_.get())) {
        template_handle_.reset();
        return;  // no file, no world: the grid stays as the caller left it
    }
    template_data = template_handle_.get();
    RunLandPasses(*template_data, gs->season, gs->ng_land, gs->ng_mountains);
    MarkAllFieldsChanged();
    Progress().StageDone(0);

    AssignGroundKinds();
    GenerateCities();
    GenerateWoods();
    GenerateIndustries();

    gs->redraw_terrain = 1;
    gs->redraw_objects = 1;
    Views().RedrawView();

    template_data = nullptr;
    template_handle_.reset();
}
