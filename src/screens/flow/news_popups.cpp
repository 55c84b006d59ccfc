#include "screens/flow/news_popups.h"

#include <cstdio>

#include "gfx/font_tables.h"
#include "panel/control_panel.h"
#include "platform/gdi.h"
#include "platform/input.h"
#include "screens/close_popup_on_key.h"
#include "screens/flow/news_layout.h"
#include "sound/sound_manager.h"
#include "state/game_records.h"
#include "state/game_state.h"
#include "state/messages.h"

namespace np = news_popups;

namespace {

constexpr uint8_t kTextColour = 10;

constexpr ButtonLayout CloseButton(int32_t y) {
    return {.x = np::kCloseX,
            .y = y,
            .command = kCmdOk,
            .width = 108,
            .height = 40,
            .normal = {0, 0},
            .pressed = {0, 40}};
}

constexpr ButtonLayout kProductClose[] = {CloseButton(np::kProductCloseY)};
constexpr ButtonLayout kBuildingClose[] = {CloseButton(np::kBuildingCloseY)};
constexpr ButtonLayout kVehicleClose[] = {CloseButton(np::kVehicleCloseY)};
constexpr ButtonLayout kBusinessClose[] = {CloseButton(np::kBusinessCloseY)};

std::string Numbered(const char* stem, int32_t n) {
    return stem + std::to_string(n) + ".jgd";
}

struct VehicleNews {
    int32_t model;
    std::vector<NewsLine> lines;
};

// Trains and trucks: kind, speeds, costs and price at fixed heights.
VehicleNews Land(int32_t model, const char* kind, const char* flat, const char* grade,
                 const char* costs, const char* price) {
    return {model,
            {{70, kind}, {102, "Speed:"}, {118, flat}, {134, grade}, {166, costs}, {182, price}}};
}

const std::vector<VehicleNews>& VehicleNewsTable() {
    static const std::vector<VehicleNews> table = {
        Land(3, "Truck (Diesel)", "Flat: 50 mph", "Grade: 30 mph", "Travel costs/square: 4",
             "Price: 3,100"),
        Land(6, "Truck (Diesel)", "Flat: 50 mph", "Grade: 50 mph", "Travel costs/square: 3",
             "Price: 4,400"),
        Land(9, "Truck (Hybrid)", "Flat: 75 mph", "Grade: 50 mph", "Travel costs/square: 2",
             "Price: 12,200"),
        Land(11, "Train", "Flat: 50 mph", "Grade: 50 mph", "Travel costs/square: 35",
             "Price: 18,400"),
        Land(12, "Train", "Flat: 75 mph", "Grade: 50 mph", "Travel costs/square: 32",
             "Price: 26,800"),
        Land(13, "Train", "Flat: 75 mph", "Grade: 75 mph", "Travel costs/square: 31",
             "Price: 33,700"),
        Land(14, "Train", "Flat: 100 mph", "Grade: 75 mph", "Travel costs/square: 28",
             "Price: 41,000"),
        Land(15, "Monorail train", "Flat: 100 mph", "Grade: 100 mph", "Travel costs/square: 40",
             "Price: 74,200"),
        Land(16, "Monorail train", "Flat: 125 mph", "Grade: 125 mph", "Travel costs/square: 37",
             "Price: 89,300"),
        Land(17, "Monorail train", "Flat: 150 mph", "Grade: 150 mph", "Travel costs/square: 35",
             "Price: 105,500"),
        Land(18, "Super conductor train", "Flat: 200 mph", "Grade: 200 mph",
             "Travel costs/square: 39", "Price: 157,000"),
        {20,
         {{70, "Transport Ship"},
          {102, "Capacity:"},
          {118, "6 Transport units"},
          {150, "Speed: 30 mph"},
          {182, "Travel costs/square: 17"},
          {198, "Price: 52,000"}}},
        {21,
         {{70, "Transport Ship"},
          {102, "Capacity:"},
          {118, "2 Transport units"},
          {150, "Speed: 75 mph"},
          {182, "Travel costs/square: 6"},
          {198, "Price: 48,000"}}},
        {23,
         {{70, "Transporter"},
          {102, "Speed: 500 mph"},
          {134, "Travel costs/square: 10"},
          {150, "Price: 86,000"}}},
        {24,
         {{70, "Transporter"},
          {102, "Speed: 612 mph"},
          {134, "Travel costs/square: 11"},
          {150, "Price: 112,000"}}},
    };
    return table;
}

constexpr const char* kMonthNames[12] = {"January",   "February", "March",    "April",
                                         "May",       "June",     "July",     "August",
                                         "September", "October",  "November", "December"};

}  // namespace

std::string ProductNewsPicture(int32_t goods) {
    return Numbered("newp_", goods + 1);
}

std::vector<NewsLine> VehicleNewsLines(int32_t model) {
    std::vector<NewsLine> lines = {{np::kHeadlineY, "NOW AVAILABLE"}};
    for (const VehicleNews& news : VehicleNewsTable()) {
        if (news.model != model) continue;
        lines.insert(lines.end(), news.lines.begin(), news.lines.end());
    }
    return lines;
}

