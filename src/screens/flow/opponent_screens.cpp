#include "screens/flow/opponent_screens.h"

#include <cstring>

#include "game/opponent.h"
#include "game/opponent_takeover.h"
#include "gfx/blit_dc.h"
#include "gfx/font_tables.h"
#include "gfx/palette.h"
#include "panel/amount_text.h"
#include "platform/colour.h"
#include "platform/gdi.h"
#include "platform/input.h"
#include "screens/close_popup_on_key.h"
#include "screens/flow/opponent_layout.h"
#include "sound/sound_manager.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/messages.h"
#include "view/world_view.h"

namespace os = opponent_screens;

namespace {

constexpr uint8_t kTextColour = 10;
constexpr int32_t kOutlinePen = 2;
constexpr uint16_t kCmdAction = kCmdDialogCancel;  // 40187: show, take over

// The pen colours by a player's colour number: red, green, blue, yellow.
constexpr plat::ColourRef kPlayerPens[4] = {
    plat::PaletteRgb(255, 0, 0), plat::PaletteRgb(90, 198, 90), plat::PaletteRgb(0, 90, 231),
    plat::PaletteRgb(255, 255, 8)};

constexpr ButtonLayout Button(int32_t x, int32_t y, uint16_t command, int32_t face_x) {
    return {.x = x,
            .y = y,
            .command = command,
            .width = os::kButtonWidth,
            .height = os::kButtonHeight,
            .normal = {face_x, 0},
            .pressed = {face_x, os::kPressedFaceY}};
}

// The action button first, OK second (the one Enter presses).
constexpr ButtonLayout kNewsButtons[] = {
    Button(os::kActionButtonX, os::kNewsButtonY, kCmdAction, 0),
    Button(os::kOkButtonX, os::kNewsButtonY, kCmdOk, os::kOkFaceX)};
constexpr ButtonLayout kOverviewButtons[] = {
    Button(os::kActionButtonX, os::kOverviewButtonY, kCmdAction, 0),
    Button(os::kOkButtonX, os::kOverviewButtonY, kCmdOk, os::kOkFaceX)};
constexpr size_t kOkButton = 1;

const COpponent* OpponentIn(const CGameState& gs, int32_t slot) {
    return slot >= 0 && slot < kOpponentCount ? gs.opponents[slot] : nullptr;
}

// The first row of a profile's portraits in the strip; the plain one is
// one portrait further down. An unknown profile shows the first.
int32_t PortraitRow(const COpponent& o, bool highlighted) {
    const int32_t profile =
        o.profile_index >= 0 && o.profile_index < os::kProfileCount ? o.profile_index : 0;
    return profile * 2 * os::kPortraitHeight + (highlighted ? 0 : os::kPortraitHeight);
}

plat::ColourRef PenOf(const CGameState& gs, int32_t player) {
    return kPlayerPens[gs.player_colors[player] % 4];
}

// A 2-pixel outline through the points, in the pen colour.
void Outline(plat::DeviceContext& dc, plat::ColourRef colour, const plat::Point (&points)[5]) {
    plat::PenHandle pen = plat::CreatePen(plat::PenStyle::Solid, kOutlinePen, colour);
    plat::PenHandle old = dc.SelectPen(pen);
    plat::Polyline(dc, points);
    dc.SelectPen(old);
}

// As the news popups: with another screen in front when the request came
// the game music, once it runs, is left alone.
void ResumeMusicUnlessScreenInFront(const PopupRequest& request) {
    const bool gameTrack = g_pSound != nullptr && g_pSound->InGameMusicPlaying();
    if (!(request.screen_in_front && gameTrack) && g_pSound != nullptr) {
        g_pSound->ResumeMusic();
    }
}

void Text(WinGBitmap& picture, const std::string& text, int32_t x, int32_t y) {
    const PaletteImage& font = g_pGameState->images.main_font;
    if (!font.Loaded() || !picture.Loaded()) return;
    picture.DrawText(text.c_str(), kFont1Advances, x, y, font, 16, 16, kTextColour);
}

}  // namespace

