#include "game/fs_start.h"

#include <string>

#include "app/hauptfenster.h"
#include "gfx/blit_dc.h"
#include "gfx/palette.h"
#include "platform/file.h"
#include "platform/gdi.h"
#include "platform/input.h"
#include "sound/sound_manager.h"
#include "state/game_state.h"
#include "state/messages.h"

namespace {

constexpr int32_t kPictureWidth = 640;
constexpr int32_t kPictureHeight = 480;
constexpr int32_t kButtonX = 480;
constexpr int32_t kButtonWidth = 160;
constexpr int32_t kButtonHeight = 32;

struct TitleButton {
    int32_t y;
    int32_t column;  // x of the button's faces in the sheet
    uint16_t command;
    int32_t choice;
};

// Top to bottom.
constexpr TitleButton kButtons[kTitleButtonCount] = {
    {23, 640, 40166, kChoiceContinue},   {68, 800, 40169, kChoiceLoadGame},
    {113, 480, 40167, kChoiceNewGame},   {158, 0, 40292, kChoiceScenario},
    {203, 160, 40293, kChoiceMission},   {248, 320, 40168, kChoiceCareer},
    {293, 960, 40170, kChoiceEditor},    {338, 1120, 40171, kChoiceHighScores},
    {383, 1440, 40362, kChoiceTutorial}, {428, 1280, 40172, kChoiceQuit},
};
constexpr uint16_t kCmdContinue = 40166;
constexpr uint16_t kCmdQuit = 40172;

}  // namespace

FS_START::~FS_START() {
    if (g_pSound != nullptr) g_pSound->StopMusic();
    for (BUTTONS*& button : buttons) {
        delete button;
        button = nullptr;
    }
    background.Free();
    button_pictures.Free();
    DestroyWindow();
}

bool FS_START::Open(plat::Window* parent) {
    const CGameState& gs = *g_pGameState;
    const std::string folder = gs.DataPath(kPathBase);
    if (!background.LoadJgd(folder + "\\scr_0.jgd")) return false;
    if (!button_pictures.Load(folder + "\\scb_0.jgd", nullptr, 1)) return false;
    if (gs.screen_width > kPictureWidth) {
        origin_x = (gs.screen_width - kPictureWidth) / 2;
        origin_y = (gs.screen_height - kPictureHeight) / 2;
    }
    const plat::Rect screen{gs.origin_x, gs.origin_y, gs.origin_x + gs.screen_width,
                            gs.origin_y + gs.screen_height};
    if (!Create(parent, screen, WS_POPUP | WS_CHILD | WS_VISIBLE, WS_EX_TOPMOST)) return false;
    plat::ClipCursor(nullptr);  // the title leaves the mouse free
    return true;
}

plat::LResult FS_START::OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) {
    switch (message) {
        case WM_CREATE:
            return OnCreate();
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_COMMAND:
            OnCommand(plat::LoWord(wParam));
            return 0;
        default:
            return DefaultMessage(message, wParam, lParam);
    }
}

int32_t FS_START::OnCreate() {
    for (int32_t i = 0; i < kTitleButtonCount; ++i) {
        const TitleButton& b = kButtons[i];
        buttons[i] = new BUTTONS;
        buttons[i]->CreateFromImage(0, origin_x + kButtonX, origin_y + b.y, this, b.command,
                                    kButtonWidth, kButtonHeight, b.column, 0, b.column,
                                    kButtonHeight, button_pictures);
    }
    return 0;
}

void FS_START::OnPaint() {
    if (g_pSound != nullptr) g_pSound->PlayTitleMusic();
    plat::PaintDC dc(*this);
    const plat::Rect client = GetClientRect();
    plat::BitBlt(dc, 0, 0, client.Width(), client.Height(), nullptr, 0, 0,
                 plat::RasterOp::Blackness);
    plat::SelectPalette(dc, button_pictures.palette, false);
    plat::RealizePalette(dc);
    if (background.Loaded()) {
        plat::SelectPalette(*background.dc, button_pictures.dc_palette, false);
        plat::RealizePalette(*background.dc);
        BlitDC(dc, origin_x, origin_y, kPictureWidth, kPictureHeight, *background.dc, 0, 0);
    }
    RestoreDefaultPalette(dc);
}

void FS_START::OnCommand(uint16_t command) {
    if (command == kCmdQuit) {
        plat::PostMessage(MainFrameWindow(), kMsgStartScreenResult, 0, kChoiceQuit);
        return;
    }
    if (command == kCmdContinue) {
        const std::string last = std::string(g_pGameState->DataPath(kPathSave)) + "\\lastsave.lvl";
        const plat::FileHandle file = plat::OpenFile(last, plat::OpenMode::ReadWrite);
        if (file == plat::kInvalidFile) return;
        plat::CloseFile(file);
    }
    for (const TitleButton& b : kButtons) {
        if (b.command == command) {
            Report(b.choice);
            return;
        }
    }
}

void FS_START::Report(int32_t choice) {
    const CGameState& gs = *g_pGameState;
    plat::DcHandle dc = plat::GetWindowDC(*this);
    plat::BitBlt(*dc, 0, 0, gs.screen_width, gs.screen_height, nullptr, 0, 0,
                 plat::RasterOp::Blackness);
    // The frame deletes this screen while it handles the choice.
    plat::SendMessage(MainFrameWindow(), kMsgStartScreenResult, 0, choice);
    dc.reset();
}
