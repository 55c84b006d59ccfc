#pragma once
// The economy screens in the real main frame on the headless back end, with
// their stand-in pictures, the real building table, a recording world view
// whose selected field says which building a screen opens for, and the
// control panel's goods icons.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "app/interface_hooks.h"
#include "cities/city_manager.h"
#include "economy/building_kinds.h"
#include "economy/building_table.h"
#include "economy/producer.h"
#include "panel/control_panel.h"
#include "screens/economy/economy_layout.h"
#include "screens/full_screen.h"
#include "standin.h"
#include "state/data_tables.h"
#include "state/game_state.h"
#include "state/lookup_tables.h"
#include "state/map_field.h"
#include "state/messages.h"
#include "state/world_images.h"
#include "support/fnv_hash.h"
#include "support/frame_host.h"
#include "support/recording_hooks.h"

namespace econscreens {

// The stand-in pictures of the screens (and the panel's goods icons), made
// once per test program.
inline void WriteScreenPictures(const std::string& folder) {
    static std::map<std::string, std::vector<uint8_t>> made;
    if (made.empty()) {
        for (const standin::FileRecipe& recipe : standin::DataFileRecipes()) {
            const std::string& p = recipe.path;
            if (p.find('/') != std::string::npos) continue;
            for (const char* prefix :
                 {"scr_", "scb_", "gks_", "fps_", "scp_", "ps.jgd", "inf_ps"}) {
                if (p.rfind(prefix, 0) == 0) made[p] = recipe.make();
            }
        }
    }
    for (const auto& [name, bytes] : made) {
        std::ofstream(std::filesystem::path(folder) / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
}

// A panel that only holds the goods icons.
struct IconPanel : fvtest::RecordingPanel {
    IconPanel() {
        goods_icons.LoadJgd(std::string(g_pGameState->DataPath(kPathBase)) + "\\inf_ps.jgd");
    }
};

class ScreenHost : public ::testing::Test {
  protected:
    ScreenHost() {
        WriteScreenPictures(h.folder.Path());
        LoadStartupImages();
        InitGoodsTable();
        InitBuildingTypes();
        gs().year = 1990;
        gs().month = 0;
        gs().cash[0] = 10000000;
        for (GoodsRecord& g : gs().goods) g.available = g.intro_year <= gs().year ? 1 : 0;
        g_ppBuildings = &table_;
        g_pCityManager = &cities_;
        view_ = new fvtest::RecordingView;
        view_->Create(h.frame, {0, 0, 100, 100}, WS_CHILD);
        SetWorldView(view_);
        panel_ = new IconPanel;
        SetControlPanel(panel_);
    }
    ~ScreenHost() override {
        for (FrameScreen slot :
             {FrameScreen::BuildingPurchase, FrameScreen::Production, FrameScreen::StoreSales,
              FrameScreen::ProductHelp, FrameScreen::Depot}) {
            h.frame->DeleteScreen(slot);
        }
        table_.FreeAll();
        g_ppBuildings = nullptr;
        g_pCityManager = nullptr;
    }
    CGameState& gs() { return *h.gs; }

    // A building of `type` at (x, y) of `owner`, its footprint written, and
    // the view's selected field on it; its number.
    int32_t Place(int32_t type, int32_t x, int32_t y, uint8_t owner = 0) {
        gs().selected_building_type = type;
        gs().build_orientation = 0;
        const int32_t number = table_.PlaceBuilding(x, y);
        CBuilding* b = table_.At(number);
        if (b == nullptr) return 0;
        b->owner = owner;
        const Floor floor = FloorOfType(type);
        for (int32_t fx = x; fx < x + floor.width; ++fx) {
            for (int32_t fy = y; fy < y + floor.depth; ++fy) {
                MapField* f = FieldAt(fx, fy);
                f->set_geb_num(static_cast<uint32_t>(number));
                f->set_geb_typ(static_cast<uint32_t>(type));
                f->set_building_flag(true);
                f->set_spieler(owner < 4 ? owner : 0);
            }
        }
        Select(x, y);
        gs().selected_building_type = -1;
        return number;
    }
    void Select(int32_t x, int32_t y) { view_->cursor_x = x, view_->cursor_y = y; }
    template <typename T>
    T& B(int32_t number) {
        return *static_cast<T*>(table_.At(number));
    }
    // Opens a screen by its message; the open screen or null.
    template <typename Screen>
    Screen* OpenBy(uint32_t message, FrameScreen slot) {
        h.frame->SendMessage(message);
        h.Run();
        return dynamic_cast<Screen*>(h.frame->Screen(slot));
    }
    // A click at a point of the 640 x 480 page of a screen.
    void Click(const FullScreen& s, int32_t x, int32_t y,
               plat::MouseButton button = plat::MouseButton::Left) {
        h.host.AdvanceClock(1000);  // no double click
        h.host.InjectClick({s.origin_x + x, s.origin_y + y}, button);
        h.Run();
    }
    void Press(const FullScreen& s, uint16_t command) {
        for (const auto& b : s.buttons) {
            if (b->command_id != command) continue;
            const plat::Rect r = b->GetWindowRect();
            h.host.AdvanceClock(1000);
            h.host.InjectClick({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
            h.Run();
            return;
        }
        ADD_FAILURE() << "no button " << command;
    }

    fvtest::FrameHost h;
    CBuildingTable table_;
    CCityManager cities_;
    fvtest::RecordingView* view_ = nullptr;
    IconPanel* panel_ = nullptr;
};

}  // namespace econscreens
