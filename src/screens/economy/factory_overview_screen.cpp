#include "screens/economy/factory_overview_screen.h"

#include <cmath>
#include <string>

#include "cities/city.h"
#include "cities/city_manager.h"
#include "economy/attraction_rings.h"
#include "economy/building.h"
#include "economy/building_table.h"
#include "gfx/blit_dc.h"
#include "panel/control_panel.h"
#include "panel/list_box.h"
#include "platform/gdi.h"
#include "screens/economy/economy_figures.h"
#include "screens/economy/economy_layout.h"
#include "screens/economy/statistics_layout.h"
#include "state/game_state.h"
#include "state/messages.h"
#include "view/world_view.h"

namespace es = economy_screens;
namespace ss = statistics_screens;

FS_FA_UEBER* g_pFactoryOverview = nullptr;

namespace {

constexpr int32_t kFirstFactoryType = 14;
constexpr int32_t kLastFactoryType = 19;
constexpr int32_t kCityCentre = 13;
constexpr int32_t kVisibleRows = 3;
constexpr int32_t kStockEntries = 12;
constexpr int32_t kIconSize = 32;
constexpr uint32_t kSortListId = 1020;

ButtonLayout Big(plat::Point at, uint16_t command, int32_t face_x) {
    return {.x = at.x,
            .y = at.y,
            .command = command,
            .width = es::kBigButtonWidth,
            .height = es::kBigButtonHeight,
            .normal = {face_x, 0},
            .pressed = {face_x, es::kPressedY}};
}
ButtonLayout Small(plat::Point at, uint16_t command, int32_t face_x, int32_t w, int32_t h) {
    return {.x = at.x,
            .y = at.y,
            .command = command,
            .width = w,
            .height = h,
            .normal = {face_x, 0},
            .pressed = {face_x, es::kPressedY}};
}

const ButtonLayout kButtons[] = {
    Big(ss::kFactoryOverviewOk, kCmdOk, ss::kFactoryOkFaceX),
    Small(ss::kRowUpButton, kCmdOverviewBack, 0, ss::kArrowWidth, ss::kArrowHeight),
    Small(ss::kRowDownButton, kCmdOverviewOn, ss::kArrowWidth, ss::kArrowWidth, ss::kArrowHeight),
    Small(ss::kProductionButtons[0], kCmdOverviewOpen, ss::kProductionFaceX, ss::kRowButtonWidth,
          ss::kRowButtonHeight),
    Small(ss::kProductionButtons[1], kCmdOverviewOpen + 1, ss::kProductionFaceX,
          ss::kRowButtonWidth, ss::kRowButtonHeight),
    Small(ss::kProductionButtons[2], kCmdOverviewOpen + 2, ss::kProductionFaceX,
          ss::kRowButtonWidth, ss::kRowButtonHeight),
    Small(ss::kFactoryLocationButtons[0], kCmdOverviewGoTo, ss::kLocationFaceX, ss::kRowButtonWidth,
          ss::kRowButtonHeight),
    Small(ss::kFactoryLocationButtons[1], kCmdOverviewGoTo + 1, ss::kLocationFaceX,
          ss::kRowButtonWidth, ss::kRowButtonHeight),
    Small(ss::kFactoryLocationButtons[2], kCmdOverviewGoTo + 2, ss::kLocationFaceX,
          ss::kRowButtonWidth, ss::kRowButtonHeight),
};

const char* CityName(int32_t slot) {
    const CCity* city = slot >= 0 ? CityOfSlot(slot) : nullptr;
    return city != nullptr ? city->name : "-";
}

}  // namespace

int32_t NearestCity(int32_t x, int32_t y) {
    if (g_pCityManager == nullptr) return -1;
    int64_t best = 65535;
    int32_t nearest = -1;
    for (int32_t slot = 0; slot < kCitySlots; ++slot) {
        const CCity* city = g_pCityManager->cities[slot];
        if (city == nullptr) continue;
        const int64_t dx = city->origin_x + kCityCentre - x;
        const int64_t dy = city->origin_y + kCityCentre - y;
        const auto distance =
            static_cast<int64_t>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
        if (distance < best) {
            best = distance;
            nearest = slot;
        }
    }
    return nearest;
}

void SelectionSortByKey(std::span<int32_t> order, std::span<const int64_t> keys) {
    const auto n = static_cast<int32_t>(order.size());
    for (int32_t i = 0; i + 1 < n; ++i) {
        int32_t smallest = i;
        for (int32_t j = i + 1; j < n; ++j) {
            if (keys[order[j]] < keys[order[smallest]]) smallest = j;
        }
        std::swap(order[i], order[smallest]);
    }
}

