// The structure information window: the picture of each raw-material site,
// the steel mill's six figures, figures redrawn on a clean strip, Enter as
// the close button, and nothing for a field without a site.

#include "screens/panel/structure_info_screen.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "economy/building_table.h"
#include "economy/chemical_plant.h"
#include "economy/lumber_mill.h"
#include "economy/mine.h"
#include "economy/steel_mill.h"
#include "screens/panel/dialog_layout.h"
#include "state/messages.h"
#include "support/dialog_game.h"
#include "support/fnv_hash.h"

namespace {

namespace dl = dialog_layout;

class StructureInfo : public fvtest::DialogGame {
  protected:
    // Puts the site into building slot `number` at (x, y) and selects its field.
    template <typename Site>
    Site& Put(int32_t number, int32_t type, std::unique_ptr<Site> site) {
        Site& s = *site;
        site->type = type;
        delete g_ppBuildings->buildings[number];
        g_ppBuildings->buildings[number] = site.release();
        MapField& f = gs.fields[FieldIndex(s.anchor_x, s.anchor_y)];
        f.set_geb_num(number);
        f.set_building_flag(true);
        View().cursor_x = s.anchor_x;
        View().cursor_y = s.anchor_y;
        return s;
    }
    StructureInfoScreen* Shown() {
        return dynamic_cast<StructureInfoScreen*>(Open(PanelPopup::StructureInfo));
    }
    StructureInfoScreen* Request() {
        Panel().SendMessage(kMsgPanelOpenStructureInfo);
        h.Run();
        return Shown();
    }
    // The pixels of a figure's place on the window.
    uint64_t Place(plat::Window* w, const dl::FigurePlace& p, int32_t dy = 0) {
        return fvtest::PictureHash(p.width, dl::kFigureHeight, [&](int32_t y) {
            return w->GetSurface().Row(p.y + dy + y) + p.x;
        });
    }
};

TEST_F(StructureInfo, EachSiteShowsItsPicture) {
    struct Case {
        CBuilding* site;
        int32_t type;
        int32_t picture;
    };
    const Case cases[] = {{new CMine(10, 10, 5), 10, 1},       {new CMine(10, 10, 6), 10, 2},
                          {new CMine(10, 10, 7), 10, 3},       {new CLumberMill(10, 10), 11, 4},
                          {new CChemicalPlant(10, 10), 12, 5}, {new CSteelMill(10, 10), 13, 6},
                          {new CMine(10, 10, 5), 14, 0},       {new CMine(10, 10, 5), 9, 0}};
    for (const Case& c : cases) {
        std::unique_ptr<CBuilding> site(c.site);
        site->type = c.type;
        EXPECT_EQ(StructureInfoScreen::PictureOf(site.get()), c.picture) << c.type;
    }
    EXPECT_EQ(StructureInfoScreen::PictureOf(nullptr), 0);
}

TEST_F(StructureInfo, TheSteelMillShowsSixFiguresAndItsButtonLow) {
    CSteelMill& mill = Put(3, 13, std::make_unique<CSteelMill>(30, 30));
    StructureInfoScreen* screen = Request();
    ASSERT_NE(screen, nullptr);
    fvtest::MaybeSaveScreen("structure_info_steel");
    EXPECT_EQ(std::tuple(screen->picture, screen->height, Panel().structure_info),
              std::tuple(6, dl::kInfoSteelHeight, static_cast<FS_STRUCTURE_INFO*>(screen)));
    ASSERT_EQ(screen->buttons.size(), 1u);
    EXPECT_EQ(screen->buttons[0]->GetWindowRect().top - screen->GetWindowRect().top - 1,
              dl::kInfoSteelClose.y);
    // Each of the six places shows a figure over the picture's strip.
    for (int32_t block = 0; block < 3; ++block) {
        const int32_t dy = block * dl::kSteelBlockStep;
        const uint64_t output = Place(screen, dl::kOutputPlace, dy);
        const uint64_t stock = Place(screen, dl::kStockPlace, dy);
        mill.capacity[block] = 987;
        mill.stock[block].numerator = 654;
        mill.stock[block].denominator = 1;
        screen->DrawFigures();
        EXPECT_NE(Place(screen, dl::kOutputPlace, dy), output) << block;
        EXPECT_NE(Place(screen, dl::kStockPlace, dy), stock) << block;
    }
}

TEST_F(StructureInfo, AShrinkingFigureLeavesNoStaleDigitsAndEnterCloses) {
    CMine& mine = Put(2, 10, std::make_unique<CMine>(40, 40, 6));
    mine.stock.numerator = 7;
    StructureInfoScreen* screen = Request();
    ASSERT_NE(screen, nullptr);
    const uint64_t seven = Place(screen, dl::kStockPlace);
    mine.stock.numerator = 123;
    Panel().RedrawStructureInfo();  // as the site asks when its stock changes
    EXPECT_NE(Place(screen, dl::kStockPlace), seven);
    mine.stock.numerator = 7;
    Panel().RedrawStructureInfo();
    EXPECT_EQ(Place(screen, dl::kStockPlace), seven);
    Key(VK_RETURN, 13);
    EXPECT_EQ(Shown(), nullptr);
    EXPECT_EQ(std::tuple(Panel().structure_info, gs.screen_open), std::tuple(nullptr, 0));
    plat::Rect clip;
    EXPECT_FALSE(plat::GetClipCursor(&clip));
}

TEST_F(StructureInfo, OnlyTheLumberMillShowsTheForestsYield) {
    for (const bool lumber : {true, false}) {
        if (lumber) {
            Put(6, 11, std::make_unique<CLumberMill>(50, 50));
        } else {
            Put(6, 12, std::make_unique<CChemicalPlant>(50, 50));
        }
        StructureInfoScreen* screen = Request();
        ASSERT_NE(screen, nullptr);
        EXPECT_EQ(screen->picture, lumber ? 4 : 5);
        // The forest's place shows the picture alone unless a figure is written there.
        const dl::FigurePlace& p = dl::kForestPlace;
        const uint64_t picture = fvtest::PictureHash(p.width, dl::kFigureHeight, [&](int32_t y) {
            return screen->background.pixels + (p.y + y) * screen->background.Stride() + p.x;
        });
        EXPECT_EQ(Place(screen, p) != picture, lumber);
        Key(VK_RETURN, 13);
        EXPECT_EQ(Shown(), nullptr);
    }
}

TEST_F(StructureInfo, AFieldWithoutASiteOpensNothing) {
    View().cursor_x = View().cursor_y = 50;  // building 0
    EXPECT_EQ(Request(), nullptr);
    auto depot = std::make_unique<CMine>(60, 60, 5);
    Put(4, 2, std::move(depot));  // a building of another type
    EXPECT_EQ(Request(), nullptr);
    EXPECT_EQ(std::tuple(gs.screen_open, gs.sim_halted), std::tuple(0, 0));
}

}  // namespace
