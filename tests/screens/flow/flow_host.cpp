#include "screens/flow/flow_host.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "app/main_frame.h"
#include "gfx/palette.h"
#include "levels/standin_levels.h"
#include "panel/control_panel.h"
#include "platform/temp_folder.h"
#include "platform/window_system.h"
#include "state/game_state.h"
#include "state/tree_images.h"
#include "state/world_images.h"
#include "view/world_view.h"
#include "world/terrain.h"

namespace flowtest {

const std::string& StandinFolder() {
    static const fvtest::TempFolder temp;
    static const std::string folder = [] {
        const std::filesystem::path root = temp.Path();
        fvtest::WriteStandinFiles(root.string(), [](const std::string& name) {
            return name.find('/') == std::string::npos || name.rfind("autumn/", 0) == 0 ||
                   name.rfind("tutorial/", 0) == 0 || name.rfind("fx/", 0) == 0;
        });
        std::string error;
        if (!standin::WriteStandinLevels(root.string(), &error)) ADD_FAILURE() << error;
        return root.string();
    }();
    return folder;
}

FlowHost::FlowHost(plat::Size screen, bool levels)
    : standin_(StandinFolder()), h(screen, false), folder(h.folder.Path()) {
    // The pictures come from the shared folder; levels and saves go to this
    // test's own folder.
    namespace fs = std::filesystem;
    for (const auto& entry : fs::directory_iterator(standin_)) {
        const std::string name = entry.path().filename().string();
        const bool level_folder = name == "karriere" || name == "mission" || name == "scenario";
        const fs::path target = fs::path(folder) / name;
        if (fs::exists(target)) continue;
        if (!level_folder) {
            fs::create_symlink(entry.path(), target);
        } else if (levels) {  // a test may add files there: a copy of its own
            fs::copy(entry.path(), target, fs::copy_options::recursive);
        }
    }
    h.gs->season = 3;
    LoadStartupImages();  // the fonts and the tile
    GetWorldImageHooks().load_tree_images = &LoadTreeImages;
    g_pTerrain = new CTerrain;  // the frame's shutdown deletes it
    GetFrameHooks().create_world_view = &MakeWorldView;
    GetViewHooks().create_panel = &CreateControlPanel;
    GetFrameHooks().new_game_seed = []() -> uint32_t { return 20260; };
}

FlowHost::~FlowHost() {
    GetFrameHooks().new_game_seed = nullptr;
    GetViewHooks().create_panel = nullptr;
    GetWorldImageHooks().load_tree_images = nullptr;
}

void FlowHost::Click(int32_t x, int32_t y) {
    h.host.AdvanceClock(1000);  // never a double click
    h.host.InjectClick({x, y});
    h.Run();
}

void FlowHost::Char(uint8_t c) {
    h.host.InjectChar(c);
    h.Run();
}

void FlowHost::Key(int32_t virtual_key) {
    h.host.InjectKeyPress(virtual_key);
    h.Run();
}

std::shared_ptr<std::vector<bool>> WatchWorldPalette(CGameState& gs, uint32_t message) {
    auto shown = std::make_shared<std::vector<bool>>();
    RgbQuad colours[256] = {};
    colours[100] = {3, 2, 1, 0};  // a colour no picture has
    gs.images.palette_a = CreateIdentityPalette(colours, 256);
    plat::SetMessageObserver(
        [shown, message, before = plat::WindowSystem::Get().observer](const plat::MessageTrace& t) {
            if (before) before(t);
            if (t.kind != plat::MessageTrace::Kind::Sent || t.message != message) return;
            shown->push_back(plat::SystemPaletteRgb()[100] == std::array<uint8_t, 3>{1, 2, 3});
        });
    return shown;
}

plat::Point FlowHost::Origin() const {
    return {(h.gs->screen_width - 640) / 2, (h.gs->screen_height - 480) / 2};
}

}  // namespace flowtest
