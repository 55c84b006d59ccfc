// The popup selection list: groups and ids, its half-open hit rectangles, the
// close box, the right button and the schedule screen, the cursor clip.

#include <gtest/gtest.h>

#include <tuple>

#include "platform/input.h"
#include "screens/economy/economy_screen_host.h"
#include "screens/panel/popup_list.h"

namespace {

// A window that notes the popup's choices.
struct Parent : plat::Window {
    int chosen = 0;
    plat::LResult OnMessage(uint32_t m, plat::WParam w, plat::LParam l) override {
        if (m == kMsgPopupChosen) ++chosen;
        return DefaultMessage(m, w, l);
    }
};

class PopupList : public econscreens::ScreenHost {
  protected:
    PopupList() {
        parent.Create(nullptr, {0, 0, 640, 480}, WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST);
        popup.Create(&parent, 2, {});
        popup.AddItem(0, "Toys");
        popup.AddItem(1, "Sports equip.");
        for (int32_t id : {8, 9, 10, 11}) popup.AddToGroup(0, id);
        popup.AddToGroup(1, 17);
        popup.ShowCentred();
        h.Run();
    }
    ~PopupList() override { g_pScheduleScreen = nullptr; }
    // A click at a point of the popup; the number of choices posted.
    int At(int32_t x, int32_t y, plat::MouseButton button = plat::MouseButton::Left) {
        const int before = parent.chosen;
        h.host.AdvanceClock(1000);
        h.host.InjectClick(popup.ClientToScreen(plat::Point{x, y}), button);
        h.Run();
        return parent.chosen - before;
    }
    Parent parent;
    FS_POPUP_LIST popup;
};

TEST_F(PopupList, ItemsGroupsAndTheHalfOpenEdges) {
    // Cells: (108, 42) holds 8, (172, 42) 9, (236, 42) 10, (108, 132) 11.
    EXPECT_EQ(At(200, 250), 0);  // an empty cell posts nothing
    EXPECT_EQ(popup.choice, kPopupNoChoice);
    EXPECT_EQ(std::pair(At(299, 100), popup.choice), std::pair(1, 10));  // last column
    popup.ShowCentred();  // shown again: the choice is reset
    EXPECT_EQ(popup.choice, kPopupNoChoice);
    EXPECT_EQ(At(300, 100), 0);                                          // right edge
    EXPECT_EQ(std::pair(At(110, 311), popup.choice), std::pair(0, -2));  // row 2 is empty
    EXPECT_EQ(At(110, 312), 0);                                          // bottom edge
    EXPECT_EQ(std::pair(At(110, 180), popup.choice), std::pair(1, 11));
    // The group column: a click below the last group changes nothing.
    EXPECT_EQ(At(20, 133 + 17 * 2 + 3), 0);
    EXPECT_EQ(popup.selected_group, 0);
    EXPECT_EQ(At(20, 133 + 17 + 3), 0);
    EXPECT_EQ(popup.selected_group, 1);
    EXPECT_EQ(std::pair(At(120, 50), popup.choice), std::pair(1, 17));
    // The close box chooses -1 while closable; not at all otherwise.
    EXPECT_EQ(std::pair(At(40, 50), popup.choice), std::pair(1, -1));
    popup.closable = 0;
    popup.choice = kPopupNoChoice;
    EXPECT_EQ(std::pair(At(40, 50), popup.choice), std::pair(0, -2));
}

TEST_F(PopupList, RightButtonOnlyForTheScheduleScreenAndLimits) {
    EXPECT_EQ(At(120, 50, plat::MouseButton::Right), 0);
    PopupChooser schedule;
    g_pScheduleScreen = &schedule;
    EXPECT_EQ(
        std::tuple(At(120, 50, plat::MouseButton::Right), popup.choice, schedule.chosen_button),
        std::tuple(1, 8, 1));
    EXPECT_EQ(std::tuple(At(180, 50), popup.choice, schedule.chosen_button), std::tuple(1, 9, 0));
    // SelectById picks the last group holding the id.
    popup.AddToGroup(1, 9);
    popup.SelectById(9);
    EXPECT_EQ(popup.selected_group, 1);
    // An eighth group and a tenth id are refused.
    for (int32_t g = 2; g < kPopupMaxGroups; ++g) EXPECT_TRUE(popup.AddItem(g, "x"));
    EXPECT_FALSE(popup.AddItem(7, "eighth"));
    for (int32_t id : {12, 13, 14, 15, 16}) EXPECT_TRUE(popup.AddToGroup(0, id));
    EXPECT_FALSE(popup.AddToGroup(0, 40));
    EXPECT_FALSE(popup.AddToGroup(9, 40));
    // Reset forgets the groups; no id goes into a group without a name.
    popup.Reset();
    EXPECT_EQ(std::pair(popup.group_count, popup.AddToGroup(0, 8)), std::pair(0, false));
}

TEST_F(PopupList, ThePaintClipsTheCursorUnlessPictureOne) {
    plat::Rect clip{};
    EXPECT_TRUE(plat::GetClipCursor(&clip));
    EXPECT_EQ(clip, popup.GetWindowRect());
    At(120, 50);  // a choice frees the cursor
    EXPECT_FALSE(plat::GetClipCursor(&clip));
    FS_POPUP_LIST free;
    free.Create(&parent, 1, {});
    free.ShowCentred();
    h.Run();
    EXPECT_FALSE(plat::GetClipCursor(&clip));
}

}  // namespace
