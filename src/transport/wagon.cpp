#include "transport/wagon.h"

#include "state/game_state.h"
#include "state/le_io.h"
#include "state/map_field.h"

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

void CWagon::Save(plat::FileHandle file) const {
    le::WriteBytes(file, spare_bytes, sizeof spare_bytes);
    le::WriteI32Array(file, screen_box, 4);
    le::WriteI32(file, screen_box_spare);
    le::WriteU8(file, x);
    le::WriteU8(file, y);
    le::WriteBytes(file, state_a, sizeof state_a);
    le::WriteI32(file, phase);
    le::WriteU8(file, drawn_x);
    le::WriteU8(file, drawn_y);
    le::WriteU8(file, next_direction);
    le::WriteU8(file, direction);
    le::WriteU8(file, prev_direction);
    le::WriteU8(file, prev_x);
    le::WriteU8(file, prev_y);
    le::WriteU8(file, state_b);
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
    ok = ok && le::ReadU8(file, x) && le::ReadU8(file, y);
    ok = ok && le::ReadBytes(file, state_a, sizeof state_a) == sizeof state_a;
    ok = ok && le::ReadI32(file, phase);
    ok = ok && le::ReadU8(file, drawn_x) && le::ReadU8(file, drawn_y);
    ok = ok && le::ReadU8(file, next_direction) && le::ReadU8(file, direction) &&
         le::ReadU8(file, prev_direction);
    ok = ok && le::ReadU8(file, prev_x) && le::ReadU8(file, prev_y) && le::ReadU8(file, state_b);
    ok = ok && le::ReadI32Array(file, state_c, 2) == 8;
    ok = ok && le::ReadI32(file, index);
    ok = ok && le::ReadI32Array(file, state_d, 9) == 36;
    ok = ok && le::ReadI32(file, in_tunnel) && le::ReadI32(file, on_bridge) &&
         le::ReadI32(file, hidden) && le::ReadI32(file, amount) && le::ReadI32(file, cargo_key);
    return ok;
}
