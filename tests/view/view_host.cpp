#include "view/view_host.h"

#include <algorithm>
#include <cstdio>

#include "app/main_frame.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/messages.h"
#include "state/tree_images.h"
#include "state/world_images.h"
#include "support/fnv_hash.h"
#include "world/terrain.h"

namespace viewtest {

ViewHost::ViewHost(plat::Size screen, bool generate) : h(screen, false) {
    for (auto& path : h.gs->data_paths)
        std::snprintf(path, sizeof path, "%s", fvtest::GamePictureFolder().c_str());
    h.gs->season = 3;
    LoadStartupImages();  // font 1 writes the plates
    GetWorldImageHooks().load_tree_images = &LoadTreeImages;
    g_pTerrain = new CTerrain;  // the frame's shutdown deletes it
    GetFrameHooks().create_world_view = &MakeWorldView;
    GetFrameHooks().new_game_seed = []() -> uint32_t { return 20260; };
    if (generate)
        h.frame->SendMessage(kMsgStartGame, 0, 0);
    else
        h.frame->StartWorldView(kModeGame);
    h.Run();
}

ViewHost::~ViewHost() {
    GetFrameHooks().new_game_seed = nullptr;
    GetWorldImageHooks().load_tree_images = nullptr;
}

void ViewHost::Show(int32_t rotation, int32_t zoom) {
    SPIEL_FELD& v = view();
    if (gs().rotation != rotation) {
        gs().rotation = rotation;
        LoadObjectImages();
    }
    if (zoom == kOverviewZoomLevel) return v.ResetCamera();
    v.zoom = zoom;
    v.SetupProjection();
    MarkAllFieldsChanged();
    v.BlackenBackBuffers();
    gs().redraw_terrain = gs().redraw_objects = 1;
    v.RedrawView();
}

plat::Surface ViewHost::Picture() const {
    const WinGBitmap& c = g_pGameState->images.composite_buffer;
    plat::Surface s;
    s.Resize(c.width, c.Rows());
    for (int32_t y = 0; y < c.Rows(); ++y)
        std::copy_n(&c.pixels[y * c.Stride()], c.width, s.Row(y));
    return s;
}

plat::RgbTable ViewHost::Colours() const {
    plat::RgbTable table{};
    const RgbQuad* colours = g_pGameState->images.tile_sheet.info.colors;
    for (size_t i = 0; i < table.size(); ++i) {
        table[i] = {colours[i].red, colours[i].green, colours[i].blue};
    }
    return table;
}

uint64_t ViewHost::PictureHash() const {
    const WinGBitmap& c = g_pGameState->images.composite_buffer;
    return fvtest::PictureHash(c.width, c.Rows(), [&](int32_t y) {
        return &c.pixels[static_cast<size_t>(y) * c.Stride()];
    });
}

}  // namespace viewtest
