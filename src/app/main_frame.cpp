// The main frame's life: creation, the message dispatch, the mouse-move
// throttle and the keys, closing, and the shutdown in the destructor.

#include "app/main_frame.h"

#include "app/app_globals.h"
#include "app/desktop_changes.h"
#include "app/game_app.h"
#include "app/interface_hooks.h"
#include "app/key_table.h"
#include "game/high_scores.h"
#include "panel/control_panel.h"
#include "platform/app.h"
#include "platform/clock.h"
#include "platform/input.h"
#include "platform/screen.h"
#include "screens/vehicles/vehicle_overview.h"
#include "state/game_state.h"
#include "state/lookup_tables.h"
#include "state/messages.h"
#include "state/world_images.h"
#include "transport/vehicle.h"
#include "view/world_view.h"

namespace {

constexpr uint32_t kMouseMoveInterval = 250;  // ms between two moves the view handles
constexpr int32_t kMaxWidth = 1024;
constexpr int32_t kMaxHeight = 768;
// Popup, child, visible and border: a top-level window of its own.
constexpr uint32_t kFrameStyle = WS_POPUP | WS_CHILD | WS_VISIBLE | WS_BORDER;

bool IsStandardScreen(const plat::Size& s) {
    return (s.width == 640 && s.height == 480) || (s.width == 800 && s.height == 600) ||
           (s.width == 1024 && s.height == 768);
}

void DeleteVehicles() {
    while (g_pVehicleList != nullptr) {
        VehicleListNode* node = g_pVehicleList;
        g_pVehicleList = node->next;
        delete node->vehicle;
        delete node;
    }
}

}  // namespace

plat::Window* MainFrameWindow() {
    plat::Application* app = plat::CurrentApplication();
    return app != nullptr ? app->mainWindow : nullptr;
}

FrameHooks& GetFrameHooks() {
    static FrameHooks hooks;
    return hooks;
}

HAUPTFENSTER::HAUPTFENSTER() {
    int32_t count = 0;
    const ScreenEntry* table = FrameScreenTable(&count);
    screen_table_.assign(table, table + count);

    DisableAutoRun();
    SetControlPanel(nullptr);
    g_pVehicleOverview = nullptr;
    plat::ClipCursor(nullptr);

    plat::Rect area{0, 0, 0, 0};
    if (CGameState* gs = g_pGameState) {
        const plat::Size screen = plat::GetScreenSize();
        gs->screen_width = screen.width;
        gs->screen_height = screen.height;
        if (IsStandardScreen(screen)) {
            gs->origin_x = 0;
            gs->origin_y = 0;
        } else if (screen.width > kMaxWidth && screen.height > kMaxHeight) {
            gs->screen_width = kMaxWidth;
            gs->screen_height = kMaxHeight;
            gs->origin_x = 0;
            gs->origin_y = 0;
        }
        area = {gs->origin_x, gs->origin_y, gs->origin_x + gs->screen_width + gs->origin_x,
                gs->origin_y + gs->screen_height + gs->origin_y};
    }
    Create(nullptr, area, kFrameStyle, WS_EX_TOPMOST, "Ferrovane");
}

int32_t HAUPTFENSTER::OnCreate() {
    if (g_pGameState != nullptr) {
        delete g_pLookupTables;
        g_pLookupTables = new CLookupTables;  // also fills the data tables
        LoadHighScores(*g_pGameState);
    }
    LoadKeys();
    HideTaskbar();
    return 0;
}

HAUPTFENSTER::~HAUPTFENSTER() {
    // Screens still open end with the program (before the state they use).
    for (int32_t slot = 0; slot < kFrameScreenCount; ++slot) {
        DeleteScreen(static_cast<FrameScreen>(slot));
    }
    if (CGameState* gs = g_pGameState) {
        gs->images.tile_sheet.Free();
        gs->images.main_font.Free();
        gs->images.small_font.Free();
        gs->images.tile.Free();
        FreeWorldGraphics();
    }
    delete g_pLookupTables;
    g_pLookupTables = nullptr;
    // A best list that cannot be written is given up silently; the old
    // file stays as it was.
    if (g_pGameState != nullptr) SaveHighScores(*g_pGameState);
    DeleteVehicles();
    RestoreTaskbar();
    RestoreAutoRun();
    ShutdownGameState();  // the settings file, then the game state is freed
}

