#pragma once
// A single-line text field: a focusable child window holding Windows-1252
// text, fed by WM_CHAR while it has the focus.
//
//   class NameField : public plat::EditControl {
//     protected:
//       bool AcceptChar(uint8_t c, std::string_view candidate) const override;
//       plat::LResult OnMessage(uint32_t m, plat::WParam w, plat::LParam l) override {
//           if (m == WM_PAINT) { ...paint GetText()...; return 0; }
//           return EditControl::OnMessage(m, w, l);
//       }
//   };
//   field->Create(screen, {17, 85, 224, 106}, WS_CHILD | WS_VISIBLE, 0, {}, 1006);
//   field->SetLimit(30);
//   field->SetText(name);
//   field->SelectAll();
//   plat::SetFocus(field);
//
// Characters: 8 (Backspace) removes the selection, else the last byte; 13 and
// 27 are sent on to the parent as WM_CHAR; bytes 32..255 except 127 are
// appended when AcceptChar agrees (a selection is replaced by the first
// accepted one); everything else is ignored. After every change the control
// invalidates itself and sends its parent
// WM_COMMAND(MakeWParam(id, EN_CHANGE), this).
//
// It draws nothing itself (the platform has no game font): a subclass paints.
// There is no caret movement, clipboard or mouse selection.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/window.h"

namespace plat {

class EditControl : public Window {
  public:
    // At most `limit` bytes from now on (longer text is cut to it).
    void SetLimit(size_t limit);
    size_t GetLimit() const { return limit_; }
    // Replaces the text (cut to the limit) and drops the selection. Sends no
    // EN_CHANGE: the caller knows what it set.
    void SetText(std::string_view text);
    const std::string& GetText() const { return text_; }
    // Copies at most size - 1 bytes and a terminator; returns the bytes
    // copied. Nothing is written when size is 0.
    size_t GetText(char* buffer, size_t size) const;
    // Selects the whole text: the next accepted character replaces it and
    // Backspace clears it.
    void SelectAll() { selected_ = !text_.empty(); }
    bool HasSelection() const { return selected_; }

  protected:
    // Whether `c` may be added; `candidate` is the text it would give.
    virtual bool AcceptChar(uint8_t c, std::string_view candidate) const;
    LResult OnMessage(uint32_t message, WParam wParam, LParam lParam) override;

  private:
    void OnChar(uint8_t c, LParam lParam);
    void Changed();

    std::string text_;
    size_t limit_ = 0x7FFE;
    bool selected_ = false;
};

}  // namespace plat
