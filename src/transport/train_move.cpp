// The train's step of every frame: speed, the phases across each field, the
// drawing state at tunnel mouths and bridges, the decision at each field
// middle, the arrival at a stop and the pacing of the goods exchange.

#include "platform/clock.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "transport/road_driving.h"
#include "transport/train.h"
#include "transport/wagon.h"

namespace {

constexpr int32_t kRefusedWait = 32;
constexpr int32_t kExchangeRetryWait = 256;

// Tunnel mouth: phase from which an engine in the tunnel is hidden, and from
// which a hidden engine out of it is drawn again; by heading (N, E, S, W)
// and view rotation.
struct PortalPhases {
    int32_t hide;
    int32_t show;
};
constexpr PortalPhases kPortalPhases[4][4] = {
    {{23, 31}, {10, 18}, {10, 18}, {10, 29}},
    {{10, 18}, {10, 28}, {20, 29}, {16, 31}},
    {{10, 18}, {20, 29}, {23, 31}, {10, 31}},
    {{20, 29}, {16, 31}, {10, 18}, {10, 28}},
};
// Bridge end: phase from which an engine coming onto the bridge is drawn on
// it, and from which an engine that has left it is drawn normally again.
constexpr int32_t kOntoBridgePhases[4][4] = {
    {18, 17, 20, 17}, {17, 20, 17, 18}, {20, 17, 18, 17}, {17, 18, 17, 20}};
constexpr int32_t kOffBridgePhases[4][4] = {
    {22, 23, 28, 20}, {23, 28, 20, 22}, {28, 20, 22, 23}, {20, 22, 23, 28}};

}  // namespace

int32_t CTrain::Move() {
    ReleaseLinksLeft();
    if (StandsThisFrame()) return 0;
    if (state == 1) {
        CountDepartureSound();
        state = 2;
        depart_time = static_cast<int32_t>(plat::TimeGetTime());
    }
    for (int32_t done = 0; done < steps_per_frame; ++done) {
        UpdateSpeed();
        if (state == 2) SetStandingPhases(kWaitPhase, kWaitPhase, kPhasesPerField - 1);
        if (needs_route == 1) {
            if (stop_count < 2) {
                wait_counter = kRefusedWait;
                return 0;
            }
            RouteRequest();
        }
        if (loading_state == 1) {
            ExchangeGoods(kExchangeRetryWait);
            return 0;
        }
        const int32_t before = phase;
        last_phase = phase;
        phase = (phase + 1) % kPhasesPerField;
        if (phase == kWaitPhase || phase == kPhasesPerField - 1) PushUnitRecord();
        UpdateDrawLayer();
        if (phase == kDecisionPhase) {
            if (IsAtStop() != 0) {
                Arrive();
            } else {
                Drive();
                if (removal_flag == 1) return 0;
            }
            visible = FieldInView(pos_x, pos_y);
        }
        if (state == 2) SetStandingPhases(kDecisionPhase, kDecisionPhase, 0);
        if (phase != before && wagon_count > 0 && state == 0 && loading_state == 0) {
            AdvanceWagons();
        }
        if (phase == 0) EndField();
        if (wait_counter != 0) return 0;
    }
    return 0;
}

void CTrain::RouteRequest() {
    if (schedule_changed == 1) {
        RestartSchedule();
        return;
    }
    PlanRoute();
    // A train without wagons that turned counts its own field as the one it
    // left: the link behind it is the platform's, where the wagons it is
    // about to get are made, and the engine gives it up only once it has
    // left the node (StepOnto) or its last wagon passes it.
    if (turned == 1 && (left_x != pos_x || left_y != pos_y)) {
        const MapField* left = FieldAt(left_x, left_y);
        if (left != nullptr) {
            ReleaseHeldLink(left->knotennummer(),
                            DirIndexFromBit(static_cast<uint8_t>(direction & 0x0F)));
        }
    }
    loading_state = 1;
    needs_route = 0;
}

void CTrain::Arrive() {
    arrive_time = static_cast<int32_t>(plat::TimeGetTime());
    trip_time = static_cast<int32_t>(static_cast<uint32_t>(arrive_time) -
                                     static_cast<uint32_t>(depart_time));
    SettleRunningCosts();
    lane = 0;
    if (reversals != 0 && target_stop == stop_served) {
        // Back at the stop it was leaving: no goods change hands again.
        ++retry_count;
        PlanRoute();
        state = 2;
        if (stop_count == 1 && path.Count() == 0) needs_route = 1;
    } else {
        CloseRoundTripCosts();
        UnloadGoods();
        phase = kDecisionPhase;
        loading_state = 1;
        if (reversals == 0) retry_count = 0;
        arrival_counter = 0;
        PlanRoute();
        if (stop_count == 1 && path.Count() == 0) needs_route = 1;
    }
    reversals = 0;
    arrival_counter = 0;
}

void CTrain::PushUnitRecord() {
    for (int32_t i = kTrainUnitRecords - 1; i > 0; --i) unit_records[i] = unit_records[i - 1];
    TrainUnitRecord& r = unit_records[0];
    r.x = pos_x;
    r.y = pos_y;
    r.phase = phase;
    r.drawn_x = drawn_x;
    r.drawn_y = drawn_y;
    r.next_direction = next_direction;
    r.direction = direction;
    r.prev_direction = prev_direction;
    r.prev_x = left_x;
    r.prev_y = left_y;
    r.in_tunnel = in_tunnel;
    r.on_bridge = on_bridge;
    r.draw_layer = draw_layer;
}

void CTrain::UpdateDrawLayer() {
    const int32_t h = DirIndexFromBit(Heading());
    if (h < 0) return;
    const int32_t r = ViewRotation();
    const MapField* field = FieldAt(pos_x, pos_y);
    if (field == nullptr) return;
    // Only tunnel mouths and bridges change how the engine is drawn.
    if (!field->tportal() && on_bridge == 0 && draw_layer != 2) return;
    if (field->tportal()) {
        const PortalPhases& p = kPortalPhases[h][r];
        if (draw_layer == 1) {
            const int32_t ontoBridge = (h == kDirIndexS && r == 2) ? 28 : p.show;
            if (in_tunnel == 0 && on_bridge == 0 && phase >= p.show) {
                draw_layer = 0;
            } else if (in_tunnel == 0 && on_bridge != 0 && phase >= ontoBridge) {
                draw_layer = 2;
            }
        } else if (in_tunnel != 0 && phase >= p.hide) {
            draw_layer = 1;
        }
    }
    if (on_bridge != 0 && draw_layer == 0 && field->bridge_end() &&
        phase >= kOntoBridgePhases[h][r]) {
        draw_layer = 2;
    }
    const MapField* left = FieldAt(left_x, left_y);
    if (on_bridge == 0 && draw_layer == 2 && in_tunnel == 0 && left != nullptr &&
        !left->bridge_end() && phase >= kOffBridgePhases[h][r]) {
        draw_layer = 0;
    }
}
