#include "transport/movement_head.h"

#include "state/le_io.h"

void WriteMovementHead(plat::FileHandle file, const MovementHead& head) {
    le::WriteU8(file, *head.x);
    le::WriteU8(file, *head.y);
    le::WriteBytes(file, head.spare_pair, 2);
    le::WriteI32(file, *head.phase);
    for (const uint8_t* b : {head.drawn_x, head.drawn_y, head.next_direction, head.direction,
                             head.prev_direction, head.left_x, head.left_y, head.spare}) {
        le::WriteU8(file, *b);
    }
}

bool ReadMovementHead(plat::FileHandle file, const MovementHead& head) {
    bool ok = le::ReadU8(file, *head.x) && le::ReadU8(file, *head.y) &&
              le::ReadBytes(file, head.spare_pair, 2) == 2 && le::ReadI32(file, *head.phase);
    for (uint8_t* b : {head.drawn_x, head.drawn_y, head.next_direction, head.direction,
                       head.prev_direction, head.left_x, head.left_y, head.spare}) {
        ok = ok && le::ReadU8(file, *b);
    }
    return ok;
}