std::vector<std::string> OpponentReportLines(const CGameState& gs, int32_t slot) {
    const COpponent* o = OpponentIn(gs, slot);
    if (o == nullptr) return {};
    const OpponentFigures f = FiguresOfOpponent(gs, slot);
    const int32_t profile = o->profile_index;
    const char* name = profile >= 0 && profile < kOpponentProfileCount
                           ? gs.opponent_profiles[profile].name
                           : gs.company_names[f.player];
    return {std::string(name, strnlen(name, sizeof gs.opponent_profiles[0].name)),
            "has opened a new production.",
            "Status report:",
            "Capital: " + FormatAmount(f.capital),
            "Previous year's profit: " + FormatAmount(f.last_profit),
            "Company worth: " + FormatAmount(f.worth),
            "Points: " + FormatAmount(f.points),
            f.take_over_open ? "Take over price: " + FormatAmount(f.price)
                             : std::string("Take over price: Not possible")};
}

std::vector<std::string> OpponentOverviewTexts(const CGameState& gs, int32_t slot) {
    if (OpponentIn(gs, slot) == nullptr) return {};
    const OpponentFigures f = FiguresOfOpponent(gs, slot);
    const char* name = gs.company_names[f.player];
    return {std::string(name, strnlen(name, kCompanyNameLength)),
            FormatAmount(f.capital),
            FormatAmount(f.last_profit),
            FormatAmount(f.vehicles),
            FormatAmount(f.way_length),
            FormatAmount(f.worth),
            FormatAmount(f.points),
            f.take_over_open ? FormatAmount(f.price) : std::string("At present not possible")};
}

// --- OpponentPopup -------------------------------------------------------------

OpponentPopup::~OpponentPopup() {
    portraits.Free();
}

bool OpponentPopup::LoadWithPortraits(const char* picture, const char* sheet_name) {
    return LoadPictures(picture, sheet_name) && portraits.LoadJgd(BaseDataFile(os::kPortraits));
}

bool OpponentPopup::OnButtonRow(uint32_t message, plat::WParam wParam) {
    if (message == WM_CHAR) {
        ClosePopupOnKey(*this, buttons.size() > kOkButton ? buttons[kOkButton].get() : nullptr,
                        wParam);
        return true;
    }
    if (message != WM_COMMAND) return false;
    if (plat::LoWord(wParam) == kCmdOk) {
        FreeAndAnswer(ok_answer_);
    } else if (plat::LoWord(wParam) == kCmdAction) {
        OnAction();
    }
    return true;
}

// --- FS_OPPONENT_NEWS ----------------------------------------------------------

FS_OPPONENT_NEWS::FS_OPPONENT_NEWS() : OpponentPopup(kMsgOpponentNewsDone, 1) {}

bool FS_OPPONENT_NEWS::Open(HAUPTDIALOG& panel, const PopupRequest& request) {
    slot = static_cast<int32_t>(request.wParam);
    // A report of no opponent has nothing to show.
    if (OpponentIn(*g_pGameState, slot) == nullptr) return false;
    if (!LoadWithPortraits(os::kNewsPicture, os::kNewsSheet)) return false;
    const size_t bytes = static_cast<size_t>(background.Stride()) * background.Rows();
    clean_.assign(background.pixels, background.pixels + bytes);
    // Centred over the world view, hidden while another screen is shown.
    if (!CreatePopup(&panel, WorldViewRect(request.rect), kNewsButtons, !request.screen_in_front)) {
        return false;
    }
    ResumeMusicUnlessScreenInFront(request);
    return true;
}

