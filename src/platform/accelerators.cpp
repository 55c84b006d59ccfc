// Accelerator lookup and translation of key presses into commands.

#include "platform/accelerators.h"

#include "platform/input.h"

namespace plat {

std::optional<uint16_t> AcceleratorTable::Find(int32_t virtualKey, uint8_t modifiers) const {
    const uint8_t wanted = modifiers & (kAccelShift | kAccelControl | kAccelAlt);
    for (const Accelerator& a : entries_) {
        if (a.virtualKey == virtualKey && a.modifiers == wanted) return a.command;
    }
    return std::nullopt;
}

bool TranslateAccelerator(Window* target, const AcceleratorTable* table, const Msg& msg) {
    if (table == nullptr || !IsWindow(target)) return false;
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    uint8_t modifiers = 0;
    if (IsKeyDown(VK_SHIFT)) modifiers |= kAccelShift;
    if (IsKeyDown(VK_CONTROL)) modifiers |= kAccelControl;
    if (IsKeyDown(VK_MENU)) modifiers |= kAccelAlt;
    const auto command = table->Find(static_cast<int32_t>(msg.wParam), modifiers);
    if (!command) return false;
    target->SendMessage(WM_COMMAND, MakeWParam(*command, 1), 0);
    return true;
}

}  // namespace plat
