// The city-growth choice and the options screen, clicked as a player would:
// the start year follows the marked option; options change only on OK, each
// through its own command, and only when it differs from the game state.

#include <gtest/gtest.h>

#include <array>

#include "screens/panel/city_growth_screen.h"
#include "screens/panel/dialog_layout.h"
#include "screens/panel/options_screen.h"
#include "state/messages.h"
#include "state/world_images.h"
#include "support/dialog_game.h"

namespace {

namespace dl = dialog_layout;

class ChoiceScreens : public fvtest::DialogGame {
  protected:
    OptionsScreen* Options() {
        Panel().SendMessage(kMsgPanelOpenOptions);
        h.Run();
        return dynamic_cast<OptionsScreen*>(Open(PanelPopup::Options));
    }
    void Row(plat::Window* s, int32_t row) {
        h.Advance(600);  // no double clicks
        ClickAt(s, {120, dl::kOptionRowTop + row * dl::kOptionRowHeight + 5});
    }
    void Button(plat::Window* s, plat::Point p) { ClickAt(s, {p.x + 20, p.y + 20}); }
    // The 16 x 16 pixels at a mark's place on the screen.
    std::vector<uint8_t> MarkPixels(PanelScreen* s, plat::Point p) {
        std::vector<uint8_t> out;
        for (int32_t y = 0; y < dl::kMarkSize; ++y) {
            const uint8_t* row = s->GetSurface().Row(p.y + y) + p.x;
            out.insert(out.end(), row, row + dl::kMarkSize);
        }
        return out;
    }
    std::vector<uint8_t> PicturePixels(PanelScreen* s, plat::Point p) {
        std::vector<uint8_t> out;
        for (int32_t y = 0; y < dl::kMarkSize; ++y) {
            const uint8_t* row = s->background.pixels + (p.y + y) * s->background.Stride() + p.x;
            out.insert(out.end(), row, row + dl::kMarkSize);
        }
        return out;
    }
};

TEST_F(ChoiceScreens, TheMarkedOptionGivesTheStartYear) {
    for (const int32_t k : {-1, 8, 4}) {  // -1: no click
        gs.sim_halted = 1;
        Panel().SendMessage(kMsgPanelOpenCityGrowth);
        h.Run();
        auto* screen = dynamic_cast<CityGrowthChoiceScreen*>(Open(PanelPopup::CityGrowth));
        ASSERT_NE(screen, nullptr);
        if (k >= 0) {
            h.Advance(600);
            ClickAt(screen, {dl::kGrowthColumns[k / 3] + 30, dl::kGrowthRows[k % 3] + 8});
        }
        EXPECT_EQ(screen->choice, k < 0 ? 0 : k);
        if (k == 8) fvtest::MaybeSaveScreen("city_growth");
        Key(VK_RETURN, 13);
        EXPECT_EQ(Open(PanelPopup::CityGrowth), nullptr);
        EXPECT_EQ(gs.year, k < 0 ? 1960 : 1960 + 10 * k);
        delete std::exchange(Panel().city_growth_screen, nullptr);
    }
}

TEST_F(ChoiceScreens, MusicToggledTwiceSendsNothingAndOnceSwitchesItOff) {
    gs.opt_music = 1;
    for (const int32_t clicks : {2, 1}) {
        OptionsScreen* screen = Options();
        ASSERT_NE(screen, nullptr);
        for (int32_t i = 0; i < clicks; ++i) Row(screen, 0);
        const int pauses = h.sound->Count("PauseMusic");
        Button(screen, dl::kOptionsOk);
        EXPECT_EQ(Open(PanelPopup::Options), nullptr);
        EXPECT_EQ(h.sound->Count("PauseMusic") - pauses, clicks == 1 ? 1 : 0);
        EXPECT_EQ(gs.opt_music, clicks == 1 ? 0 : 1);
    }
}

// Each switch row toggled once switches its option, through its own panel
// command and no other.
TEST_F(ChoiceScreens, EachSwitchRowToggledOnceSwitchesItsOption) {
    struct Switch {
        int32_t row;
        int32_t* option;
        uint16_t command;
    };
    const Switch rows[] = {{1, &gs.opt_vehicle_sounds, kCmdVehicleSounds},
                           {2, &gs.opt_ambient_sounds, kCmdAmbientSounds},
                           {3, &gs.opt_city_traffic, kCmdCityTraffic},
                           {6, &gs.opt_autosave, kCmdAutosave}};
    for (const Switch& r : rows) {
        for (const int32_t before : {0, 1}) {
            *r.option = before;
            OptionsScreen* screen = Options();
            ASSERT_NE(screen, nullptr);
            Row(screen, r.row);
            h.host.Recorder().Clear();
            Button(screen, dl::kOptionsOk);
            EXPECT_EQ(Open(PanelPopup::Options), nullptr);
            std::vector<uint16_t> commands;
            for (const plat::MessageTrace& m :
                 h.host.Recorder().Filter(plat::MessageTrace::Kind::Sent, &Panel(), WM_COMMAND))
                commands.push_back(plat::LoWord(m.wParam));
            EXPECT_EQ(std::pair(*r.option, commands),
                      std::pair(1 - before, std::vector<uint16_t>{r.command}))
                << r.row;
        }
    }
}

TEST_F(ChoiceScreens, ScrollSpeedTwoThenFourKeepsOnlyFourMarked) {
    OptionsScreen* screen = Options();
    ASSERT_NE(screen, nullptr);
    Row(screen, 8);
    Row(screen, 9);
    fvtest::MaybeSaveScreen("options");
    EXPECT_EQ(screen->copy[kOptScrollSpeed], 4);
    EXPECT_EQ(MarkPixels(screen, dl::kOptionMarks[8]), PicturePixels(screen, dl::kOptionMarks[8]));
    EXPECT_NE(MarkPixels(screen, dl::kOptionMarks[9]), PicturePixels(screen, dl::kOptionMarks[9]));
    Key(VK_RETURN, 13);
    EXPECT_EQ(gs.opt_scroll_speed, 4);
}

TEST_F(ChoiceScreens, CancelWritesNothingAndSeasonsReloadOnce) {
    static int reloads = 0;
    reloads = 0;
    void (*previous)() = GetWorldImageHooks().load_tree_images;
    GetWorldImageHooks().load_tree_images = [] { ++reloads; };
    auto options = [this] {
        return std::tuple(gs.opt_music, gs.opt_vehicle_sounds, gs.opt_ambient_sounds,
                          gs.opt_city_traffic, gs.opt_animations, gs.opt_seasons, gs.opt_autosave,
                          gs.opt_scroll_speed);
    };
    const auto before = options();
    const int32_t seasons = gs.opt_seasons;
    OptionsScreen* screen = Options();
    for (int32_t row = 0; row < dl::kOptionRows; ++row) Row(screen, row);
    Button(screen, dl::kOptionsCancel);
    EXPECT_EQ(Open(PanelPopup::Options), nullptr);
    EXPECT_EQ(options(), before);
    EXPECT_EQ(reloads, 0);
    screen = Options();
    Row(screen, 5);
    Key(VK_RETURN, 13);
    EXPECT_EQ(std::tuple(gs.opt_seasons, reloads), std::tuple(seasons != 0 ? 0 : 1, 1));
    GetWorldImageHooks().load_tree_images = previous;
}

}  // namespace
