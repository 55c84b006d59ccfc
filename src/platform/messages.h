#pragma once
// The message vocabulary of the window layer: message numbers, their
// parameter types and packing helpers, mouse-key flags, virtual-key numbers,
// window and class style bits, show commands, message-box flags and answers,
// and cursor ids.
//
// The numbers are the ones the game was written against (WM_USER = 0x400,
// VK_LEFT = 37, MB_RETRYCANCEL = 5, ...); they are plain constants in the
// global namespace so that game code reads "WM_USER + 0x2D" as it is
// specified. Nothing here depends on any host system.

#include <cstdint>

namespace plat {

using WParam = uintptr_t;
using LParam = intptr_t;
using LResult = intptr_t;
using CursorId = int32_t;

// Packs two 16-bit values into a parameter (low word first).
constexpr LParam MakeLParam(int32_t low, int32_t high) {
    return static_cast<LParam>((static_cast<uint32_t>(low) & 0xFFFFu) |
                               ((static_cast<uint32_t>(high) & 0xFFFFu) << 16));
}
constexpr WParam MakeWParam(int32_t low, int32_t high) {
    return static_cast<WParam>((static_cast<uint32_t>(low) & 0xFFFFu) |
                               ((static_cast<uint32_t>(high) & 0xFFFFu) << 16));
}
constexpr uint16_t LoWord(uintptr_t value) {
    return static_cast<uint16_t>(value & 0xFFFFu);
}
constexpr uint16_t HiWord(uintptr_t value) {
    return static_cast<uint16_t>((value >> 16) & 0xFFFFu);
}
// The signed x and y of a mouse message's lParam (negative under capture).
constexpr int32_t XFromLParam(LParam l) {
    return static_cast<int16_t>(LoWord(static_cast<uintptr_t>(l)));
}
constexpr int32_t YFromLParam(LParam l) {
    return static_cast<int16_t>(HiWord(static_cast<uintptr_t>(l)));
}

}  // namespace plat

// Window messages.
inline constexpr uint32_t WM_NULL = 0x0000;
inline constexpr uint32_t WM_CREATE = 0x0001;  // return -1 to refuse the creation
inline constexpr uint32_t WM_DESTROY = 0x0002;
inline constexpr uint32_t WM_MOVE = 0x0003;
inline constexpr uint32_t WM_SIZE = 0x0005;
inline constexpr uint32_t WM_SETFOCUS = 0x0007;   // wParam: window that lost the focus
inline constexpr uint32_t WM_KILLFOCUS = 0x0008;  // wParam: window that gets the focus
inline constexpr uint32_t WM_ENABLE = 0x000A;
inline constexpr uint32_t WM_PAINT = 0x000F;
inline constexpr uint32_t WM_CLOSE = 0x0010;
inline constexpr uint32_t WM_QUIT = 0x0012;
inline constexpr uint32_t WM_SHOWWINDOW = 0x0018;  // wParam 1 shown, 0 hidden
inline constexpr uint32_t WM_SETCURSOR = 0x0020;   // lParam: MakeLParam(HTCLIENT, mouse message)
inline constexpr uint32_t WM_KEYDOWN = 0x0100;     // wParam: virtual key
inline constexpr uint32_t WM_KEYUP = 0x0101;
inline constexpr uint32_t WM_CHAR = 0x0102;        // wParam: Windows-1252 character code
inline constexpr uint32_t WM_SYSKEYDOWN = 0x0104;  // a key pressed with Alt (and without Ctrl)
inline constexpr uint32_t WM_SYSKEYUP = 0x0105;
inline constexpr uint32_t WM_COMMAND = 0x0111;  // wParam: MakeWParam(id, 0 menu/1 accelerator/EN_)
inline constexpr uint32_t WM_TIMER = 0x0113;    // wParam: timer id
inline constexpr uint32_t WM_HSCROLL = 0x0114;  // wParam: MakeWParam(code, count)
inline constexpr uint32_t WM_VSCROLL = 0x0115;
inline constexpr uint32_t WM_MOUSEMOVE = 0x0200;  // wParam: MK_ flags, lParam: client x, y
inline constexpr uint32_t WM_LBUTTONDOWN = 0x0201;
inline constexpr uint32_t WM_LBUTTONUP = 0x0202;
inline constexpr uint32_t WM_LBUTTONDBLCLK = 0x0203;
inline constexpr uint32_t WM_RBUTTONDOWN = 0x0204;
inline constexpr uint32_t WM_RBUTTONUP = 0x0205;
inline constexpr uint32_t WM_RBUTTONDBLCLK = 0x0206;
inline constexpr uint32_t WM_CAPTURECHANGED = 0x0215;  // lParam: the new capture window
inline constexpr uint32_t WM_QUERYNEWPALETTE = 0x030F;
inline constexpr uint32_t WM_PALETTECHANGED = 0x0311;
inline constexpr uint32_t MM_MCINOTIFY = 0x03B9;
inline constexpr uint32_t WM_USER = 0x0400;