void HAUPTFENSTER::OnClose() {
    plat::ClipCursor(nullptr);
    SPIEL_FELD* view = g_pSpielFeld;
    SetWorldView(nullptr);
    delete view;
    DestroyTerrain();
    DropKeys();
    DefaultMessage(WM_CLOSE, 0, 0);  // destroys the window and its screens
    // The end of the process: an orderly quit of the loop. Callers further up
    // still run on a valid game state; the application deletes the frame
    // after the loop, and the destructor shuts everything down.
    plat::ExitProcess(0);
}

void HAUPTFENSTER::LoadKeys() {
    accelerators = &KeyTable();
}

void HAUPTFENSTER::DropKeys() {
    accelerators = nullptr;
}

bool HAUPTFENSTER::PreTranslateMessage(plat::Msg& msg) {
    if (msg.message == WM_MOUSEMOVE && g_pSpielFeld != nullptr) {
        if (msg.window == g_pSpielFeld) {
            if (ThrottleViewMouseMove()) return true;
        } else {
            g_pSpielFeld->FlushPendingRedraw();
        }
    }
    return accelerators != nullptr && plat::TranslateAccelerator(this, accelerators, msg);
}

bool HAUPTFENSTER::ThrottleViewMouseMove() {
    const uint32_t now = plat::TimeGetTime();
    g_MouseMoveTime.time = now;
    g_MouseMoveTime.pending = 1;
    // Too soon after the last move the view handled: dropped. The idle pass
    // replays a move 250 ms after the last one, so the view always ends up
    // picking the field under the cursor.
    if (view_move_handled_ && now - last_view_move_time_ < kMouseMoveInterval) return true;
    view_move_handled_ = true;
    last_view_move_time_ = now;
    return false;
}

plat::LResult HAUPTFENSTER::OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) {
    switch (message) {
        case WM_CREATE:
            return OnCreate();
        case WM_CLOSE:
            OnClose();
            return 0;
        case WM_COMMAND:
            if (OnCommand(plat::LoWord(wParam))) return 0;
            break;
        case MM_MCINOTIFY:
            OnMciNotify(wParam);
            return 0;
        default:
            if (message >= WM_USER && OnPrivateMessage(message, wParam, lParam)) return 0;
            break;
    }
    return DefaultMessage(message, wParam, lParam);
}

bool HAUPTFENSTER::OnPrivateMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) {
    // Screens first: later entries of the table win.
    for (auto it = screen_table_.rbegin(); it != screen_table_.rend(); ++it) {
        const ScreenEntry entry = *it;  // a copy: a handler may add entries
        if (entry.open_message != 0 && entry.open_message == message) {
            OpenScreen(entry, wParam, lParam);
            return true;
        }
        if (entry.done_message != 0 && entry.done_message == message) {
            CloseScreen(entry, wParam, lParam);
            return true;
        }
    }
    switch (message) {
        case kMsgShowStartScreen:
            ShowStartScreen();
            return true;
        case kMsgEndRunningGame:
            EndRunningGame();
            return true;
        case kMsgStartGame:
            StartGame(lParam);
            return true;
        case kMsgEnableKeys:
            LoadKeys();
            return true;
        case kMsgDisableKeys:
            DropKeys();
            return true;
        case kMsgCloseInfoWindows:
            CloseInfoWindows();
            return true;
        case kMsgCashChanged:
            OnCashChanged();
            return true;
        case kMsgAbort:
            OnAbort();
            return true;
        case kMsgGameTick:
            OnGameTick();
            return true;
        case kMsgAnimImagesChanged:
            OnFactoryOverviewTick();
            return true;
        default:
            return false;
    }
}
