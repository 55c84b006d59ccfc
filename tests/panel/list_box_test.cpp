// The list widget as screens use it: clicks select and notify, refills start
// clean, and the selection bar is drawn from the screen's picture.

#include <gtest/gtest.h>

#include <string>

#include "gfx/palette_image.h"
#include "panel/list_box.h"
#include "platform/headless/headless_backend.h"
#include "platform/temp_folder.h"
#include "support/frame_host.h"
#include "support/game_scope.h"

namespace {

constexpr uint32_t kNotify = 0x0400 + 700;

struct Parent : plat::Window {
    int notified = 0;
    plat::LResult OnMessage(uint32_t message, plat::WParam w, plat::LParam l) override {
        notified += message == kNotify ? 1 : 0;
        return DefaultMessage(message, w, l);
    }
};

class ListBoxTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fvtest::WriteStartPictures(folder_.Path());
        ASSERT_TRUE(
            game_.state().images.main_font.Load(folder_.Path() + "\\font_1.jgd", nullptr, 1));
        ASSERT_TRUE(picture_.Load(folder_.Path() + "\\scr_0.jgd", nullptr, 1));
        ASSERT_TRUE(parent_.Create(nullptr, {0, 0, 640, 480}, WS_POPUP | WS_VISIBLE));
    }
    void TearDown() override { delete list_; }

    LISTBOX& Make(uint32_t style = 0) {
        delete list_;
        list_ = new LISTBOX;
        EXPECT_TRUE(list_->CreateList({.style = style,
                                       .rect = {100, 100, 400, 270},
                                       .parent = &parent_,
                                       .background = picture_.dc.get(),
                                       .image = &picture_,
                                       .source_x = 100,
                                       .source_y = 100,
                                       .notify = kNotify}));
        for (int i = 0; i < 9; ++i) list_->AddLine(("Line " + std::to_string(i)).c_str());
        return *list_;
    }
    void ClickLine(int line) {
        host_.InjectClick({110, 100 + line * 17 + 8});
        host_.RunUntilIdle();
    }
    std::string Selected() const {
        std::string s;
        for (int i = 0; i < 10; ++i) s += list_->IsLineSelected(i) ? '1' : '0';
        return s;
    }

    fvtest::GameScope game_;
    plat::HeadlessBackend host_{plat::Size{640, 480}};
    fvtest::TempFolder folder_;
    PaletteImage picture_;
    Parent parent_;
    LISTBOX* list_ = nullptr;
};

TEST_F(ListBoxTest, ClicksSelectAndNotifyAsEachStyleSays) {
    struct Step {
        int line;
        const char* selected;
        int notified;
    };
    struct Case {
        uint32_t style;
        std::vector<Step> steps;
    } cases[] = {
        // Single select: 5, then 7 clears 5, 7 again keeps 7 and notifies
        // again; a click below the last line changes and sends nothing.
        {0,
         {{5, "0000010000", 1}, {7, "0000000100", 2}, {7, "0000000100", 3}, {9, "0000000100", 3}}},
        {kListMultiSelect, {{5, "0000010000", 1}, {7, "0000010100", 2}, {5, "0000000100", 3}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        parent_.notified = 0;
        Make(c.style);
        for (const Step& step : c.steps) {
            ClickLine(step.line);
            EXPECT_EQ(Selected(), step.selected) << step.line;
            EXPECT_EQ(parent_.notified, step.notified) << step.line;
        }
    }
}

TEST_F(ListBoxTest, RefillAndPreselectionTakeTheFirstClick) {
    LISTBOX& list = Make();
    list.SelectLine(0);
    ClickLine(0);
    EXPECT_EQ(Selected(), "1000000000");
    list.AddLineWithValue("icons", 40);
    list.SetLineColour(9, 3);
    list.Clear();
    for (int i = 0; i < 10; ++i) list.AddLine("again");
    EXPECT_EQ(Selected(), "0000000000");
    ClickLine(0);  // the old last clicked line is forgotten
    EXPECT_EQ(Selected(), "1000000000");
    EXPECT_EQ(list.GetLine(10), "");
    // Lines past the 1024th are not added; long texts keep 99 bytes.
    list.Clear();
    list.AddLine(std::string(150, 'x').c_str());
    for (int i = 1; i < kListMaxLines + 5; ++i) list.AddLine("y");
    EXPECT_EQ(std::pair(list.LineCount(), list.GetLine(0).size()), std::pair(kListMaxLines, 99ul));
}

TEST_F(ListBoxTest, DrawsTheBarOfTheSelectedLineOverTheBackground) {
    LISTBOX& list = Make();
    ClickLine(2);
    list.Redraw(true);
    const WinGBitmap& b = list.Bitmap();
    const int x = b.width - 1;  // right of every text
    for (int row = 0; row < 10; ++row) {
        const uint8_t drawn = b.pixels[row * 17 * b.Stride() + x];
        const uint8_t bar = picture_.pixels[88 * picture_.Stride() + x];
        const uint8_t back = picture_.pixels[(100 + row * 17) * picture_.Stride() + 100 + x];
        EXPECT_EQ(drawn, row == 2 ? bar : back) << row;
    }
}

}  // namespace
