// Automatic path planning for the road and track tools: a breadth-first flood
// over the fields of a box around both ends, stepping only where a way of the
// chosen kind could run, then a trace back from the goal into the network's
// field path. The distance labels live in the fields' `laenge` (1..126, then
// 1 again; 125 also marks the fields that can never be entered) and the exits
// in the game state's `path_exit_mask`; both are left on the map.

#include <algorithm>

#include "state/game_state.h"
#include "state/map_field.h"
#include "world/field_queue.h"
#include "world/path_evaluation.h"
#include "world/way_network.h"

namespace {

constexpr int32_t kBoxMargin = 10;
constexpr uint8_t kBlockedLabel = 125;
constexpr uint8_t kLastLabel = 126;

struct PlanBox {
    int32_t x0, x1, y0, y1;  // x0 <= x < x1, y0 <= y < y1
    bool Contains(int32_t x, int32_t y) const { return x >= x0 && x < x1 && y >= y0 && y < y1; }
};

PlanBox MakeBox(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    PlanBox box;
    box.x0 = std::max(0, std::min(x1, x2) - kBoxMargin);
    box.x1 = std::min(kMapSize - 1, std::max(x1, x2) + kBoxMargin);
    box.y0 = std::max(0, std::min(y1, y2) - kBoxMargin);
    box.y1 = std::min(kMapSize - 1, std::max(y1, y2) + kBoxMargin);
    return box;
}

uint8_t& ExitMask(int32_t x, int32_t y) {
    return g_pGameState->path_exit_mask[FieldIndex(x, y)];
}

uint8_t NextLabel(int32_t label) {
    return static_cast<uint8_t>(label >= kLastLabel ? 1 : label + 1);
}

// Push order of the flood: N, S, E, W.
constexpr uint8_t kFloodOrder[4] = {kDirN, kDirS, kDirE, kDirW};
// Search order of the trace: E, W, S, N.
constexpr uint8_t kTraceOrder[4] = {kDirE, kDirW, kDirS, kDirN};

}  // namespace

int32_t CWayNetwork::PlanRoadPath(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    return PlanPath(PlanKind::Road, x1, y1, x2, y2);
}

int32_t CWayNetwork::PlanTrackPath(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    return PlanPath(PlanKind::Track, x1, y1, x2, y2);
}

int32_t CWayNetwork::PlanPath(PlanKind kind, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    FreePath();
    if (g_pGameState == nullptr || !InMap(x1, y1) || !InMap(x2, y2)) return 0;
    const PlanBox box = MakeBox(x1, y1, x2, y2);
    // Column and row 255 are never in the box; an end there cannot be planned.
    if (!box.Contains(x1, y1) || !box.Contains(x2, y2)) return 0;

    for (int32_t x = box.x0; x < box.x1; ++x) {
        for (int32_t y = box.y0; y < box.y1; ++y) {
            MapField* field = FieldAt(x, y);
            const bool enterable =
                field->teile_diff() <= 5 && (field->teile_art() != 0 || field->bridge_flag());
            if (enterable) {
                field->set_laenge(0);
                ExitMask(x, y) = kind == PlanKind::Road
                                     ? EvaluateRoadPathField(x, y)
                                     : EvaluateTrackPathField(x, y, current_way_type);
            } else {
                field->set_laenge(kBlockedLabel);
                ExitMask(x, y) = 0;
            }
        }
    }

    static CFieldQueue queue;  // 32 KB: kept out of the stack
    queue.Clear();
    queue.Push(static_cast<uint8_t>(x1), static_cast<uint8_t>(y1));
    FieldAt(x1, y1)->set_laenge(1);

    uint8_t x = 0;
    uint8_t y = 0;
    while (queue.Pop(x, y)) {
        const int32_t label = FieldAt(x, y)->laenge();
        if (x == x2 && y == y2) {
            if (TracePlannedPath(x1, y1, x2, y2, label)) return 1;
            FreePath();
            return 0;
        }
        const uint8_t next = NextLabel(label);
        const uint8_t exits = ExitMask(x, y);
        for (const uint8_t d : kFloodOrder) {
            if ((exits & d) == 0) continue;
            const int32_t index = DirIndexFromBit(d);
            const int32_t nx = x + DirDx(index);
            const int32_t ny = y + DirDy(index);
            // Outside the box the labels and exits are stale.
            if (!box.Contains(nx, ny)) continue;
            MapField* neighbour = FieldAt(nx, ny);
            if (neighbour->laenge() != 0) continue;
            if (queue.Push(static_cast<uint8_t>(nx), static_cast<uint8_t>(ny))) {
                neighbour->set_laenge(next);
            }
        }
    }
    return 0;
}

bool CWayNetwork::TracePlannedPath(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t label) {
    FreePath();
    // The flood labelled only the fields of the box around both ends.
    const PlanBox box = MakeBox(x1, y1, x2, y2);
    int32_t cx = x2;
    int32_t cy = y2;
    int32_t l = label;
    // Every move lowers the label by one, so a trace that has not reached
    // the start after visiting as many fields as the map holds is lost.
    for (int32_t moves = 0; moves <= kMapFieldCount; ++moves) {
        if (cx == x1 && cy == y1) return true;
        PushPathCell(static_cast<uint8_t>(cx), static_cast<uint8_t>(cy));
        int32_t p = l - 1;
        if (p == 0) {
            p = kLastLabel;
            l = kLastLabel + 1;
        }
        bool moved = false;
        const uint8_t exits = ExitMask(cx, cy);
        for (const uint8_t d : kTraceOrder) {
            const int32_t index = DirIndexFromBit(d);
            const int32_t px = cx + DirDx(index);
            const int32_t py = cy + DirDy(index);
            // Outside the box the labels are left from earlier plans.
            if (!box.Contains(px, py) || (exits & d) == 0) continue;
            if (FieldAt(px, py)->laenge() != p) continue;
            cx = px;
            cy = py;
            --l;
            moved = true;
            break;
        }
        if (!moved) break;
    }
    FreePath();
    return false;
}
