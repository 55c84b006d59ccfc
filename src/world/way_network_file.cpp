// The way network's record in the level file: a count, then every existing
// node in ascending number order as its number and its 40-byte node.

#include "state/le_io.h"
#include "world/way_network.h"

namespace {

void EncodeNode(const WayNode& node, uint8_t* out) {
    for (int32_t i = 0; i < 4; ++i) {
        le::PutU32(out + 4 * i, static_cast<uint32_t>(node.ziel[i]));
        le::PutU32(out + 16 + 4 * i, static_cast<uint32_t>(node.cost[i]));
        out[32 + i] = node.belegt[i];
        out[36 + i] = node.back[i];
    }
}

// False when a link target, cost or back direction is out of range.
bool DecodeNode(const uint8_t* in, WayNode& node) {
    for (int32_t i = 0; i < 4; ++i) {
        node.ziel[i] = static_cast<int32_t>(le::GetU32(in + 4 * i));
        node.cost[i] = static_cast<int32_t>(le::GetU32(in + 16 + 4 * i));
        node.belegt[i] = in[32 + i];
        node.back[i] = in[36 + i];
        if (node.ziel[i] < 0 || node.ziel[i] > kMaxWayNodes || node.cost[i] < 0) return false;
        if (node.back[i] > 3 && node.back[i] != kNoBackDirection) return false;
    }
    return true;
}

}  // namespace

void CWayNetwork::Save(plat::FileHandle file) const {
    le::WriteU32(file, static_cast<uint32_t>(NodeCount()));
    uint8_t record[kWayNodeRecordSize];
    for (int32_t n = 1; n < kWayNodeSlots; ++n) {
        if (nodes[n] == nullptr) continue;
        le::WriteU32(file, static_cast<uint32_t>(n));
        EncodeNode(*nodes[n], record);
        le::WriteBytes(file, record, kWayNodeRecordSize);
    }
}

bool CWayNetwork::Load(plat::FileHandle file) {
    FreeAllNodes();
    uint32_t count = 0;
    if (!le::ReadU32(file, count) || count > static_cast<uint32_t>(kMaxWayNodes)) return false;
    uint8_t record[kWayNodeRecordSize];
    for (uint32_t k = 0; k < count; ++k) {
        uint32_t number = 0;
        WayNode node;
        const bool complete = le::ReadU32(file, number) &&
                              le::ReadBytes(file, record, kWayNodeRecordSize) == kWayNodeRecordSize;
        if (!complete || number < 1 || number > static_cast<uint32_t>(kMaxWayNodes) ||
            nodes[number] != nullptr || !DecodeNode(record, node)) {
            FreeAllNodes();
            return false;
        }
        nodes[number] = new WayNode(node);
    }
    return true;
}
