#include "screens/economy/store_overview_screen.h"

#include <string>

#include "cities/city.h"
#include "economy/attraction_rings.h"
#include "economy/building.h"
#include "economy/building_table.h"
#include "panel/list_box.h"
#include "screens/economy/economy_figures.h"
#include "screens/economy/economy_layout.h"
#include "screens/economy/statistics_layout.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/messages.h"

namespace es = economy_screens;
namespace ss = statistics_screens;

FS_KH_UEBER* g_pStoreOverview = nullptr;

namespace {

constexpr int32_t kFirstStoreType = 21;
constexpr int32_t kKinds = 6;
constexpr int32_t kProducts = 9;
constexpr int32_t kIntroMonth = 6;
constexpr int32_t kLastMonth = 10;
constexpr int32_t kThisMonth = 11;
constexpr uint32_t kKindListId = 1020;

constexpr const char* kKindNames[kKinds] = {"Toy Store", "Sports store",       "Furniture store",
                                            "Jeweler",   "Electronics outlet", "Car dealership"};

constexpr int32_t kBigW = es::kBigButtonWidth;
constexpr int32_t kBigH = es::kBigButtonHeight;
constexpr int32_t kRowW = ss::kRowButtonWidth;
constexpr int32_t kRowH = ss::kRowButtonHeight;

constexpr ButtonLayout kButtons[] = {
    OverviewButton(ss::kStoreOverviewOk, kCmdOk, 0, kBigW, kBigH),
    OverviewButton(ss::kColumnBackButton, kCmdOverviewBack, ss::kColumnBackFaceX, kBigW, kBigH),
    OverviewButton(ss::kColumnOnButton, kCmdOverviewOn, ss::kColumnOnFaceX, kBigW, kBigH),
    OverviewButton(ss::kSalesButtons[0], kCmdOverviewOpen, ss::kSalesFaceX, kRowW, kRowH),
    OverviewButton(ss::kSalesButtons[1], kCmdOverviewOpen + 1, ss::kSalesFaceX, kRowW, kRowH),
    OverviewButton(ss::kSalesButtons[2], kCmdOverviewOpen + 2, ss::kSalesFaceX, kRowW, kRowH),
    OverviewButton(ss::kStoreLocationButtons[0], kCmdOverviewGoTo, ss::kGoToFaceX, kRowW, kRowH),
    OverviewButton(ss::kStoreLocationButtons[1], kCmdOverviewGoTo + 1, ss::kGoToFaceX, kRowW,
                   kRowH),
    OverviewButton(ss::kStoreLocationButtons[2], kCmdOverviewGoTo + 2, ss::kGoToFaceX, kRowW,
                   kRowH),
};

bool IsPlayerStore(const CBuilding* b) {
    return b != nullptr && b->owner == 0 && b->type >= kFirstStoreType &&
           b->type < kFirstStoreType + kKinds;
}

}  // namespace

FS_KH_UEBER::FS_KH_UEBER()
    : BuildingOverview(kMsgStoreOverviewDone, kMsgOpenStoreSales, ss::kColumnPanel) {}

FS_KH_UEBER::~FS_KH_UEBER() {
    delete kind_list;
}

bool FS_KH_UEBER::Refresh(StoreRow& row, bool all_figures) {
    const CGameState& gs = *g_pGameState;
    CBuilding* b = g_ppBuildings != nullptr ? g_ppBuildings->At(row.building) : nullptr;
    if (!IsPlayerStore(b)) return false;
    // A store outside every city counts its own customers.
    if (CCity* city = row.city >= 0 ? CityOfSlot(row.city) : nullptr; city != nullptr) {
        city->RefreshStores(row.type);
    }
    row.customers = b->RecalcCustomers();
    if (all_figures) row.period_figure = b->GetPeriodFigure();
    if (all_figures) row.last_month_profit = 0;
    int32_t k = 0;
    for (int32_t g = 0; g < kGoodsCount && k < kProducts; ++g) {
        if (gs.goods[g].store_type != row.type || gs.goods[g].available != 1) continue;
        int32_t numerator = 0;
        int32_t denominator = 1;
        row.goods[k] = g;
        row.demand[k] = b->GetMonthlyDemand(kThisMonth, g);
        row.stock[k] = b->GetStock(g, numerator, denominator);
        if (all_figures) {
            row.delivered[k] = b->GetDeliveredUnits(0, g);
            row.last_month_profit += b->GetMonthlyProfit(kLastMonth, g);
        }
        ++k;
    }
    return true;
}

void FS_KH_UEBER::BuildRows() {
    row_count = 0;
    shown_count = 0;
    shown.fill(-1);
    store_order.fill(-1);
    if (g_ppBuildings == nullptr) return;
    for (int32_t id = 0; id < kMaxRows; ++id) {
        CBuilding* b = g_ppBuildings->At(id);
        if (!IsPlayerStore(b)) continue;
        StoreRow& row = stores[row_count];
        row = StoreRow{};
        row.goods.fill(-1);
        row.demand.fill(-1);
        row.stock.fill(-1);
        row.delivered.fill(-1);
        row.type = b->type;
        row.building = id;
        const MapField* anchor = FieldAt(b->anchor_x, b->anchor_y);
        row.city = anchor != nullptr ? anchor->stadtnum() - 1 : -1;
        Refresh(row, true);
        store_order[row_count] = row_count;
        ++row_count;
    }
    // By city, then by type.
    std::array<int64_t, kMaxRows> keys{};
    for (int32_t r = 0; r < row_count; ++r) {
        keys[r] = int64_t{stores[r].city} * 100 + stores[r].type;
    }
    SelectionSortByKey(std::span(store_order).first(row_count), keys);
}