std::string BusinessReportDate(const CGameState& gs) {
    // Only a running event moves the date on; -1 (none) and -2 (events off)
    // add nothing, and neither does a number outside the event table.
    int32_t months = 0;
    if (gs.active_event >= 0 && gs.active_event < kMarketEventSlots) {
        months = gs.market_events[gs.active_event].event_counter;
    }
    const int32_t month = (gs.month < 0 || gs.month > 11) ? 0 : gs.month;
    const int32_t total = month + months;
    char text[40];
    std::snprintf(text, sizeof text, "%s %d", kMonthNames[total % 12], gs.year + total / 12);
    return text;
}

bool NewsPopup::ResumesMusic() const {
    return true;
}

bool NewsPopup::OpenNews(HAUPTDIALOG& panel, const PopupRequest& request,
                         const std::string& picture, const char* sheet_name,
                         std::span<const ButtonLayout> close) {
    news_index = static_cast<int32_t>(request.wParam);
    if (!LoadPictures(picture.c_str(), sheet_name)) return false;
    // Centred over the world view (the panel's 480 x 320 news rectangle is
    // smaller than the product picture); hidden while another screen is
    // shown, so that neither the cursor nor the screen in front is taken.
    if (!CreatePopup(&panel, WorldViewRect(request.rect), close, !request.screen_in_front)) {
        return false;
    }
    // While a screen is in front the game music, once it runs, is left alone.
    const bool gameTrack = g_pSound != nullptr && g_pSound->InGameMusicPlaying();
    if (!(request.screen_in_front && gameTrack) && ResumesMusic() && g_pSound != nullptr) {
        g_pSound->ResumeMusic();
    }
    return true;
}

plat::LResult NewsPopup::OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) {
    switch (message) {
        case WM_PAINT: {
            plat::PaintDC dc(*this);
            DrawTexts();
            PaintBackground(dc);
            return 0;
        }
        case WM_SHOWWINDOW:
            if (wParam == 1 && closes_on_enter_) CentreCursor();
            return 0;
        case WM_CHAR:
            if (closes_on_enter_) {
                ClosePopupOnKey(*this, buttons.empty() ? nullptr : buttons[0].get(), wParam);
            }
            return 0;
        case WM_COMMAND:
            if (plat::LoWord(wParam) == kCmdOk) {
                FreeCursor();
                SendResult(0);
            }
            return 0;
        default:
            return DefaultMessage(message, wParam, lParam);
    }
}

FS_NEWS_PRODUCT::FS_NEWS_PRODUCT() : NewsPopup(kMsgProductNewsDone, true) {}

bool FS_NEWS_PRODUCT::Open(HAUPTDIALOG& panel, const PopupRequest& request) {
    return OpenNews(panel, request, ProductNewsPicture(static_cast<int32_t>(request.wParam)),
                    "scb_newp.jgd", kProductClose);
}

FS_NEWS_BUILDING::FS_NEWS_BUILDING() : NewsPopup(kMsgBuildingNewsDone, true) {}

bool FS_NEWS_BUILDING::Open(HAUPTDIALOG& panel, const PopupRequest& request) {
    return OpenNews(panel, request, Numbered("newg_", static_cast<int32_t>(request.wParam)),
                    "scb_newg.jgd", kBuildingClose);
}

FS_NEWS_VEHICLE::FS_NEWS_VEHICLE() : NewsPopup(kMsgVehicleNewsDone, true) {}

bool FS_NEWS_VEHICLE::Open(HAUPTDIALOG& panel, const PopupRequest& request) {
    return OpenNews(panel, request, Numbered("newf_", static_cast<int32_t>(request.wParam)),
                    "scb_newf.jgd", kVehicleClose);
}

void FS_NEWS_VEHICLE::DrawTexts() {
    const PaletteImage& font = g_pGameState->images.main_font;
    if (!font.Loaded() || !background.Loaded()) return;
    for (const NewsLine& line : VehicleNewsLines(news_index)) {
        background.DrawText(line.text, kFont1Advances, np::kTextX, line.y, font, 16, 16,
                            kTextColour);
    }
}

FS_NEWS_BUSINESS::FS_NEWS_BUSINESS() : NewsPopup(kMsgBusinessNewsDone, false) {}

bool FS_NEWS_BUSINESS::Open(HAUPTDIALOG& panel, const PopupRequest& request) {
    return OpenNews(panel, request, Numbered("wisz_", static_cast<int32_t>(request.wParam)),
                    "scb_wisz.jgd", kBusinessClose);
}

bool FS_NEWS_BUSINESS::ResumesMusic() const {
    // During a level's start the music waits for the first popup to close.
    return g_pGameState->city_growth_running == 0;
}

void FS_NEWS_BUSINESS::DrawTexts() {
    const PaletteImage& font = g_pGameState->images.main_font;
    if (news_index <= 0 || !font.Loaded() || !background.Loaded()) return;
    const std::string date = BusinessReportDate(*g_pGameState);
    background.DrawText(date.c_str(), kFont1Advances, np::kTextX, np::kDateY, font, 16, 16,
                        kTextColour);
}