// Notification of a text field in WM_COMMAND's high word (lParam: the field).
inline constexpr int32_t EN_CHANGE = 0x0300;

// Hit-test code carried by WM_SETCURSOR.
inline constexpr int32_t HTCLIENT = 1;

// Scroll codes (low word of WM_HSCROLL / WM_VSCROLL wParam).
inline constexpr int32_t SB_LINEUP = 0;
inline constexpr int32_t SB_LINELEFT = 0;
inline constexpr int32_t SB_LINEDOWN = 1;
inline constexpr int32_t SB_LINERIGHT = 1;
inline constexpr int32_t SB_PAGEUP = 2;
inline constexpr int32_t SB_PAGELEFT = 2;
inline constexpr int32_t SB_PAGEDOWN = 3;
inline constexpr int32_t SB_PAGERIGHT = 3;

// Key-state flags of mouse messages (wParam).
inline constexpr uint32_t MK_LBUTTON = 0x0001;
inline constexpr uint32_t MK_RBUTTON = 0x0002;
inline constexpr uint32_t MK_SHIFT = 0x0004;
inline constexpr uint32_t MK_CONTROL = 0x0008;
inline constexpr uint32_t MK_MBUTTON = 0x0010;

// Virtual keys. Letters and digits are their upper-case ASCII codes
// ('A' = 0x41, '0' = 0x30).
inline constexpr int32_t VK_LBUTTON = 0x01;
inline constexpr int32_t VK_RBUTTON = 0x02;
inline constexpr int32_t VK_MBUTTON = 0x04;
inline constexpr int32_t VK_BACK = 0x08;
inline constexpr int32_t VK_TAB = 0x09;
inline constexpr int32_t VK_RETURN = 0x0D;
inline constexpr int32_t VK_SHIFT = 0x10;
inline constexpr int32_t VK_CONTROL = 0x11;
inline constexpr int32_t VK_MENU = 0x12;  // Alt
inline constexpr int32_t VK_PAUSE = 0x13;
inline constexpr int32_t VK_CAPITAL = 0x14;
inline constexpr int32_t VK_ESCAPE = 0x1B;
inline constexpr int32_t VK_SPACE = 0x20;
inline constexpr int32_t VK_PRIOR = 0x21;  // Page Up
inline constexpr int32_t VK_NEXT = 0x22;   // Page Down
inline constexpr int32_t VK_END = 0x23;
inline constexpr int32_t VK_HOME = 0x24;
inline constexpr int32_t VK_LEFT = 0x25;
inline constexpr int32_t VK_UP = 0x26;
inline constexpr int32_t VK_RIGHT = 0x27;
inline constexpr int32_t VK_DOWN = 0x28;
inline constexpr int32_t VK_INSERT = 0x2D;
inline constexpr int32_t VK_DELETE = 0x2E;
inline constexpr int32_t VK_NUMPAD0 = 0x60;  // VK_NUMPAD0 + n for keypad digit n
inline constexpr int32_t VK_MULTIPLY = 0x6A;
inline constexpr int32_t VK_ADD = 0x6B;
inline constexpr int32_t VK_SEPARATOR = 0x6C;
inline constexpr int32_t VK_SUBTRACT = 0x6D;
inline constexpr int32_t VK_DECIMAL = 0x6E;
inline constexpr int32_t VK_DIVIDE = 0x6F;
inline constexpr int32_t VK_F1 = 0x70;  // VK_F1 + n - 1 for Fn, up to F12
inline constexpr int32_t VK_F2 = 0x71;
inline constexpr int32_t VK_F3 = 0x72;
inline constexpr int32_t VK_F4 = 0x73;
inline constexpr int32_t VK_F5 = 0x74;
inline constexpr int32_t VK_F6 = 0x75;
inline constexpr int32_t VK_F7 = 0x76;
inline constexpr int32_t VK_F8 = 0x77;
inline constexpr int32_t VK_F9 = 0x78;
inline constexpr int32_t VK_F10 = 0x79;
inline constexpr int32_t VK_F11 = 0x7A;
inline constexpr int32_t VK_F12 = 0x7B;