void FS_OPPONENT_NEWS::DrawReport() {
    const CGameState& gs = *g_pGameState;
    const COpponent* o = OpponentIn(gs, slot);
    if (o == nullptr || !background.Loaded()) return;
    std::memcpy(background.pixels, clean_.data(), clean_.size());
    if (portraits.Loaded()) {
        BlitDC(*background.dc, os::kNewsPortraitX, os::kNewsPortraitY, os::kPortraitWidth,
               os::kPortraitHeight, *portraits.dc, 0, PortraitRow(*o, true));
    }
    const std::vector<std::string> lines = OpponentReportLines(gs, slot);
    const int32_t heights[] = {os::kNewsNameY, os::kNewsOpenedY, os::kNewsStatusY};
    for (size_t i = 0; i < lines.size(); ++i) {
        const int32_t y =
            i < 3 ? heights[i]
                  : os::kNewsFirstFigureY + os::kNewsFigureStep * static_cast<int32_t>(i - 3);
        Text(background, lines[i], os::kNewsTextX, y);
    }
}

void FS_OPPONENT_NEWS::OnShow() {
    const COpponent* o = OpponentIn(*g_pGameState, slot);
    // Without a production to show (or with a place off the map) the
    // answer is OK's: the view stays where it is.
    if (o == nullptr || o->plan_list_b.empty() || g_pSpielFeld == nullptr) {
        FreeAndAnswer(1);
        return;
    }
    const PlanNode& first = o->plan_list_b.front();
    const int32_t x = first.value_1[0];
    const int32_t y = first.value_1[1];
    if (!InMap(x, y)) {
        FreeAndAnswer(1);
        return;
    }
    g_pSpielFeld->cursor_x = x;
    g_pSpielFeld->cursor_y = y;
    FreeAndAnswer(0);
}

plat::LResult FS_OPPONENT_NEWS::OnMessage(uint32_t message, plat::WParam wParam,
                                          plat::LParam lParam) {
    switch (message) {
        case WM_PAINT: {
            plat::PaintDC dc(*this);
            DrawReport();
            PaintBackground(dc);
            const COpponent* o = OpponentIn(*g_pGameState, slot);
            if (o != nullptr) {
                const int32_t l = os::kNewsPortraitX + 1;
                const int32_t t = os::kNewsPortraitY + 1;
                const int32_t r = l + os::kPortraitWidth - 2;
                const int32_t b = t + os::kPortraitHeight - 2;
                Outline(dc, PenOf(*g_pGameState, slot + 1),
                        {{l, t}, {r, t}, {r, b}, {l, b}, {l, t}});
            }
            RestoreDefaultPalette(dc);
            return 0;
        }
        case WM_SHOWWINDOW:
            if (wParam == 1) CentreCursor();
            return 0;
        default:
            if (OnButtonRow(message, wParam)) return 0;
            return DefaultMessage(message, wParam, lParam);
    }
}

// --- OpponentInfoScreen ------------------------------------------------------------

OpponentInfoScreen::OpponentInfoScreen() : OpponentPopup(kMsgPanelOpponentOverviewDone, 0) {}

OpponentInfoScreen::~OpponentInfoScreen() {
    clean.Free();
}

bool OpponentInfoScreen::Open(HAUPTDIALOG& panel, const PopupRequest& request) {
    const CGameState& gs = *g_pGameState;
    panel_ = &panel;
    for (int32_t s = 0; s < kOpponentCount; ++s) {
        const COpponent* o = gs.opponents[s];
        if (o != nullptr && o->turn_pending != 0) listed[listed_count++] = s;
    }
    selected = 0;
    shown_player = listed_count > 0 ? listed[0] + 1 : 0;
    if (!LoadWithPortraits(os::kOverviewPicture, os::kOverviewSheet)) return false;
    if (!clean.Create(sheet, background.width, background.Rows())) return false;
    plat::BitBlt(*clean.dc, 0, 0, background.width, background.Rows(), background.dc.get(), 0, 0,
                 plat::RasterOp::SrcCopy);
    if (!CreatePopup(&panel, request.rect, kOverviewButtons)) return false;
    if (IsWindowVisible()) ConfineCursor();
    ResumeMusicUnlessScreenInFront(request);
    return true;
}

