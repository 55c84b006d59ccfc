// One stored picture per dialog screen class, drawn from the stand-in data.
// Change a value only after looking at the screen (FV_GOLDEN_PNG saves each).

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "economy/building_table.h"
#include "economy/steel_mill.h"
#include "economy/truck_depot.h"
#include "state/messages.h"
#include "support/dialog_game.h"
#include "support/fnv_hash.h"

namespace {

class DialogPictures : public fvtest::DialogGame {
  protected:
    uint64_t Hash(PanelPopup slot, const std::string& name) {
        plat::Window* screen = Open(slot);
        if (screen == nullptr) return 0;
        h.Run();
        fvtest::MaybeSaveScreen("golden_" + name);
        const plat::Surface& s = screen->GetSurface();
        return fvtest::PictureHash(s.width, s.height, [&](int32_t y) { return s.Row(y); });
    }
};

TEST_F(DialogPictures, EachScreenMatchesItsStoredPicture) {
    auto* mill = new CSteelMill(30, 30);
    mill->type = 13;
    g_ppBuildings->buildings[3] = mill;
    MapField& f = gs.fields[FieldIndex(30, 30)];
    f.set_geb_num(3), f.set_building_flag(true);
    for (int32_t n : {5, 6}) {
        auto* depot = new CTruckDepot(40 + n, 40);
        depot->type = 0, depot->owner = 0;
        depot->SetName(n == 5 ? "Elm Yard" : "Quay");
        g_ppBuildings->buildings[n] = depot;
    }
    std::snprintf(gs.company_names[0], kCompanyNameLength, "%s", "Ferro Freight");
    gs.opt_scroll_speed = 2;
    View().cursor_x = View().cursor_y = 30;
    struct Case {
        const char* name;
        uint32_t open;
        PanelPopup slot;
        uint64_t hash;
    };
    const Case cases[] = {
        {"end", kMsgPanelOpenEndConfirm, PanelPopup::EndConfirm, 0xdc9a0b22efca3681ull},
        {"structure_info", kMsgPanelOpenStructureInfo, PanelPopup::StructureInfo,
         0x0b386e5d7561b7c2ull},
        {"company_name", kMsgPanelOpenCompanyName, PanelPopup::CompanyName, 0x3a3276c0a1af41efull},
        {"find", kMsgPanelOpenFind, PanelPopup::Find, 0x4275852f54d2ddb4ull},
        {"city_growth", kMsgPanelOpenCityGrowth, PanelPopup::CityGrowth, 0x3ba6d8b9e7a7c80eull},
        {"options", kMsgPanelOpenOptions, PanelPopup::Options, 0x4c34330608243f42ull},
    };
    for (const Case& c : cases) {
        Panel().SendMessage(c.open);
        h.Run();
        const uint64_t hash = Hash(c.slot, c.name);
        EXPECT_EQ(hash, c.hash) << c.name << " 0x" << std::hex << hash;
        // Closed again through the panel, as its result would.
        Panel().SendMessage(c.open + 1, 0, 1);
        h.Run();
        delete std::exchange(Panel().city_growth_screen, nullptr);
    }
}

}  // namespace