void FS_KH_UEBER::FillKindList() {
    const CGameState& gs = *g_pGameState;
    kind_list->Clear();
    line_kinds.fill(-1);
    int32_t line = 0;
    for (int32_t k = 0; k < kKinds; ++k) {
        const int32_t intro = gs.building_types[kFirstStoreType + k].intro_year;
        if (gs.year < intro || (gs.year == intro && gs.month < kIntroMonth)) continue;
        kind_list->AddLine(kKindNames[k]);
        line_kinds[line++] = k;
    }
    for (int32_t i = 0; i < line; ++i) {
        if (kind_flags[line_kinds[i]] == 1) kind_list->SelectLine(i);
    }
    kind_list->last_clicked = -1;
}

void FS_KH_UEBER::BuildFilter() {
    shown.fill(-1);
    shown_count = 0;
    first_column = 0;
    for (int32_t i = 0; i < row_count; ++i) {
        const int32_t r = store_order[i];
        for (int32_t line = 0; line < 8; ++line) {
            const int32_t k = line_kinds[line];
            if (k < 0 || kind_flags[k] != 1 || kFirstStoreType + k != stores[r].type) continue;
            shown[shown_count++] = r;
            break;
        }
    }
}

bool FS_KH_UEBER::Open(plat::Window* parent) {
    if (!LoadPage(ss::kStoreOverviewPicture, ss::kStoreOverviewSheet)) return false;
    first_column = 0;
    for (int32_t k = 0; k < 8; ++k) kind_flags[k] = g_pGameState->store_overview_filter[k];
    if (!CreatePage(parent, kButtons, kCmdOk, true)) return false;
    BuildRows();
    kind_list = MakeList(ss::kKindList, kKindListId, true, kMsgFirstListClicked);
    kind_list->multi_select = 1;
    FillKindList();
    BuildFilter();
    return true;
}

void FS_KH_UEBER::RecalcRows() {
    for (int32_t r = 0; r < row_count; ++r) Refresh(stores[r], true);
    Draw();
}

void FS_KH_UEBER::RefreshStoreSales() {
    if (opened_row >= 0 && opened_row < row_count) Refresh(stores[opened_row], false);
}

int32_t FS_KH_UEBER::RecordAt(int32_t position) const {
    const int32_t i = first_column + position;
    return i >= 0 && i < kMaxRows ? shown[i] : -1;
}

void FS_KH_UEBER::KeepChoice() {
    for (int32_t k = 0; k < 8; ++k) g_pGameState->store_overview_filter[k] = kind_flags[k];
}

void FS_KH_UEBER::DrawRecords(const plat::Rect& panel) {
    const CGameState& gs = *g_pGameState;
    for (int32_t c = 0; c < kShown; ++c) {
        const int32_t r = RecordAt(c);
        if (r < 0) continue;
        const StoreRow& row = stores[r];
        const int32_t x = panel.left + 8 + 156 * c;
        const int32_t top = panel.top;
        const CCity* city = row.city >= 0 ? CityOfSlot(row.city) : nullptr;
        Text(gs.building_types[row.type].type_name, x, top - 1);
        Text(city != nullptr ? city->name : "-", x, top + 16);
        if (row.customers >= 0) Text(Amount(row.customers), x, top + 33);
        Text(Amount(row.period_figure, AmountGroups::All), x, top + 50);
        Text(Amount(row.last_month_profit, AmountGroups::All), x, top + 67);
        for (int32_t k = 0; k < kProducts; ++k) {
            if (row.goods[k] < 0) continue;
            const int32_t gx = x + 8 + 48 * (k % 3);
            const int32_t y = top + 136 + 85 * (k / 3);
            GoodsIcon(row.goods[k], gx, y - 50);
            Text(std::to_string(row.demand[k]), gx, y - 17);
            Text(std::to_string(row.delivered[k]), gx, y);
            Text(std::to_string(row.stock[k]), gx, y + 17);
        }
    }
}

void FS_KH_UEBER::OnPaint(plat::DeviceContext& dc) {
    TileMargin(dc);
    ShowCanvas(dc);
    kind_list->Redraw(true);
    Draw();
}

bool FS_KH_UEBER::OnCommand(uint16_t command) {
    return OnOverviewCommand(command, first_column, shown_count);
}

bool FS_KH_UEBER::OnScreenMessage(uint32_t message, plat::WParam, plat::LParam) {
    if (message == WM_LBUTTONDOWN) return true;
    if (message != kMsgFirstListClicked) return false;
    const int32_t line = kind_list->last_clicked;
    if (line >= 0 && line < 8 && line_kinds[line] >= 0) {
        kind_flags[line_kinds[line]] = kind_list->IsLineSelected(line) ? 1 : 0;
    }
    kind_list->Redraw(true);
    BuildFilter();
    Draw();
    return true;
}

const ScreenEntry kStoreOverviewScreenEntry = {
    .slot = FrameScreen::StoreOverview,
    .open_message = kMsgOpenStoreOverview,
    .done_message = kMsgStoreOverviewDone,
    .cancel_command = kCmdOk,
    .open_steps = kOpenCommon,
    .done_steps = kDoneCommonResumeMusic,
    .open = [](plat::Window& frame, plat::WParam,
               plat::LParam) { return OpenNew<FS_KH_UEBER>(frame); },
    .publish = [](plat::Window* screen) { g_pStoreOverview = static_cast<FS_KH_UEBER*>(screen); },
    .notify =
        [](plat::Window* screen, FrameNotice notice) {
            if (notice == FrameNotice::GameTick) {
                static_cast<FS_KH_UEBER*>(screen)->RecalcRows();
            }
        },
};
