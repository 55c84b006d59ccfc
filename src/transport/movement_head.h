#pragma once
// The position and direction bytes that vehicle and wagon records share, in
// their file order: the field, two spare bytes, the phase on the field, the
// field drawn, the next, current and previous direction, the field left and
// one spare byte (20 bytes).

#include <cstdint>

#include "platform/file.h"

struct MovementHead {
    uint8_t* x;
    uint8_t* y;
    uint8_t* spare_pair;  // two bytes
    int32_t* phase;
    uint8_t* drawn_x;
    uint8_t* drawn_y;
    uint8_t* next_direction;
    uint8_t* direction;
    uint8_t* prev_direction;
    uint8_t* left_x;
    uint8_t* left_y;
    uint8_t* spare;
};

void WriteMovementHead(plat::FileHandle file, const MovementHead& head);
// False when the file ends early.
bool ReadMovementHead(plat::FileHandle file, const MovementHead& head);
