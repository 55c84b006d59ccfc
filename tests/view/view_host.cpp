#include "view/view_host.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "app/main_frame.h"
#include "platform/temp_folder.h"
#include "standin.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/messages.h"
#include "state/tree_images.h"
#include "state/world_images.h"
#include "support/fnv_hash.h"
#include "world/terrain.h"

namespace viewtest {

namespace {

// The base pictures and autumn's in every rotation, written once.
const std::string& PictureFolder() {
    static const fvtest::TempFolder temp;
    static const std::string folder = [] {
        const std::filesystem::path root = temp.Path();
        for (const standin::FileRecipe& recipe : standin::DataFileRecipes()) {
            const std::string& name = recipe.path;
            if (name.find('/') != std::string::npos && name.rfind("autumn/", 0) != 0) continue;
            const std::filesystem::path path = root / recipe.path;
            const std::vector<uint8_t> bytes = recipe.make();
            std::filesystem::create_directories(path.parent_path());
            std::ofstream(path, std::ios::binary)
                .write(reinterpret_cast<const char*>(bytes.data()),
                       static_cast<std::streamsize>(bytes.size()));
        }
        return root.string();
    }();
    return folder;
}

}  // namespace

ViewHost::ViewHost(plat::Size screen, bool generate) : h(screen, false) {
    for (auto& path : h.gs->data_paths)
        std::snprintf(path, sizeof path, "%s", PictureFolder().c_str());
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
