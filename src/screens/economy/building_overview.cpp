#include "screens/economy/building_overview.h"

#include <string>
#include <utility>

#include "economy/building.h"
#include "economy/building_table.h"
#include "gfx/blit_dc.h"
#include "panel/control_panel.h"
#include "platform/gdi.h"
#include "screens/economy/economy_figures.h"
#include "screens/economy/statistics_layout.h"
#include "state/game_state.h"
#include "state/messages.h"

namespace ss = statistics_screens;

namespace {

constexpr int32_t kIconSize = 32;

}  // namespace

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

BuildingOverview::~BuildingOverview() {
    OverviewBuilding() = 0;
}

void BuildingOverview::GoodsIcon(int32_t good, int32_t x, int32_t y) {
    const WinGBitmap* icons = g_pHauptDialog != nullptr ? &g_pHauptDialog->goods_icons : nullptr;
    if (icons == nullptr || !icons->Loaded()) return;
    BlitDC(*canvas.dc, x, y, kIconSize, kIconSize, *icons->dc, (good + 1) * kIconSize, 0);
}

void BuildingOverview::Draw() {
    const CGameState& gs = *g_pGameState;
    const plat::Rect strip = ss::kStateStrip;
    for (const plat::Rect& r : {panel_, strip}) {
        plat::BitBlt(*canvas.dc, r.left, r.top, r.Width(), r.Height(), background.dc.get(), r.left,
                     r.top, plat::RasterOp::SrcCopy);
    }
    // A place without a record is drawn empty; its buttons stay on the page
    // and do nothing (OnOverviewCommand).
    DrawRecords(panel_);
    const char* month = g_pHauptDialog != nullptr && gs.month >= 0 && gs.month < 12
                            ? g_pHauptDialog->month_names[gs.month]
                            : "";
    Text(std::string("State: ") + month + " " + std::to_string(gs.week * 7 + 1) + ", " +
             std::to_string(gs.year),
         strip.left, strip.top);
    ShowCanvas(panel_);
    ShowCanvas(strip);
}

bool BuildingOverview::OnOverviewCommand(uint16_t command, int32_t& first, int32_t count) {
    if (command == kCmdOk) {
        KeepChoice();
        Close(0);
        return true;
    }
    if (command == kCmdOverviewBack || command == kCmdOverviewOn) {
        if (command == kCmdOverviewBack && first >= 1) {
            --first;
            Draw();
        } else if (command == kCmdOverviewOn && first + kShown < count) {
            ++first;
            Draw();
        }
        return true;
    }
    if (command >= kCmdOverviewOpen && command < kCmdOverviewOpen + kShown) {
        const int32_t r = RecordAt(command - kCmdOverviewOpen);
        if (r < 0) return true;
        opened_row = r;
        opened_building = BuildingOf(r);
        // This screen waits hidden while the building's screen is open.
        OpenForBuilding(opened_building, open_message_);
        return true;
    }
    if (command >= kCmdOverviewGoTo && command < kCmdOverviewGoTo + kShown) {
        const int32_t r = RecordAt(command - kCmdOverviewGoTo);
        const CBuilding* b =
            r >= 0 && g_ppBuildings != nullptr ? g_ppBuildings->At(BuildingOf(r)) : nullptr;
        if (b == nullptr) return true;
        SelectFieldInView(b->anchor_x, b->anchor_y);
        KeepChoice();
        Close(1);
        return true;
    }
    return false;
}
