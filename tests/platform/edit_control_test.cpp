// The single-line text field: typed characters through the focus, the byte
// limit, select-all replacement, Backspace, the cut copy of GetText, Enter and
// Escape handed to the parent, and the change notification.

#include "platform/edit_control.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless/headless_backend.h"
#include "platform/input.h"
#include "test_window.h"

using plat::EditControl;
using plat::HeadlessBackend;
using plat_test::TestWindow;

namespace {

constexpr uint32_t kFieldId = 1006;

// Refuses digits, to show that the subclass's rule decides.
class NoDigits : public EditControl {
  public:
    std::vector<std::string> offered;

  protected:
    bool AcceptChar(uint8_t c, std::string_view candidate) const override {
        const_cast<NoDigits*>(this)->offered.emplace_back(candidate);
        return c < '0' || c > '9';
    }
};

struct EditControlField : ::testing::Test {
    HeadlessBackend host{{640, 480}};
    TestWindow parent;
    NoDigits* edit = new NoDigits;

    void SetUp() override {
        ASSERT_TRUE(parent.Create(nullptr, {0, 0, 300, 200}, WS_POPUP | WS_VISIBLE));
        ASSERT_TRUE(
            edit->Create(&parent, {17, 85, 224, 106}, WS_CHILD | WS_VISIBLE, 0, {}, kFieldId));
        plat::SetFocus(edit);
        host.RunUntilIdle();
        parent.log.clear();
    }
    void TearDown() override {
        delete edit;
        parent.DestroyWindow();
    }
    void Type(std::string_view bytes) {
        for (char c : bytes) host.InjectChar(static_cast<uint8_t>(c));
        host.RunUntilIdle();
    }
    size_t Changes() const {
        size_t n = 0;
        for (const auto& l : parent.log) {
            if (l.message == WM_COMMAND && l.wParam == plat::MakeWParam(kFieldId, EN_CHANGE) &&
                l.lParam == reinterpret_cast<plat::LParam>(edit))
                ++n;
        }
        return n;
    }
};

TEST_F(EditControlField, TypedBytesAreAppendedUpToTheLimit) {
    edit->SetLimit(5);
    Type("ab\xE9 cdef");
    EXPECT_EQ(edit->GetText(), "ab\xE9 c");
    EXPECT_EQ(Changes(), 5u);  // the refused bytes changed nothing
    // Control bytes and 127 are ignored; digits are refused by the subclass,
    // which saw the text they would have given.
    edit->SetLimit(30);
    edit->offered.clear();
    Type(std::string("\x01\x7F\t7x", 5));
    EXPECT_EQ(edit->GetText(), "ab\xE9 cx");
    EXPECT_EQ(edit->offered, (std::vector<std::string>{"ab\xE9 c7", "ab\xE9 cx"}));
    // A shorter limit cuts the text at once.
    edit->SetLimit(2);
    EXPECT_EQ(edit->GetText(), "ab");
}

TEST_F(EditControlField, SelectAllThenTypingReplacesTheText) {
    edit->SetLimit(30);
    edit->SetText("Old Town Station");
    edit->SelectAll();
    Type("9");  // refused: the selection stays
    EXPECT_EQ(edit->GetText(), "Old Town Station");
    EXPECT_TRUE(edit->HasSelection());
    Type("Ne");
    EXPECT_EQ(edit->GetText(), "Ne");
    EXPECT_FALSE(edit->HasSelection());
    // A full field with everything selected still takes the replacing byte.
    edit->SetLimit(2);
    edit->SelectAll();
    Type("Q");
    EXPECT_EQ(edit->GetText(), "Q");
}

TEST_F(EditControlField, BackspaceRemovesTheSelectionOrTheLastByte) {
    edit->SetText("Mill");
    Type("\b");
    EXPECT_EQ(edit->GetText(), "Mil");
    edit->SelectAll();
    Type("\b");
    EXPECT_EQ(edit->GetText(), "");
    Type("\b");  // nothing left: no change
    EXPECT_EQ(Changes(), 2u);
    // The Backspace key itself types byte 8.
    edit->SetText("ab");
    host.InjectKeyPress(VK_BACK);
    host.RunUntilIdle();
    EXPECT_EQ(edit->GetText(), "a");
}

TEST_F(EditControlField, GetTextCopiesAtMostSizeMinusOneBytes) {
    edit->SetText("Harbour");
    char buffer[8] = {'x', 'x', 'x', 'x', 'x', 'x', 'x', 'x'};
    EXPECT_EQ(edit->GetText(buffer, 5), 4u);
    EXPECT_STREQ(buffer, "Harb");
    EXPECT_EQ(buffer[5], 'x');
    EXPECT_EQ(edit->GetText(buffer, 8), 7u);
    EXPECT_STREQ(buffer, "Harbour");
    EXPECT_EQ(edit->GetText(buffer, 1), 0u);
    EXPECT_STREQ(buffer, "");
    buffer[0] = 'y';
    EXPECT_EQ(edit->GetText(buffer, 0), 0u);
    EXPECT_EQ(buffer[0], 'y');
}

TEST_F(EditControlField, EnterAndEscapeGoOnToTheParent) {
    edit->SetText("Depot");
    host.InjectKeyPress(VK_RETURN);
    Type("\x1B");
    EXPECT_EQ(parent.WParams(WM_CHAR), (std::vector<plat::WParam>{13, 27}));
    EXPECT_EQ(edit->GetText(), "Depot");
    EXPECT_EQ(Changes(), 0u);
}

TEST_F(EditControlField, AChangeInvalidatesTheFieldAndFocusDecidesWhoTypes) {
    plat::Rect update;
    ASSERT_FALSE(edit->GetUpdateRect(&update));
    edit->SendMessage(WM_CHAR, '1');  // refused: nothing to repaint
    EXPECT_FALSE(edit->GetUpdateRect(&update));
    edit->SendMessage(WM_CHAR, 'a');
    EXPECT_TRUE(edit->GetUpdateRect(&update));
    EXPECT_EQ(update, edit->GetClientRect());
    // Without the focus the field gets no characters.
    plat::SetFocus(&parent);
    Type("b");
    EXPECT_EQ(edit->GetText(), "a");
    EXPECT_EQ(parent.WParams(WM_CHAR), (std::vector<plat::WParam>{'b'}));
}

}  // namespace
