#pragma once
// CWagon: one rail car of a train. Made by the train and by the loader of the
// vehicle record, owned by its train. Its movement state is kept by the train
// in the 64-byte state block, laid out like the vehicle's movement block.

#include <cstdint>

#include "platform/file.h"
#include "transport/movement_head.h"

// Bytes of a wagon record: 5 spare bytes, the 20-byte screen box, the 64-byte
// state block and five 32-bit words.
constexpr uint32_t kWagonRecordSize = 109;

class CWagon {
  public:
    // A wagon on (x, y) with its cargo key (the first value) and its index in
    // the train; its screen box starts empty ({view width, 0, view height, 0}).
    CWagon(int32_t x, int32_t y, const char* name, int32_t cargo_key, int32_t index);

    // Clears the two `belegt` bits of the wagon's field unless a bridge or a
    // tunnel keeps the field from being the wagon's.
    void ReleaseField();
    // Short writes set g_WriteError.
    // The record's position and direction bytes (the writer only reads
    // through it).
    MovementHead Head() const;
    void Save(plat::FileHandle file) const;
    // Reads the record written by Save; true when all of it arrived. Puts
    // nothing on the map (see MarkField).
    bool Load(plat::FileHandle file);
    // Marks both `belegt` bits of the wagon's field when the wagon is neither
    // in a tunnel nor on a bridge and the field is no portal and no bridge end.
    void MarkField();
    int32_t GetFreeRoom() const { return 1 - amount; }

    // State block (64 bytes in the record).
    uint8_t x = 0;
    uint8_t y = 0;
    uint8_t state_a[2] = {};
    int32_t phase = 0;
    uint8_t drawn_x = 0;
    uint8_t drawn_y = 0;
    uint8_t next_direction = 0;
    uint8_t direction = 0;
    uint8_t prev_direction = 0;
    uint8_t prev_x = 0;  // the field the wagon came from
    uint8_t prev_y = 0;
    uint8_t state_b = 0;
    int32_t state_c[2] = {};
    int32_t index = 0;  // position in the train
    int32_t state_d[9] = {};

    int32_t cargo_key = 0;  // FindWagon matches it
    int32_t amount = 0;     // units on board, 0 or 1
    uint8_t spare_bytes[5] = {};
    int32_t screen_box[4] = {};
    int32_t screen_box_spare = 0;
    int32_t in_tunnel = 0;
    int32_t on_bridge = 0;
    int32_t hidden = 0;
};