FS_FA_UEBER::FS_FA_UEBER() : EconomyScreen(kMsgFactoryOverviewDone) {}

FS_FA_UEBER::~FS_FA_UEBER() {
    delete sort_list;
    OverviewBuilding() = 0;
}

bool FS_FA_UEBER::ReadStock(FactoryRow& row) {
    CBuilding* b = g_ppBuildings != nullptr ? g_ppBuildings->At(row.building) : nullptr;
    if (b == nullptr || b->owner != 0 || b->type < kFirstFactoryType ||
        b->type > kLastFactoryType) {
        return false;
    }
    row.amounts.fill(0);
    row.goods.fill(-1);
    int32_t used = 0;
    for (int32_t g = 0; g < kGoodsCount && used < kStockEntries; ++g) {
        int32_t numerator = 0;
        int32_t denominator = 1;
        const int32_t n = b->GetStock(g, numerator, denominator);
        if (n <= 0) continue;
        row.goods[used] = g;
        row.amounts[used] = n;
        ++used;
    }
    return true;
}

void FS_FA_UEBER::BuildRows() {
    row_count = 0;
    for (auto& order : row_order) order.fill(-1);
    if (g_ppBuildings == nullptr) return;
    for (int32_t id = 0; id < kMaxRows; ++id) {
        CBuilding* b = g_ppBuildings->At(id);
        if (b == nullptr || b->owner != 0 || b->type < kFirstFactoryType ||
            b->type > kLastFactoryType) {
            continue;
        }
        FactoryRow& row = rows[row_count];
        row.type = b->type;
        row.building = id;
        row.city = NearestCity(b->anchor_x, b->anchor_y);
        row.product = b->GetProduct();
        ReadStock(row);
        row_order[0][row_count] = row_order[1][row_count] = row_count;
        ++row_count;
    }
    std::array<int64_t, kMaxRows> products{};
    std::array<int64_t, kMaxRows> cities{};
    for (int32_t r = 0; r < row_count; ++r) {
        products[r] = rows[r].product;
        cities[r] = rows[r].city;
    }
    SelectionSortByKey(std::span(row_order[0]).first(row_count), products);
    SelectionSortByKey(std::span(row_order[1]).first(row_count), cities);
}

bool FS_FA_UEBER::Open(plat::Window* parent) {
    if (!LoadPage(ss::kFactoryOverviewPicture, ss::kFactoryOverviewSheet)) return false;
    first_row = 0;
    BuildRows();
    if (!CreatePage(parent, kButtons, kCmdOk, true)) return false;
    sort = g_pGameState->factory_overview_sort == 1 ? 1 : 0;
    sort_list = MakeList(ss::kSortList, kSortListId, true, kMsgFirstListClicked);
    sort_list->AddLine("Production");
    sort_list->AddLine("Location");
    sort_list->SelectLine(sort);
    return true;
}

void FS_FA_UEBER::RebuildRows() {
    for (int32_t r = 0; r < row_count; ++r) ReadStock(rows[r]);
    Draw();
}

void FS_FA_UEBER::RefreshRows() {
    if (opened_row < 0 || opened_row >= row_count) return;
    FactoryRow& row = rows[opened_row];
    if (!ReadStock(row)) return;
    row.product = g_ppBuildings->At(row.building)->GetProduct();
}

int32_t FS_FA_UEBER::RowAt(int32_t position) const {
    const int32_t i = first_row + position;
    return i >= 0 && i < kMaxRows ? row_order[sort][i] : -1;
}

