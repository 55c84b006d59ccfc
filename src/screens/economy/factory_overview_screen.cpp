#include "screens/economy/factory_overview_screen.h"

#include <cmath>
#include <string>

#include "cities/city.h"
#include "cities/city_manager.h"
#include "economy/attraction_rings.h"
#include "economy/building.h"
#include "economy/building_table.h"
#include "panel/list_box.h"
#include "screens/economy/economy_figures.h"
#include "screens/economy/economy_layout.h"
#include "screens/economy/statistics_layout.h"
#include "state/game_state.h"
#include "state/messages.h"

namespace es = economy_screens;
namespace ss = statistics_screens;

FS_FA_UEBER* g_pFactoryOverview = nullptr;

namespace {

constexpr int32_t kFirstFactoryType = 14;
constexpr int32_t kLastFactoryType = 19;
constexpr int32_t kCityCentre = 13;
constexpr int32_t kStockEntries = 12;
constexpr uint32_t kSortListId = 1020;

constexpr int32_t kBigW = es::kBigButtonWidth;
constexpr int32_t kBigH = es::kBigButtonHeight;
constexpr int32_t kArrowW = ss::kArrowWidth;
constexpr int32_t kArrowH = ss::kArrowHeight;
constexpr int32_t kRowW = ss::kRowButtonWidth;
constexpr int32_t kRowH = ss::kRowButtonHeight;

constexpr ButtonLayout kButtons[] = {
    OverviewButton(ss::kFactoryOverviewOk, kCmdOk, ss::kFactoryOkFaceX, kBigW, kBigH),
    OverviewButton(ss::kRowUpButton, kCmdOverviewBack, 0, kArrowW, kArrowH),
    OverviewButton(ss::kRowDownButton, kCmdOverviewOn, kArrowW, kArrowW, kArrowH),
    OverviewButton(ss::kProductionButtons[0], kCmdOverviewOpen, ss::kProductionFaceX, kRowW, kRowH),
    OverviewButton(ss::kProductionButtons[1], kCmdOverviewOpen + 1, ss::kProductionFaceX, kRowW,
                   kRowH),
    OverviewButton(ss::kProductionButtons[2], kCmdOverviewOpen + 2, ss::kProductionFaceX, kRowW,
                   kRowH),
    OverviewButton(ss::kFactoryLocationButtons[0], kCmdOverviewGoTo, ss::kLocationFaceX, kRowW,
                   kRowH),
    OverviewButton(ss::kFactoryLocationButtons[1], kCmdOverviewGoTo + 1, ss::kLocationFaceX, kRowW,
                   kRowH),
    OverviewButton(ss::kFactoryLocationButtons[2], kCmdOverviewGoTo + 2, ss::kLocationFaceX, kRowW,
                   kRowH),
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

FS_FA_UEBER::FS_FA_UEBER()
    : BuildingOverview(kMsgFactoryOverviewDone, kMsgOpenProduction, ss::kRowPanel) {}

FS_FA_UEBER::~FS_FA_UEBER() {
    delete sort_list;
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

int32_t FS_FA_UEBER::RecordAt(int32_t position) const {
    const int32_t i = first_row + position;
    return i >= 0 && i < kMaxRows ? row_order[sort][i] : -1;
}

void FS_FA_UEBER::KeepChoice() {
    g_pGameState->factory_overview_sort = sort;
}

void FS_FA_UEBER::DrawRecords(const plat::Rect& panel) {
    const CGameState& gs = *g_pGameState;
    for (int32_t p = 0; p < kShown; ++p) {
        const int32_t r = RecordAt(p);
        if (r < 0) continue;
        const FactoryRow& row = rows[r];
        const int32_t y = 34 + 116 * p;
        Text(std::string(gs.building_types[row.type].type_name) + " at " + CityName(row.city),
             panel.left, panel.top + y - 37);
        if (row.product >= 0 && row.product < kGoodsCount) {
            Text(Amount(gs.goods[row.product].own_cost), panel.left + 194, panel.top + y - 16);
            Text(Amount(UnitMargin(row.product), AmountGroups::All), panel.left + 216,
                 panel.top + y);
        }
        GoodsIcon(row.product, panel.left + 76, panel.top + y - 13);
        for (int32_t j = 0; j < kStockEntries; ++j) {
            if (row.goods[j] < 0) continue;
            GoodsIcon(row.goods[j], panel.left + 76 + 40 * j, panel.top + y + 27);
            Text(Amount(row.amounts[j]), panel.left + 76 + 40 * j, panel.top + y + 60);
        }
    }
}

void FS_FA_UEBER::OnPaint(plat::DeviceContext& dc) {
    TileMargin(dc);
    ShowCanvas(dc);
    sort_list->Redraw(true);
    Draw();
}

bool FS_FA_UEBER::OnCommand(uint16_t command) {
    return OnOverviewCommand(command, first_row, row_count);
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
    .done_steps = kDoneCommonResumeMusic,
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
