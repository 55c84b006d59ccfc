// Every text the screens and the panel's painters draw in a running game
// with the stand-in data lies on the surface it is drawn on: no line runs
// past the picture, chart or panel that gives it room.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/app_globals.h"
#include "app/interface_hooks.h"
#include "app/main_frame.h"
#include "gfx/text.h"
#include "panel/control_panel.h"
#include "panel/popup_protocol.h"
#include "platform/app.h"
#include "platform/messages.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/messages.h"
#include "support/frame_host.h"
#include "world/terrain.h"

namespace {

constexpr std::pair<FrameScreen, uint32_t> kScreens[] = {
    {FrameScreen::Statistics, kMsgOpenStatistics},
    {FrameScreen::SalesStatistics, kMsgOpenSalesStatistics},
    {FrameScreen::StoreSales, kMsgOpenStoreSales},
    {FrameScreen::StoreOverview, kMsgOpenStoreOverview},
    {FrameScreen::FactoryOverview, kMsgOpenFactoryOverview},
    {FrameScreen::VehicleOverview, kMsgOpenVehicleOverview},
    {FrameScreen::RailPurchase, kMsgOpenRailPurchase},
    {FrameScreen::TruckPurchase, kMsgOpenTruckPurchase},
    {FrameScreen::BuildingPurchase, kMsgOpenBuildingPurchase},
    {FrameScreen::Depot, kMsgOpenDepot},
    {FrameScreen::Production, kMsgOpenProduction},
    {FrameScreen::ProductHelp, kMsgOpenProductHelp},
    {FrameScreen::Schedule, kMsgOpenSchedule},
};

// The popups of the panel that stay in the running game when closed with
// Escape or Enter.
bool InGame(PanelPopup slot) {
    switch (slot) {
        case PanelPopup::Options:
        case PanelPopup::Find:
        case PanelPopup::StructureInfo:
        case PanelPopup::YearSummary:
        case PanelPopup::SaveGame:
        case PanelPopup::OpponentOverview:
        case PanelPopup::CityGrowth:
            return true;
        default:
            return false;
    }
}

class StandinReadable : public ::testing::Test {
  protected:
    StandinReadable() {
        fvtest::WriteStandinFiles(h.folder.Path(), [](const std::string&) { return true; });
        g_pTerrain = new CTerrain;  // the frame's close deletes it
        GetFrameHooks().create_world_view = &MakeWorldView;
        GetViewHooks().create_panel = &CreateControlPanel;
        g_LogoShown[0] = g_LogoShown[1] = 1;
        WatchDrawnText([this](const DrawnTextLine& line) {
            ++lines_;
            const bool inside = line.x >= 0 && line.x + line.width <= line.surface_width &&
                                line.y >= 0 && line.y < line.surface_height;
            if (!inside) {
                misfits_.insert(context_ + ": \"" + line.text + "\" at " + std::to_string(line.x) +
                                ", " + std::to_string(line.y) + " width " +
                                std::to_string(line.width) + " on " +
                                std::to_string(line.surface_width) + " x " +
                                std::to_string(line.surface_height));
            }
        });
    }
    ~StandinReadable() override {
        WatchDrawnText({});
        GetViewHooks().create_panel = nullptr;
    }
    void Close() {
        for (int32_t k = 0; k < 3 && h.gs->screen_open != 0; ++k) {
            h.host.InjectKeyPress(k == 0 ? VK_ESCAPE : VK_RETURN);
            h.Run();
        }
    }

    fvtest::FrameHost h{{1024, 768}};
    std::string context_;
    std::set<std::string> misfits_;
    int32_t lines_ = 0;
};

TEST_F(StandinReadable, EveryScreenAndPanelTextStaysOnItsSurface) {
    ASSERT_TRUE(h.frame->StartWorldView(kModeGame));
    h.gs->cash[0] = 100000000;
    h.Run();
    ASSERT_NE(g_pHauptDialog, nullptr);
    HAUPTDIALOG& panel = *g_pHauptDialog;
    context_ = "panel feedback";
    panel.DrawRoadCost();
    panel.DrawDemolitionCost();
    panel.DrawTerrainCost();
    for (int32_t code = 1; code <= 5; ++code) panel.ShowActionNotPossible(code);
    const int32_t panel_lines = lines_;
    EXPECT_GE(panel_lines, 12);
    for (const auto& [slot, request] : kScreens) {
        context_ = "frame screen " + std::to_string(static_cast<int32_t>(slot));
        h.frame->SendMessage(request);
        h.Run();
        Close();
    }
    const PopupEntry* table = PanelPopupTable();
    for (int32_t i = 0; i < kPanelPopupCount && g_pHauptDialog == &panel; ++i) {
        if (table[i].open == nullptr || InGame(table[i].slot) == false) continue;
        context_ = "panel popup " + std::to_string(i);
        plat::SendMessage(g_pHauptDialog, table[i].open_message);
        h.Run();
        Close();
        ASSERT_EQ(g_pHauptDialog, &panel) << context_;
    }
    EXPECT_GT(lines_, panel_lines + 50);
    for (const std::string& m : misfits_) ADD_FAILURE() << m;
    h.host.InjectCloseRequest();  // the program's end takes down what the screens left
    h.Run();
    EXPECT_TRUE(plat::QuitRequested());
}

}  // namespace