void OpponentInfoScreen::Redraw(plat::DeviceContext& dc) {
    const CGameState& gs = *g_pGameState;
    if (!background.Loaded()) return;
    for (int32_t n = 0; n < listed_count; ++n) {
        const COpponent* o = OpponentIn(gs, listed[n]);
        if (o == nullptr || !portraits.Loaded()) continue;
        BlitDC(*background.dc, os::kOverviewPortraitX + os::kOverviewPortraitStep * n,
               os::kOverviewPortraitY, os::kPortraitWidth, os::kPortraitHeight, *portraits.dc, 0,
               PortraitRow(*o, n == selected));
    }
    PaintBackground(dc);
    DrawFigures();
    if (selected < listed_count && OpponentIn(gs, listed[selected]) != nullptr) {
        const int32_t l = os::kOverviewPortraitX + 1 + os::kOverviewPortraitStep * selected;
        const int32_t t = os::kOverviewPortraitY + 1;
        const int32_t r = l + os::kPortraitWidth - 2;
        const int32_t b = t + os::kPortraitHeight - 2;
        Outline(dc, PenOf(gs, listed[selected] + 1), {{l, t}, {r, t}, {r, b}, {l, b}, {l, t}});
    }
    RestoreDefaultPalette(dc);
}

void OpponentInfoScreen::DrawFigures() {
    if (selected >= listed_count || !background.Loaded() || !clean.Loaded() || !IsWindow()) {
        return;
    }
    const std::vector<std::string> texts = OpponentOverviewTexts(*g_pGameState, listed[selected]);
    static constexpr os::FigureLine kLines[] = {
        os::kNameLine,      os::kCapitalLine, os::kProfitLine, os::kVehiclesLine,
        os::kWayLengthLine, os::kWorthLine,   os::kPointsLine, os::kPriceLine};
    if (texts.size() != std::size(kLines)) return;
    plat::DcHandle dc = plat::GetWindowDC(*this);
    SelectPictureOutputPalette(*dc, background.dc.get(), sheet.palette);
    for (size_t i = 0; i < texts.size(); ++i) {
        const os::FigureLine& line = kLines[i];
        BlitDC(*background.dc, line.x, line.y, line.width, os::kFigureHeight, *clean.dc, line.x,
               line.y);
        Text(background, texts[i], line.x, line.y);
        BlitDC(*dc, line.x, line.y, line.width, os::kFigureHeight, *background.dc, line.x, line.y);
    }
    RestoreDefaultPalette(*dc);
}

void OpponentInfoScreen::SelectAt(int32_t x, int32_t y) {
    for (int32_t n = 0; n < listed_count; ++n) {
        const int32_t left = os::kOverviewPortraitX + os::kOverviewPortraitStep * n;
        const plat::Rect place{left, os::kOverviewPortraitY, left + os::kPortraitWidth,
                               os::kOverviewPortraitY + os::kPortraitHeight};
        if (!place.Contains({x, y})) continue;
        selected = n;
        shown_player = listed[n] + 1;
        plat::DcHandle dc = plat::GetWindowDC(*this);
        Redraw(*dc);
        return;
    }
}

void OpponentInfoScreen::OnTakeOver() {
    if (selected >= listed_count || panel_ == nullptr) return;
    const int32_t slot = listed[selected];
    if (TakeOverOpponent(*g_pGameState, slot, true) != TakeOver::Done) return;
    panel_->popup_result.slot = slot;
    FreeAndAnswer(1);
}

plat::LResult OpponentInfoScreen::OnMessage(uint32_t message, plat::WParam wParam,
                                            plat::LParam lParam) {
    switch (message) {
        case WM_PAINT: {
            plat::PaintDC dc(*this);
            Redraw(dc);
            return 0;
        }
        case WM_SHOWWINDOW:
            if (wParam == 1) ConfineCursor();
            return 0;
        case WM_LBUTTONDOWN:
            SelectAt(plat::XFromLParam(lParam), plat::YFromLParam(lParam));
            return DefaultMessage(message, wParam, lParam);
        default:
            if (OnButtonRow(message, wParam)) return 0;
            return DefaultMessage(message, wParam, lParam);
    }
}
