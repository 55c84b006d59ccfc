#include "screens/flow/tutorial_screen.h"

#include <cstdio>

#include "gfx/blit_dc.h"
#include "gfx/palette.h"
#include "platform/gdi.h"
#include "platform/input.h"
#include "screens/flow/flow_screen_layout.h"
#include "state/game_state.h"
#include "state/messages.h"

namespace fs = flow_screens;

namespace {

constexpr uint8_t kEscape = 27;
constexpr int32_t kLastPage = kTutorialPageCount - 1;
constexpr int32_t kFullWidth = fs::kTutorialPageWidth;
constexpr int32_t kFullHeight = fs::kTutorialPageHeight;
constexpr int32_t kNarrowScreen = 640;

}  // namespace

FS_TUTORIAL::FS_TUTORIAL() : FullScreen(kMsgTutorialDone) {}

FS_TUTORIAL::~FS_TUTORIAL() {
    saved_area.Free();
    page_picture.Free();
    page_image.Free();
}

bool FS_TUTORIAL::LoadPicture(int32_t page) {
    char name[32];
    std::snprintf(name, sizeof name, "\\tutorial\\tut%03d.jgd", page + 1);
    page_picture.Free();
    return page_picture.Load(folder_ + name, nullptr, 1);
}

bool FS_TUTORIAL::Open(plat::Window* parent) {
    CGameState& gs = *g_pGameState;
    folder_ = gs.DataPath(kPathBase);
    current_page = 0;
    if (!LoadPicture(0)) return false;
    if (!page_image.Create(page_picture, kFullWidth, kFullHeight)) return false;
    page_image.FillRect(0, 0, kFullWidth, kFullHeight, 0);
    DrawLoaded(0, false);
    if (!CreateScreen(parent, {.area = {kFullWidth, kFullHeight}, .popup = false})) return false;
    if (gs.screen_width > kNarrowScreen) {
        // The page is centred on the 640 x 480 area, the tile picture around it.
        origin_x = (gs.screen_width - kNarrowScreen) / 2;
        origin_y = (gs.screen_height - 480) / 2;
        TileScreen();
    } else {
        origin_x = origin_y = 0;
    }
    Invalidate();
    UpdateWindow();
    Next();
    plat::ClipCursor(nullptr);
    return true;
}

void FS_TUTORIAL::DrawLoaded(int32_t page, bool keep_area) {
    if (!page_picture.Loaded() || !page_image.Loaded()) return;
    const TutorialPage& p = kTutorialPages[page];
    if (keep_area && p.waits != 0) {
        saved_area.Free();
        if (saved_area.Create(page_picture, p.width, p.height)) {
            BlitDC(*saved_area.dc, 0, 0, p.width, p.height, *page_image.dc, p.x, p.y);
        }
    }
    BlitDC(*page_image.dc, p.x, p.y, p.width, p.height, *page_picture.dc, 0, 0);
}

void FS_TUTORIAL::Next() {
    const TutorialPage& now = kTutorialPages[current_page];
    if (now.waits != 0 && saved_area.Loaded() && page_image.Loaded()) {
        BlitDC(*page_image.dc, now.x, now.y, now.width, now.height, *saved_area.dc, 0, 0);
    }
    while (current_page < kLastPage) {
        ++current_page;
        LoadPicture(current_page);
        DrawLoaded(current_page, true);
        if (kTutorialPages[current_page].waits != 0) break;
    }
    ShowPage();
}

void FS_TUTORIAL::Back() {
    const TutorialPage& from = kTutorialPages[current_page];
    for (int32_t layer : from.back_layers) {
        if (layer < 0) continue;
        LoadPicture(layer);
        DrawLoaded(layer, false);
    }
    current_page = from.back_page;
    LoadPicture(current_page);
    DrawLoaded(current_page, true);
    ShowPage();
}

void FS_TUTORIAL::ShowPage() {
    if (!IsWindow() || !page_image.Loaded()) return;
    plat::DcHandle dc = plat::GetWindowDC(*this);
    SelectPictureOutputPalette(*dc, page_image.dc.get(), page_picture.palette);
    BlitDC(*dc, origin_x, origin_y, kFullWidth, kFullHeight, *page_image.dc, 0, 0);
    RestoreDefaultPalette(*dc);
}

void FS_TUTORIAL::OnPaint() {
    plat::PaintDC dc(*this);
    if (!page_image.Loaded()) return;
    SelectPictureOutputPalette(dc, page_image.dc.get(), page_picture.palette);
    BlitDC(dc, origin_x, origin_y, kFullWidth, kFullHeight, *page_image.dc, 0, 0);
    RestoreDefaultPalette(dc);
}

void FS_TUTORIAL::End() {
    SendDone(0);
}

plat::LResult FS_TUTORIAL::OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_CHAR:
            if (wParam == kEscape || current_page == kLastPage) {
                End();
            } else {
                Next();
            }
            return 0;
        case WM_LBUTTONDOWN:
            if (current_page == kLastPage) {
                End();
            } else {
                Next();
            }
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_LEFT && current_page >= 2) Back();
            return 0;
        default:
            return FullScreen::OnMessage(message, wParam, lParam);
    }
}

const ScreenEntry kTutorialScreenEntry = {
    .slot = FrameScreen::Tutorial,
    .open_message = kMsgOpenTutorial,
    .done_message = kMsgTutorialDone,
    // Opened straight from the title, which already holds the keys and the
    // sound: none of the common open steps.
    .open_steps = 0,
    .done_steps = kDoneShowTitle,
    .open = [](plat::Window& frame, plat::WParam,
               plat::LParam) { return OpenNew<FS_TUTORIAL>(frame); },
};
