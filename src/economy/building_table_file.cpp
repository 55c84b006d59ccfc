// The building table's record of the level file: a uint32 count, then per
// building in ascending slot order a 20-byte header {uint8 type, 3 reserved
// bytes, uint32 slot, int32 x, int32 y, 4 reserved bytes} and the building's
// own record, whose size is fixed by its type.

#include <bitset>
#include <functional>
#include <memory>
#include <vector>

#include "economy/building_factory.h"
#include "economy/building_kinds.h"
#include "economy/building_table.h"
#include "economy/record_io.h"
#include "state/game_state.h"
#include "state/le_io.h"
#include "state/map_field.h"
#include "state/view_events.h"

namespace {

struct RecordHeader {
    int32_t type;
    int32_t slot;
    int32_t x;
    int32_t y;
};

// Reads every header and record with the checks of a sound table and hands
// each to `take`, which answers whether the record's values were sound. False
// at the first damage.
bool WalkRecords(plat::FileHandle file,
                 const std::function<bool(const RecordHeader&, RecordReader&)>& take) {
    uint32_t count = 0;
    if (!le::ReadU32(file, count) || count > static_cast<uint32_t>(kLastBuildingSlot)) {
        return false;
    }
    std::bitset<kBuildingSlots> used;
    std::vector<uint8_t> record;
    for (uint32_t i = 0; i < count; ++i) {
        uint8_t raw[kBuildingHeaderSize];
        if (le::ReadBytes(file, raw, kBuildingHeaderSize) != kBuildingHeaderSize) return false;
        const RecordHeader header{raw[0], static_cast<int32_t>(le::GetU32(raw + 4)),
                                  static_cast<int32_t>(le::GetU32(raw + 8)),
                                  static_cast<int32_t>(le::GetU32(raw + 12))};
        const bool slotOk = header.slot >= kFirstBuildingSlot && header.slot <= kLastBuildingSlot;
        if (!HasBuildingClass(header.type) || !slotOk || used.test(header.slot) ||
            !InMap(header.x, header.y)) {
            return false;
        }
        used.set(header.slot);
        const auto size = static_cast<uint32_t>(RecordSizeOfType(header.type));
        record.assign(size, 0);
        if (size > 0 && le::ReadBytes(file, record.data(), size) != size) return false;
        RecordReader reader(record.data(), size);
        if (!take(header, reader)) return false;
    }
    return true;
}

}  // namespace

void CBuildingTable::Save(plat::FileHandle file) const {
    uint32_t count = 0;
    for (int32_t i = kFirstBuildingSlot; i <= kLastBuildingSlot; ++i) {
        if (buildings[i] != nullptr) ++count;
    }
    le::WriteU32(file, count);
    for (int32_t i = kFirstBuildingSlot; i <= kLastBuildingSlot; ++i) {
        const CBuilding* b = buildings[i];
        if (b == nullptr) continue;
        RecordWriter out;
        out.PutU8(static_cast<uint8_t>(b->type));
        for (int k = 0; k < 3; ++k) out.PutU8(0);
        out.PutI32(i);
        out.PutI32(b->anchor_x);
        out.PutI32(b->anchor_y);
        out.PutI32(0);
        b->Save(out);
        le::WriteBytes(file, out.bytes().data(), out.size());
    }
}

bool CBuildingTable::Load(plat::FileHandle file) {
    DeleteAll();
    const bool animate = g_pGameState != nullptr && g_pGameState->opt_animations == 1;
    const bool sound = WalkRecords(file, [&](const RecordHeader& h, RecordReader& in) {
        CBuilding* b = CreateBuilding(h.type, h.x, h.y, true);
        if (b == nullptr) return false;
        buildings[h.slot] = b;
        const int32_t animation = AnimationKindOfType(h.type);
        if (animate && animation >= 0) {
            Views().AddAnimation(h.x, h.y, animation);
        }
        b->Load(in);
        b->type = h.type;
        // The reading checks the values again: the file may have changed
        // since the check.
        return in.Sound();
    });
    if (!sound) DeleteAll();
    return sound;
}

bool CBuildingTable::CheckRecord(plat::FileHandle file, int32_t (*types)[kBuildingSlots],
                                 int32_t (*anchors)[kBuildingSlots]) {
    if (types != nullptr) {
        for (int32_t& type : *types) type = -1;
    }
    return WalkRecords(file, [types, anchors](const RecordHeader& h, RecordReader& in) {
        if (types != nullptr) (*types)[h.slot] = h.type;
        if (anchors != nullptr) (*anchors)[h.slot] = FieldIndex(h.x, h.y);
        // A building made for loading reads its record into itself without
        // touching the game; only the values it read are looked at.
        const std::unique_ptr<CBuilding> scratch(CreateBuilding(h.type, h.x, h.y, true));
        if (scratch == nullptr) return false;
        scratch->Load(in);
        return in.Sound();
    });
}
