// The train's wagons: adding and removing them at a stop, lining them up
// behind the engine, and moving them after the engine field by field.

#include "state/map_field.h"
#include "transport/road_driving.h"
#include "transport/train.h"
#include "transport/tunnel_flag.h"
#include "transport/wagon.h"
#include "world/way_piece_tables.h"

namespace {

// Phase beyond which a wagon with its bridge flag on a bridge end is drawn on
// the bridge, by heading (N, E, S, W) and view rotation.
constexpr int32_t kWagonBridgePhases[4][4] = {
    {18, 17, 20, 20}, {17, 20, 20, 18}, {20, 20, 18, 17}, {20, 18, 17, 20}};

// The last field on the map of the line from (x, y) going k steps of
// (dx, dy).
void StepWithinMap(int32_t x, int32_t y, int32_t dx, int32_t dy, int32_t k, int32_t& ox,
                   int32_t& oy) {
    ox = x;
    oy = y;
    for (int32_t s = 0; s < k && InMap(ox + dx, oy + dy); ++s) {
        ox += dx;
        oy += dy;
    }
}

bool IsBridgeEnd(int32_t x, int32_t y) {
    const MapField* field = FieldAt(x, y);
    return field != nullptr && field->bridge_end();
}

}  // namespace

void CTrain::PlaceWagons(bool aligned) {
    const int32_t heading = DirIndexFromBit(Heading());
    // The step opposite the travel direction.
    const int32_t dx = heading >= 0 ? -DirDx(heading) : 0;
    const int32_t dy = heading >= 0 ? -DirDy(heading) : 0;
    for (int32_t i = 0; i < wagon_count && i < kWagonSlots; ++i) {
        CWagon* w = wagons[i];
        if (w == nullptr) continue;
        int32_t x = 0;
        int32_t y = 0;
        StepWithinMap(pos_x, pos_y, dx, dy, i / 2 + 1, x, y);
        w->x = static_cast<uint8_t>(x);
        w->y = static_cast<uint8_t>(y);
        w->drawn_x = w->x;
        w->drawn_y = w->y;
        w->next_direction = next_direction;
        w->direction = direction;
        w->prev_direction = prev_direction;
        const bool even = i % 2 == 0;
        int32_t px = x;
        int32_t py = y;
        if (aligned) {
            w->phase = even ? kWaitPhase : kPhasesPerField - 1;
            StepWithinMap(x, y, dx, dy, 1, px, py);
        } else {
            w->phase = even ? kDecisionPhase : 0;
        }
        w->prev_x = static_cast<uint8_t>(px);
        w->prev_y = static_cast<uint8_t>(py);
        if (Markable(x, y, w->in_tunnel, w->on_bridge)) held.MarkField(x, y);
    }
    ReleaseUncoveredFields();
    // The wagons hold the links they are put in, as the engine held those it
    // drove through: a wagon made in a link the train had given up would
    // stand there unseen by the next train, which would drive into it.
    for (const TrainLink& link : LinksStoodIn()) held.ReserveLink(link.node, link.dir);
}

void CTrain::AddWagon(const char* name, int32_t product, int32_t cargo_slot) {
    // A train has room for six wagons; a seventh is refused.
    if (wagon_count >= kMaxWagons || wagon_count < 0) return;
    int32_t k = 0;
    for (int32_t i = 0; i < wagon_count; ++i) {
        if (wagons[i] != nullptr && wagons[i]->index < cargo_slot) ++k;
    }
    for (int32_t i = wagon_count; i > k; --i) wagons[i] = wagons[i - 1];
    const int32_t heading = DirIndexFromBit(Heading());
    int32_t x = pos_x;
    int32_t y = pos_y;
    if (heading >= 0) StepWithinMap(pos_x, pos_y, -DirDx(heading), -DirDy(heading), 1, x, y);
    wagons[k] = new CWagon(x, y, name, product, cargo_slot);
    ++wagon_count;
    PlaceWagons(false);
}

