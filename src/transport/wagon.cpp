#include "transport/wagon.h"

#include "state/game_state.h"
#include "state/le_io.h"
#include "state/map_field.h"
#include "transport/movement_head.h"

CWagon::CWagon(int32_t x_, int32_t y_, const char* /*name*/, int32_t key, int32_t index_)
    : x(static_cast<uint8_t>(x_)),
      y(static_cast<uint8_t>(y_)),
      prev_x(static_cast<uint8_t>(x_)),
      prev_y(static_cast<uint8_t>(y_)),
      index(index_),
      cargo_key(key) {
    const CGameState* gs = g_pGameState;
    screen_box[0] = gs != nullptr ? gs->view_width : 0;
    screen_box[2] = gs != nullptr ? gs->view_height : 0;
}

void CWagon::ReleaseField() {
    MapField* field = FieldAt(x, y);
    if (field == nullptr) return;
    if (on_bridge != 0 && !field->bridge_end()) return;
    if (in_tunnel != 0 && !field->tportal()) return;
    field->set_belegt(0);
}

void CWagon::MarkField() {
    MapField* field = FieldAt(x, y);
    if (field == nullptr || in_tunnel != 0 || on_bridge != 0) return;
    if (field->tportal() || field->bridge_end()) return;
    field->set_belegt(3);
}

MovementHead CWagon::Head() const {
    auto* self = const_cast<CWagon*>(this);
    return {&self->x,
            &self->y,
            self->state_a,
            &self->phase,
            &self->drawn_x,
            &self->drawn_y,
            &self->next_direction,
            &self->direction,
            &self->prev_direction,
            &self->prev_x,
            &self->prev_y,
            &self->state_b};
}

void CWagon::Save(plat::FileHandle file) const {
    le::WriteBytes(file, spare_bytes, sizeof spare_bytes);
    le::WriteI32Array(file, screen_box, 4);
    le::WriteI32(file, screen_box_spare);
    WriteMovementHead(file, Head());
    le::WriteI32Array(file, state_c, 2);
    le::WriteI32(file, index);
    le::WriteI32Array(file, state_d, 9);
    le::WriteI32(file, in_tunnel);
    le::WriteI32(file, on_bridge);
    le::WriteI32(file, hidden);
    le::WriteI32(file, amount);
    le::WriteI32(file, cargo_key);
}

bool CWagon::Load(plat::FileHandle file) {
    bool ok = le::ReadBytes(file, spare_bytes, sizeof spare_bytes) == sizeof spare_bytes;
    ok = ok && le::ReadI32Array(file, screen_box, 4) == 16;
    ok = ok && le::ReadI32(file, screen_box_spare);
    ok = ok && ReadMovementHead(file, Head());
    ok = ok && le::ReadI32Array(file, state_c, 2) == 8;
    ok = ok && le::ReadI32(file, index);
    ok = ok && le::ReadI32Array(file, state_d, 9) == 36;
    ok = ok && le::ReadI32(file, in_tunnel) && le::ReadI32(file, on_bridge) &&
         le::ReadI32(file, hidden) && le::ReadI32(file, amount) && le::ReadI32(file, cargo_key);
    return ok;
}