// Window styles. A window with WS_CHILD and without WS_POPUP is a child:
// placed in its parent's client coordinates and clipped to it. Every other
// window is top-level (placed in screen coordinates); a parent given to it is
// its owner, and owned windows always stay above their owner.
inline constexpr uint32_t WS_POPUP = 0x80000000u;
inline constexpr uint32_t WS_CHILD = 0x40000000u;
inline constexpr uint32_t WS_VISIBLE = 0x10000000u;
inline constexpr uint32_t WS_DISABLED = 0x08000000u;
inline constexpr uint32_t WS_BORDER = 0x00800000u;  // a one-pixel frame around the client area

// Extended window styles.
inline constexpr uint32_t WS_EX_NOPARENTNOTIFY = 0x00000004u;  // accepted; no notifications exist
inline constexpr uint32_t WS_EX_TOPMOST = 0x00000008u;         // above every window without it
inline constexpr uint32_t WS_EX_TRANSPARENT = 0x00000020u;     // gets mouse input, never drawn

// Class styles (Window::ClassStyle).
inline constexpr uint32_t CS_DBLCLKS = 0x0008u;  // a fast second click arrives as ..DBLCLK

// Show commands (Window::ShowWindow).
inline constexpr int32_t SW_HIDE = 0;
inline constexpr int32_t SW_SHOWNORMAL = 1;
inline constexpr int32_t SW_SHOWNOACTIVATE = 4;
inline constexpr int32_t SW_SHOW = 5;
inline constexpr int32_t SW_SHOWNA = 8;

// Message-box flags and answers.
inline constexpr uint32_t MB_OK = 0x0000;
inline constexpr uint32_t MB_OKCANCEL = 0x0001;
inline constexpr uint32_t MB_ABORTRETRYIGNORE = 0x0002;
inline constexpr uint32_t MB_YESNOCANCEL = 0x0003;
inline constexpr uint32_t MB_YESNO = 0x0004;
inline constexpr uint32_t MB_RETRYCANCEL = 0x0005;
inline constexpr uint32_t MB_TYPEMASK = 0x000F;
inline constexpr uint32_t MB_ICONSTOP = 0x0010;
inline constexpr uint32_t MB_ICONQUESTION = 0x0020;
inline constexpr uint32_t MB_ICONEXCLAMATION = 0x0030;
inline constexpr uint32_t MB_ICONINFORMATION = 0x0040;
inline constexpr uint32_t MB_ICONMASK = 0x00F0;
inline constexpr uint32_t MB_SYSTEMMODAL = 0x1000;
inline constexpr int32_t IDOK = 1;
inline constexpr int32_t IDCANCEL = 2;
inline constexpr int32_t IDABORT = 3;
inline constexpr int32_t IDRETRY = 4;
inline constexpr int32_t IDIGNORE = 5;
inline constexpr int32_t IDYES = 6;
inline constexpr int32_t IDNO = 7;

// Cursor shapes. The standard ones; the game's own cursors are their
// resource numbers (151-158, 198, 200, 201, 204, 209-211) and are drawn by
// the back end.
inline constexpr plat::CursorId IDC_ARROW = 32512;
inline constexpr plat::CursorId IDC_WAIT = 32514;
