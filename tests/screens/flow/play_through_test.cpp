// The acceptance of the game flow: the program driven from its title as a
// player drives it, on the fake clock with clicks and keys injected into the
// real screens.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/app_globals.h"
#include "app/game_files.h"
#include "app/level_file.h"
#include "app/main_frame.h"
#include "economy/building.h"
#include "economy/building_table.h"
#include "economy/factory.h"
#include "economy/truck_depot.h"
#include "game/opponent.h"
#include "game/opponent_build.h"
#include "gfx/font_tables.h"
#include "gfx/text.h"
#include "panel/control_panel.h"
#include "screens/economy/building_purchase_screen.h"
#include "screens/economy/economy_layout.h"
#include "screens/economy/production_screen.h"
#include "screens/flow/flow_host.h"
#include "screens/flow/level_select_screen.h"
#include "screens/flow/load_game_screen.h"
#include "screens/flow/save_game_screen.h"
#include "screens/panel/popup_list.h"
#include "screens/vehicles/schedule_screen.h"
#include "screens/vehicles/truck_purchase_screen.h"
#include "screens/vehicles/vehicle_layout.h"
#include "state/acting_player.h"
#include "state/data_tables.h"
#include "state/game_files.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/messages.h"
#include "support/player_clicks.h"
#include "transport/vehicle_list.h"
#include "view/world_view.h"
#include "world/build_helper.h"