void FS_FA_UEBER::Draw() {
    const CGameState& gs = *g_pGameState;
    const plat::Rect panel = ss::kRowPanel;
    const plat::Rect strip = ss::kStateStrip;
    for (const plat::Rect& r : {panel, strip}) {
        plat::BitBlt(*canvas.dc, r.left, r.top, r.Width(), r.Height(), background.dc.get(), r.left,
                     r.top, plat::RasterOp::SrcCopy);
    }
    const WinGBitmap* icons = g_pHauptDialog != nullptr ? &g_pHauptDialog->goods_icons : nullptr;
    const auto icon = [&](int32_t good, int32_t x, int32_t y) {
        if (icons == nullptr || !icons->Loaded()) return;
        BlitDC(*canvas.dc, panel.left + x, panel.top + y, kIconSize, kIconSize, *icons->dc,
               (good + 1) * kIconSize, 0);
    };
    for (int32_t p = 0; p < kVisibleRows; ++p) {
        const int32_t r = RowAt(p);
        if (r < 0) continue;
        const FactoryRow& row = rows[r];
        const int32_t y = 34 + 116 * p;
        Text(std::string(gs.building_types[row.type].type_name) + " at " + CityName(row.city),
             panel.left, panel.top + y - 37);
        if (row.product >= 0 && row.product < kGoodsCount) {
            Text(Amount(gs.goods[row.product].production_cost), panel.left + 194,
                 panel.top + y - 16);
            Text(Amount(UnitMargin(row.product), AmountGroups::All), panel.left + 216,
                 panel.top + y);
        }
        icon(row.product, 76, y - 13);
        for (int32_t j = 0; j < kStockEntries; ++j) {
            if (row.goods[j] < 0) continue;
            icon(row.goods[j], 76 + 40 * j, y + 27);
            Text(Amount(row.amounts[j]), panel.left + 76 + 40 * j, panel.top + y + 60);
        }
    }
    const char* month = g_pHauptDialog != nullptr && gs.month >= 0 && gs.month < 12
                            ? g_pHauptDialog->month_names[gs.month]
                            : "";
    Text(std::string("State: ") + month + " " + std::to_string(gs.week * 7 + 1) + ", " +
             std::to_string(gs.year),
         strip.left, strip.top);
    ShowCanvas(panel);
    ShowCanvas(strip);
}

void FS_FA_UEBER::OnPaint(plat::DeviceContext& dc) {
    TileMargin(dc);
    ShowCanvas(dc);
    sort_list->Redraw(true);
    Draw();
}

bool FS_FA_UEBER::OnCommand(uint16_t command) {
    CGameState& gs = *g_pGameState;
    if (command == kCmdOk) {
        gs.factory_overview_sort = sort;
        Close(0);
        return true;
    }
    if (command == kCmdOverviewBack || command == kCmdOverviewOn) {
        if (command == kCmdOverviewBack && first_row >= 1) {
            --first_row;
            Draw();
        } else if (command == kCmdOverviewOn && first_row + kVisibleRows < row_count) {
            ++first_row;
            Draw();
        }
        return true;
    }
    if (command >= kCmdOverviewOpen && command < kCmdOverviewOpen + kVisibleRows) {
        const int32_t r = RowAt(command - kCmdOverviewOpen);
        if (r < 0) return true;
        opened_row = r;
        opened_building = rows[r].building;
        // This screen waits hidden while the production screen is open.
        OpenForBuilding(opened_building, kMsgOpenProduction);
        return true;
    }
    if (command >= kCmdOverviewGoTo && command < kCmdOverviewGoTo + kVisibleRows) {
        const int32_t r = RowAt(command - kCmdOverviewGoTo);
        const CBuilding* b =
            r >= 0 && g_ppBuildings != nullptr ? g_ppBuildings->At(rows[r].building) : nullptr;
        if (b == nullptr) return true;
        SelectFieldInView(b->anchor_x, b->anchor_y);
        gs.factory_overview_sort = sort;
        Close(1);
        return true;
    }
    return false;
}

bool FS_FA_UEBER::OnScreenMessage(uint32_t message, plat::WParam, plat::LParam) {
    if (message == WM_LBUTTONDOWN) return true;
    if (message != kMsgFirstListClicked) return false;
    const int32_t line = sort_list->last_clicked;
    if ((line == 0 || line == 1) && line != sort) {
        sort = line;
        sort_list->Redraw(true);
        first_row = 0;
        Draw();
    }
    return true;
}

const ScreenEntry kFactoryOverviewScreenEntry = {
    .slot = FrameScreen::FactoryOverview,
    .open_message = kMsgOpenFactoryOverview,
    .done_message = kMsgFactoryOverviewDone,
    .cancel_command = kCmdOk,
    .open_steps = kOpenCommon,
    .done_steps = kDoneCommon,
    .open = [](plat::Window& frame, plat::WParam,
               plat::LParam) { return OpenNew<FS_FA_UEBER>(frame); },
    .publish = [](plat::Window* screen) { g_pFactoryOverview = static_cast<FS_FA_UEBER*>(screen); },
    .notify =
        [](plat::Window* screen, FrameNotice notice) {
            if (notice == FrameNotice::AnimationsChanged) {
                static_cast<FS_FA_UEBER*>(screen)->RebuildRows();
            }
        },
};