void CTrain::RemoveWagon(int32_t index) {
    if (index < 0 || index >= wagon_count || index >= kWagonSlots) return;
    delete wagons[index];
    for (int32_t i = index; i + 1 < wagon_count; ++i) wagons[i] = wagons[i + 1];
    wagons[wagon_count - 1] = nullptr;
    --wagon_count;
    PlaceWagons(false);
}

void CTrain::AlignWagons() {
    PlaceWagons(true);
}

void CTrain::SetStandingPhases(int32_t engine_phase, int32_t even_phase, int32_t odd_phase) {
    phase = engine_phase;
    for (int32_t i = 0; i < wagon_count && i < kWagonSlots; ++i) {
        if (wagons[i] != nullptr) wagons[i]->phase = i % 2 == 0 ? even_phase : odd_phase;
    }
}

void CTrain::AdvanceWagons() {
    if (wagon_count <= 0) return;
    // The current direction byte of the unit each wagon follows: the engine
    // for wagons 0 and 1, wagon i - 2 for wagon i (units of one parity reach
    // the middle of their fields together).
    uint8_t lead[2] = {direction, direction};
    const int32_t last = wagon_count - 1;
    for (int32_t i = 0; i <= last && i < kWagonSlots; ++i) {
        CWagon* w = wagons[i];
        if (w == nullptr) continue;
        w->phase = (w->phase + 1) % kPhasesPerField;
        const uint8_t heading = static_cast<uint8_t>(w->direction >> 4);
        const int32_t h = DirIndexFromBit(heading);
        if (w->phase == kDecisionPhase && h >= 0 && InMap(w->x + DirDx(h), w->y + DirDy(h))) {
            const int32_t nx = w->x + DirDx(h);
            const int32_t ny = w->y + DirDy(h);
            const MapField* from = FieldAt(w->x, w->y);
            const MapField* to = FieldAt(nx, ny);
            StepTunnelAndBridgeFlags(*from, *to, heading, TrainUnit::Wagon, w->in_tunnel,
                                     w->on_bridge);
            w->next_direction = lead[i % 2];
            w->prev_x = w->x;
            w->prev_y = w->y;
            w->x = static_cast<uint8_t>(nx);
            w->y = static_cast<uint8_t>(ny);
            if (Markable(nx, ny, w->in_tunnel, w->on_bridge)) held.MarkField(nx, ny);
            lead[i % 2] = w->direction;
            if (i == last) {
                // The last unit frees what the train held behind it: the
                // field it left and, at a node, the link it came along.
                ReleaseUncoveredFields();
                if (to->knoten() && !PassesUnderOrOver(*to, w->in_tunnel, w->on_bridge)) {
                    ReleaseHeldLink(to->knotennummer(), OppositeDirIndex(h));
                }
            }
        }
        if (w->phase == 0) {
            w->drawn_x = w->x;
            w->drawn_y = w->y;
            w->prev_direction = w->direction;
            w->direction = w->next_direction;
        }
        UpdateWagonDrawLayer(*w);
    }
}

void CTrain::UpdateWagonDrawLayer(CWagon& w) {
    // Only tunnel mouths and bridges change how a wagon is drawn.
    if (w.in_tunnel == 0 && w.on_bridge == 0 && w.hidden == 0) return;
    const MapField* drawn = FieldAt(w.drawn_x, w.drawn_y);
    if (drawn != nullptr && drawn->tportal()) {
        if (w.in_tunnel != 0 && w.phase > 9) w.hidden = 1;
        if (w.phase == kDecisionPhase && w.hidden == 1) {
            if (w.in_tunnel == 0 && w.on_bridge == 0) {
                w.hidden = 0;
            } else if (w.on_bridge != 0) {
                w.hidden = 2;
            }
        }
    }
    const int32_t h = DirIndexFromBit(static_cast<uint8_t>(w.direction >> 4));
    if (w.on_bridge != 0 && w.hidden == 0 && IsBridgeEnd(w.x, w.y) && h >= 0 &&
        w.phase > kWagonBridgePhases[h][ViewRotation()]) {
        w.hidden = 2;
    }
    if (w.hidden == 2 && w.on_bridge == 0 && w.phase == kWaitPhase &&
        IsBridgeEnd(w.prev_x, w.prev_y)) {
        w.hidden = 0;
    }
}
