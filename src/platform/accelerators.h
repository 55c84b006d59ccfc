#pragma once
// Keyboard accelerator tables: key plus modifiers -> command id.
//
// A table is a value made once and dropped as a whole (the main frame keeps
// one while keys are active and none while a screen is open). Translation
// happens in PreTranslateMessage, before the key reaches any window:
//
//   bool Frame::PreTranslateMessage(plat::Msg& msg) {
//       return keys_ && plat::TranslateAccelerator(this, keys_.get(), msg);
//   }
//
// An entry matches a WM_KEYDOWN or WM_SYSKEYDOWN (repeats too) of its virtual
// key when Shift, Ctrl and Alt are down exactly as its flags say; the target
// then gets WM_COMMAND with MakeWParam(command, 1) and the key produces no
// WM_CHAR.

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/window.h"

namespace plat {

inline constexpr uint8_t kAccelShift = 0x04;
inline constexpr uint8_t kAccelControl = 0x08;
inline constexpr uint8_t kAccelAlt = 0x10;

struct Accelerator {
    uint8_t modifiers = 0;  // kAccelShift | kAccelControl | kAccelAlt
    int32_t virtualKey = 0;
    uint16_t command = 0;
};

class AcceleratorTable {
  public:
    AcceleratorTable() = default;
    explicit AcceleratorTable(std::vector<Accelerator> entries) : entries_(std::move(entries)) {}

    // The command of the first entry for this key and modifier set.
    std::optional<uint16_t> Find(int32_t virtualKey, uint8_t modifiers) const;
    const std::vector<Accelerator>& Entries() const { return entries_; }

  private:
    std::vector<Accelerator> entries_;
};

// Sends the matching WM_COMMAND to `target` and answers true when the
// message is a key press found in the table; false otherwise (also for a null
// table or target).
bool TranslateAccelerator(Window* target, const AcceleratorTable* table, const Msg& msg);

}  // namespace plat