namespace {

using flowtest::FlowHost;

constexpr uint8_t kEnter = 13;

struct AnswerLater : plat::Window {
    bool Open(HAUPTDIALOG& panel, const PopupRequest& request) {
        return Create(&panel, request.rect, WS_POPUP | WS_VISIBLE);
    }
};

std::vector<char> Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class PlayThrough : public ::testing::Test, public fvtest::PlayerClicks {
  protected:
    PlayThrough() : f({1024, 768}, true) {
        InstallLevelFiles();
        g_LogoShown[0] = g_LogoShown[1] = 1;
    }
    ~PlayThrough() override { InstallGameFiles(nullptr); }
    void Title() {
        f.h.frame->SendMessage(kMsgShowStartScreen);
        f.h.Run();
        ASSERT_NE(f.h.frame->Screen(FrameScreen::Start), nullptr);
    }
    // Button i (0 continue .. 9 quit) down the title's right edge.
    void Choose(int32_t i) { f.Click(192 + 480 + 80, 144 + 23 + 45 * i + 16); }
    // A free game from the title: set-up OK, a name, three rivals, no growth,
    // each on its screen.
    void StartFreeGame(std::initializer_list<int32_t> portraits) {
        Title();
        Choose(2);
        ASSERT_NE(f.h.frame->Screen(FrameScreen::NewGame), nullptr);
        f.Char(kEnter);
        ASSERT_NE(g_pHauptDialog, nullptr);
        // The company name typed over the offered one, Enter.
        ASSERT_NE(g_pHauptDialog->Popup(PanelPopup::CompanyName), nullptr);
        for (const char c : std::string("Play Through Ltd")) f.Char(static_cast<uint8_t>(c));
        PressEnter();
        ASSERT_EQ(g_pHauptDialog->Popup(PanelPopup::CompanyName), nullptr);
        EXPECT_STREQ(f.gs().company_names[0], "Play Through Ltd");
        ASSERT_NE(f.h.frame->Screen(FrameScreen::OpponentSelect), nullptr);
        for (int32_t p : portraits) f.Click(192 + 430, 144 + 60 + 80 * p + 35);
        f.Char(kEnter);
        // The city growth as offered (none), Enter.
        ASSERT_NE(g_pHauptDialog->Popup(PanelPopup::CityGrowth), nullptr);
        PressEnter();
        ASSERT_EQ(g_pHauptDialog->Popup(PanelPopup::CityGrowth), nullptr);
        ASSERT_EQ(std::tuple(f.gs().sim_halted, f.gs().year), std::tuple(0, 1960));
    }
    void PressEnter() {
        f.h.host.InjectKeyPress(VK_RETURN, kEnter);
        f.h.Run();
    }
    // Game ticks on the fake clock, the loop turning every 26 ms. The player
    // reads each news popup that comes up and closes it with Enter.
    void RunTicks(int32_t ticks) {
        const int32_t end = GameTicks() + ticks;
        while (GameTicks() < end) {
            f.h.host.AdvanceClock(26);
            f.h.Turn();
            CloseTheNews();
        }
    }
    void CloseTheNews() {
        for (PanelPopup news : {PanelPopup::ProductNews, PanelPopup::VehicleNews,
                                PanelPopup::BuildingNews, PanelPopup::OpponentNews}) {
            const plat::Window* popup = g_pHauptDialog->Popup(news);
            if (popup != nullptr && popup->IsWindowVisible()) PressEnter();
        }
    }
    int32_t GameTicks() const {
        const CGameState& gs = *g_pGameState;
        return ((gs.year - 1960) * 12 + gs.month) * 4 + gs.week;
    }
    void ClickIn(const plat::Window& popup, int32_t x, int32_t y) {
        const plat::Rect r = popup.GetWindowRect();
        f.Click(r.left + 1 + x, r.top + 1 + y);
    }
    void SaveInto(int32_t slot, const std::string& description) {
        Heading(kFileHeading);
        PanelRow(kCmdSave);
        auto* save = dynamic_cast<FS_SAVE_GAME*>(g_pHauptDialog->Popup(PanelPopup::SaveGame));
        ASSERT_NE(save, nullptr);
        ClickIn(*save, 80, 63 + 17 * slot + 8);
        for (char c : description) f.Char(static_cast<uint8_t>(c));
        f.Char(kEnter);
        ASSERT_EQ(g_pHauptDialog->Popup(PanelPopup::SaveGame), nullptr);
    }
    // The file heading's "Load", row 0 (with its description), Enter.
    void LoadSlot0(const std::string& description) {
        Heading(kFileHeading);
        PanelRow(kCmdLoad);
        auto* load = dynamic_cast<FS_LOAD_GAME*>(g_pHauptDialog->Popup(PanelPopup::LoadGame));
        ASSERT_NE(load, nullptr);
        EXPECT_EQ(load->list->GetLine(0), description);
        f.Char(kEnter);
        ASSERT_EQ(g_pHauptDialog->Popup(PanelPopup::LoadGame), nullptr);
    }
    // Saved into slot 1, loaded and saved again (a load lists the vehicles
    // in the reverse of the file's order), the game's bytes are slot 0's.
    void ExpectTheSameSave(const std::string& description) {
        SaveInto(1, description);
        ASSERT_EQ(LoadSavedGame(f.folder + "/save/1.lvl"), LevelLoadResult::Loaded);
        ASSERT_TRUE(SaveGameFile(f.folder + "/save/2.lvl"));
        const std::vector<char> first = Bytes(f.folder + "/save/0.lvl");
        ASSERT_GT(first.size(), 786432u);
        EXPECT_TRUE(first == Bytes(f.folder + "/save/2.lvl"));
    }
    // The building heading opens the purchase screen (once a type was
    // bought, through its "new buildings" row); a category row and a type
    // row chosen, Buy.
    void BuyBuilding(int32_t category, int32_t type) {
        Heading(kBuildingHeading);
        if (f.h.frame->Screen(FrameScreen::BuildingPurchase) == nullptr) {
            PanelRow(kCmdNewBuildings);
        }
        auto* buy =
            dynamic_cast<FS_GEBAUDE_KAUF*>(f.h.frame->Screen(FrameScreen::BuildingPurchase));
        ASSERT_NE(buy, nullptr);
        ChooseBuilding(*buy, category, type);
        Press(*buy, kCmdBuildingBuy);
        ASSERT_EQ(f.gs().selected_building_type, type);
    }
    plat::HeadlessBackend& Host() override { return f.h.host; }

    static constexpr int32_t kFileHeading = 1;
    static constexpr int32_t kBuildingHeading = 11;
    static constexpr int32_t kWaysHeading = 12;
    // Rows of the purchase screen's category list.
    static constexpr int32_t kTerminalsCategory = 0;
    static constexpr int32_t kProductionCategory = 1;
    FlowHost f;
};

TEST_F(PlayThrough, EveryTitleChoiceButTheHighScoresOpensItsScreen) {
    struct Case {
        int32_t button;
        const char* shot;  // a screenshot name, or empty
    };
    Title();
    for (const Case& c :
         {Case{2, "play_setup"}, Case{5, "play_career"}, Case{6, ""}, Case{8, "play_tutorial"},
          Case{4, "play_missions"}, Case{3, "play_scenarios"}, Case{1, "play_load"}}) {
        Choose(c.button);
        if (c.shot[0] != 0) fvtest::MaybeSaveScreen(c.shot);
        bool open = false;
        switch (c.button) {
            case 2:
                open = f.h.frame->Screen(FrameScreen::NewGame) != nullptr;
                f.h.frame->Screen(FrameScreen::NewGame)->SendMessage(WM_COMMAND, kCmdBack);
                break;
            case 5:
                open = f.h.frame->Screen(FrameScreen::Career) != nullptr;
                f.h.frame->Screen(FrameScreen::Career)->SendMessage(WM_COMMAND, kCmdDialogCancel);
                break;
            case 6:
                open = f.h.frame->Screen(FrameScreen::EditorStart) != nullptr;
                f.h.frame->Screen(FrameScreen::EditorStart)->SendMessage(WM_COMMAND, kCmdClose);
                break;
            case 8:
                open = f.h.frame->Screen(FrameScreen::Tutorial) != nullptr;
                f.Char(27);
                break;
            default: {
                const PanelPopup slot = c.button == 4   ? PanelPopup::MissionSelect
                                        : c.button == 3 ? PanelPopup::ScenarioSelect
                                                        : PanelPopup::LoadGame;
                plat::Window* popup =
                    g_pHauptDialog != nullptr ? g_pHauptDialog->Popup(slot) : nullptr;
                open = popup != nullptr;
                // Each mission group holds a mission, each title fits its row.
                auto* missions = c.button == 4 ? dynamic_cast<LevelSelectScreen*>(popup) : nullptr;
                for (int32_t g = 0; missions != nullptr && g < missions->tab_count; ++g) {
                    missions->group = g;
                    missions->LoadTitles();
                    EXPECT_GT(missions->FilledRows(), 0) << g;
                    for (int32_t row = 0; row < missions->list->LineCount(); ++row) {
                        const std::string title = missions->list->GetLine(row);
                        const auto ink = GetTextWidth(title.c_str(), kFont1Advances);
                        EXPECT_LE(missions->list->text_indent + static_cast<int32_t>(ink),
                                  missions->list->Bitmap().width)
                            << title;
                    }
                }
                if (popup != nullptr) popup->SendMessage(WM_COMMAND, kCmdDialogCancel);
                break;
            }
        }
        EXPECT_TRUE(open) << c.button;
        ASSERT_NE(f.h.frame->Screen(FrameScreen::Start), nullptr) << c.button;
    }
}

TEST_F(PlayThrough, AMissionStartsWithItsBriefing) {
    Title();
    Choose(4);
    ASSERT_NE(g_pHauptDialog, nullptr);
    f.Char(kEnter);  // the first mission
    CGameState& gs = f.gs();
    EXPECT_EQ(std::tuple(gs.game_mode, gs.cash[0]), std::tuple(int32_t{kModeMission}, 400000));
    plat::Window* briefing = g_pHauptDialog->Popup(PanelPopup::MissionText);
    ASSERT_NE(briefing, nullptr);
    fvtest::MaybeSaveScreen("play_briefing");
    briefing->SendMessage(WM_COMMAND, kCmdOk);
    EXPECT_EQ(g_pHauptDialog->Popup(PanelPopup::MissionText), nullptr);
}

TEST_F(PlayThrough, AScenarioStartsWithoutABriefingAndWithoutARivalsChoice) {
    Title();
    Choose(3);
    ASSERT_NE(g_pHauptDialog, nullptr);
    for (PanelPopup slot : {PanelPopup::CompanyName, PanelPopup::CityGrowth}) {
        g_pHauptDialog->SetPopupFactory(slot, OpenPopupScreen<AnswerLater>);
    }
    f.Char(kEnter);  // "Open country"
    CGameState& gs = f.gs();
    EXPECT_EQ(std::tuple(gs.game_mode, gs.cash[0]), std::tuple(int32_t{kModeGame}, 1000000));
    EXPECT_EQ(g_pHauptDialog->Popup(PanelPopup::MissionText), nullptr);
    EXPECT_TRUE(f.h.host.MessageBoxes().empty());
    plat::SendMessage(g_pHauptDialog, kMsgPanelCompanyNameDone, 0, 0);
    EXPECT_EQ(f.h.frame->Screen(FrameScreen::OpponentSelect), nullptr);
}

TEST_F(PlayThrough, AFreeGameSavedAndLoadedThroughTheScreensSavesTheSameBytes) {
    StartFreeGame({0, 1, 2});
    RunTicks(12);  // three game months
    const int64_t cash = f.gs().cash[0];
    fvtest::EvaluateCitiesForSave();
    SaveInto(0, "First save");
    RunTicks(8);  // the game goes on and changes
    ASSERT_NO_FATAL_FAILURE(LoadSlot0("First save"));
    EXPECT_EQ(f.gs().cash[0], cash);
    ExpectTheSameSave("Second save");
}

// A chain of one's own in a free game, every step a player's click or key:
// the industry bought on the purchase screen and placed by a site of the
// world, its product chosen on the production screen; two truck depots bought
// there too, turned with the arrow keys and placed one by the site and one by
// the factory; the street tool dragged from one depot to the other; a truck
// bought at the site's depot and sent between the two on its schedule,
// loading the site's raw material. The game then runs months until the
// material is in the factory, and is saved and loaded through the file
// heading's screens.
TEST_F(PlayThrough, AFreeGameCarriesGoodsFromASiteToAFactoryThenSavesAndLoads) {
    StartFreeGame({0, 1, 2});
    CGameState& gs = f.gs();
    constexpr int32_t kLength = 8;  // fields from depot to depot
    constexpr int32_t kReach = 3;   // well within a depot's catchment

    // A raw-material site and an available product of an industry whose
    // recipe takes the site's output.
    struct Chain {
        int32_t site = 0;
        int32_t raw = -1;
        int32_t product = -1;
        int32_t type = 0;
    };
    std::vector<Chain> chains;
    for (int32_t n = 1; n < kBuildingSlots; ++n) {
        CBuilding* b = g_ppBuildings->At(n);
        if (b == nullptr || b->type < kTypeMine || b->type > kTypeChemicalPlant) continue;
        const int32_t raw = b->GetProduct();
        for (int32_t q = 0; q < kGoodsCount && raw >= 0; ++q) {
            const GoodsRecord& g = gs.goods[q];
            if (g.available != 1 || g.producer_kind < kProducerMotor ||
                g.producer_kind > kProducerJewelry) {
                continue;
            }
            if (std::find(std::begin(g.inputs), std::end(g.inputs), raw) == std::end(g.inputs))
                continue;
            chains.push_back({n, raw, q, g.producer_kind - kProducerMotor + kTypeMotorIndustry});
        }
    }
    ASSERT_FALSE(chains.empty());

    // The layout: the site's depot within reach of the site, the other depot
    // kLength fields east or west on the same row with clear land between,
    // the factory's site within reach of the other depot and off the road.
    struct Layout {
        Chain chain;
        int32_t west_x = 0;
        int32_t y = 0;
        bool site_west = true;
        int32_t factory_x = 0;
        int32_t factory_y = 0;
    };
    const auto clear_field = [](int32_t x, int32_t y) {
        const MapField* m = FieldAt(x, y);
        return m != nullptr && m->data_word() == 0 && m->wegtyp() == 0 && m->stadtnum() == 0;
    };
    const auto find_layout = [&](const Chain& c) -> std::optional<Layout> {
        const int32_t bought_type = gs.selected_building_type;
        const int32_t bought_orientation = gs.build_orientation;
        // The player's choice as bought, whatever the search previewed.
        struct Restore {
            CGameState& gs;
            int32_t type;
            int32_t orientation;
            ~Restore() {
                gs.selected_building_type = type;
                gs.build_orientation = orientation;
            }
        } restore{gs, bought_type, bought_orientation};
        const ActingPlayerScope acting(0);
        const CBuilding& site = *g_ppBuildings->At(c.site);
        const BuildingType& st = gs.building_types[site.type];
        const BuildingType& ft = gs.building_types[c.type];
        for (int32_t y = site.anchor_y - kReach; y <= site.anchor_y + st.floor_depth - 1 + kReach;
             ++y) {
            for (int32_t x = site.anchor_x - kReach;
                 x <= site.anchor_x + st.floor_width - 1 + kReach; ++x) {
                for (const bool site_west : {true, false}) {
                    const int32_t wx = site_west ? x : x - kLength;
                    const int32_t ex = wx + kLength;
                    bool clear = wx > 4 && ex < 250 && y > 4 && y < 250;
                    for (int32_t fx = wx; fx <= ex && clear; ++fx) clear = clear_field(fx, y);
                    if (!clear || PreviewPlacement({kTypeTruckDepot + 1, wx, y}) <= 0 ||
                        PreviewPlacement({kTypeTruckDepot + 3, ex, y}) <= 0 ||
                        PlanRoadForActingPlayer(wx + 1, y, ex - 1, y) < 0) {
                        continue;
                    }
                    const int32_t bx = site_west ? ex : wx;
                    for (int32_t fy = y - kReach - ft.floor_depth + 1; fy <= y + kReach; ++fy) {
                        for (int32_t fx = bx - kReach - ft.floor_width + 1; fx <= bx + kReach;
                             ++fx) {
                            if (fy <= y && fy + ft.floor_depth - 1 >= y) continue;  // the road row
                            bool free = true;
                            for (int32_t ax = fx; ax < fx + ft.floor_width && free; ++ax) {
                                for (int32_t ay = fy; ay < fy + ft.floor_depth && free; ++ay) {
                                    free = clear_field(ax, ay);
                                }
                            }
                            // The depot previews select a depot; the check is the factory's.
                            gs.selected_building_type = bought_type;
                            gs.build_orientation = bought_orientation;
                            if (free && g_pBuildHelper->CanBuildHere(fx, fy, ft.floor_width,
                                                                     ft.floor_depth) != 0) {
                                return Layout{c, wx, y, site_west, fx, fy};
                            }
                        }
                    }
                }
            }
        }
        return std::nullopt;
    };

    // 1. The building heading, "Production", the industry, Buy; a click by
    // the site places it.
    std::optional<Layout> layout;
    for (const Chain& c : chains) {
        ASSERT_NO_FATAL_FAILURE(BuyBuilding(kProductionCategory, c.type));
        layout = find_layout(c);
        if (layout.has_value()) break;
        Heading(kHeadingNoTool);
    }
    ASSERT_TRUE(layout.has_value());
    const Chain chain = layout->chain;
    const int64_t before_factory = gs.cash[0];
    ClickField(layout->factory_x, layout->factory_y);
    const MapField* head = FieldAt(layout->factory_x, layout->factory_y);
    ASSERT_TRUE(head->building_flag());
    auto* factory = dynamic_cast<CFactory*>(g_ppBuildings->At(head->geb_num()));
    ASSERT_NE(factory, nullptr);
    EXPECT_EQ(std::tuple(factory->type, factory->owner), std::tuple(chain.type, 0));
    EXPECT_EQ(before_factory - gs.cash[0], gs.building_types[chain.type].build_price);

    // 2. No tool, a click on the factory, its product, OK.
    Heading(kHeadingNoTool);
    ClickField(factory->anchor_x, factory->anchor_y);
    auto* production = dynamic_cast<FS_PRODUKTION*>(f.h.frame->Screen(FrameScreen::Production));
    ASSERT_NE(production, nullptr);
    ClickPage(*production, economy_screens::kProductionNameArea.left + 30,
              economy_screens::kProductionNameArea.top + 5);
    ASSERT_TRUE(production->m_productPopup->IsWindowVisible());
    PickInPopup(*production->m_productPopup, chain.product);
    EXPECT_EQ(production->m_product, chain.product);
    Press(*production, kCmdOk);
    ASSERT_EQ(factory->GetProduct(), chain.product);
    EXPECT_GT(factory->AcceptsProduct(chain.raw), 0);

    // 3. The building heading, "new buildings", "Terminals", the truck depot,
    // Buy; its entrance turned east, a click on the west end of the row; turned
    // west, a click on the east end.
    const int32_t wx = layout->west_x;
    const int32_t ex = wx + kLength;
    const int32_t y = layout->y;
    ASSERT_NO_FATAL_FAILURE(BuyBuilding(kTerminalsCategory, kTypeTruckDepot));
    LookAt((wx + ex) / 2, y);
    for (const auto& [x, key, type] : {std::tuple(wx, VK_RIGHT, kTypeTruckDepot + 1),
                                       std::tuple(ex, VK_LEFT, kTypeTruckDepot + 3)}) {
        f.Key(key);
        ASSERT_EQ(gs.selected_building_type + gs.build_orientation, type);
        const int64_t before = gs.cash[0];
        ClickField(x, y);
        const MapField* depot = FieldAt(x, y);
        ASSERT_TRUE(depot->building_flag()) << x << "," << y;
        EXPECT_EQ(std::tuple(g_ppBuildings->At(depot->geb_num())->type,
                             g_ppBuildings->At(depot->geb_num())->owner),
                  std::tuple(type, 0));
        EXPECT_EQ(before - gs.cash[0], gs.building_types[type].build_price);
    }

    // The ways heading, "Street", a drag from one depot to the other: the road
    // runs between their entrances.
    Heading(kWaysHeading);
    PanelRow("Street");
    ASSERT_EQ(g_pSpielFeld->tool, kToolRoad);
    const int64_t before_road = gs.cash[0];
    Drag(wx, y, ex, y);
    for (int32_t x = wx + 1; x < ex; ++x) EXPECT_NE(FieldAt(x, y)->wegtyp(), 0) << x;
    EXPECT_GT(before_road, gs.cash[0]);
    Heading(kHeadingNoTool);

    const int32_t site_x = layout->site_west ? wx : ex;
    const int32_t factory_x = layout->site_west ? ex : wx;

    // 4. A click on the site's depot, the first truck, Buy; on its schedule
    // the two depots picked on the map, the raw material loaded at the first.
    ClickField(site_x, y);
    auto* truck_buy =
        dynamic_cast<FS_FAHRZEUG_KAUF_LKW*>(f.h.frame->Screen(FrameScreen::TruckPurchase));
    ASSERT_NE(truck_buy, nullptr);
    ClickPage(*truck_buy, vehicle_screens::kTruckModelList.left + 30,
              vehicle_screens::kTruckModelList.top + 5);
    Press(*truck_buy, kCmdVehicleBuy);
    CVehicle* truck = nullptr;
    for (VehicleListNode* n = g_pVehicleList; n != nullptr; n = n->next) {
        if (n->vehicle->owner == 0 && n->vehicle->vehicle_class == kVehicleTruck)
            truck = n->vehicle;
    }
    ASSERT_NE(truck, nullptr);
    auto* s = dynamic_cast<FS_FAHRPLAN_NEU*>(f.h.frame->Screen(FrameScreen::Schedule));
    ASSERT_NE(s, nullptr);
    ClickMapField(*s, site_x, y);
    ClickPage(*s, vehicle_screens::kStopRowLeft + 20,
              vehicle_screens::kStopRowTop + vehicle_screens::kStopRowStep + 5);
    ClickMapField(*s, factory_x, y);
    ClickPage(*s, vehicle_screens::kGoodsCellLeft + 5, vehicle_screens::kGoodsCellTop + 5);
    ASSERT_TRUE(s->popup->IsWindowVisible());
    PickInPopup(*s->popup, chain.raw);
    EXPECT_EQ(s->stop_goods[0][0], chain.raw);
    Press(*s, kCmdScheduleOk);
    ASSERT_EQ(f.h.frame->Screen(FrameScreen::Schedule), nullptr);
    ASSERT_EQ(std::tuple(truck->stop_count, int(truck->schedule[0].x[0]),
                         int(truck->schedule[1].x[0]), truck->running_flag),
              std::tuple(2, site_x, factory_x, 1));

    // 5. Game months until the raw material has reached the factory (in its
    // stock, or already made into its product).
    const int64_t cash = gs.cash[0];
    const auto arrived = [&] {
        for (int32_t i = 0; i < factory->slot_count(); ++i) {
            const GoodsSlot& slot = factory->slot(i);
            if ((slot.product == chain.raw || slot.product == chain.product) &&
                slot.numerator > 0) {
                return true;
            }
        }
        return false;
    };
    for (int32_t month = 0; month < 24 && !arrived(); ++month) RunTicks(4);
    EXPECT_TRUE(arrived()) << int(truck->pos_x) << "," << int(truck->pos_y);
    EXPECT_NE(gs.cash[0], cash);

    // 6. Saved and loaded through the screens: a second save is the same.
    // The camera looks away first: a vehicle's box on the screen is saved,
    // and a loaded one has none until it is drawn again.
    LookAt(y < 128 ? 240 : 16, site_x < 128 ? 240 : 16);
    RunTicks(1);
    ASSERT_EQ(truck->screen_box[0], -1);
    fvtest::EvaluateCitiesForSave();
    SaveInto(0, "A chain of our own");
    const int64_t saved_cash = gs.cash[0];
    RunTicks(4);
    ASSERT_NO_FATAL_FAILURE(LoadSlot0("A chain of our own"));
    EXPECT_EQ(gs.cash[0], saved_cash);
    ExpectTheSameSave("Again");
}

TEST_F(PlayThrough, ThreePickedRivalsBuildWithinTwoGameYears) {
    // The same game, faster on the fake clock.
    struct ShortTicks {
        uint32_t previous = std::exchange(g_TickLength, 150u);
        ~ShortTicks() { g_TickLength = previous; }
    } short_ticks;
    StartFreeGame({4, 2, 0});
    int32_t owned = 0;
    for (int32_t month = 0; month < 24 && owned == 0; ++month) {
        RunTicks(4);
        for (int32_t n = 1; n < kBuildingSlots; ++n) {
            const CBuilding* b = g_ppBuildings->At(n);
            if (b != nullptr && b->owner >= 1 && b->owner <= 3) ++owned;
        }
    }
    EXPECT_GT(owned, 0);
}

TEST_F(PlayThrough, EveryStandinLevelReadsBack) {
    ASSERT_TRUE(f.h.frame->StartWorldView(kModeGame));
    int32_t levels = 0;
    for (const char* folder : {"karriere", "mission", "scenario"}) {
        for (const auto& entry : std::filesystem::directory_iterator(f.folder + "/" + folder)) {
            if (entry.path().extension() != ".lvl") continue;
            const std::string path =
                f.folder + "\\" + folder + "\\" + entry.path().filename().string();
            EXPECT_EQ(LoadLevel(path), LevelLoadResult::Loaded) << path;
            EXPECT_EQ(LoadSavedGame(path), LevelLoadResult::Loaded) << path;
            ++levels;
        }
    }
    EXPECT_EQ(levels, 16);
    EXPECT_TRUE(f.h.host.MessageBoxes().empty());
}

}  // namespace
