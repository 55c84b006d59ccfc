#include "economy/train_station.h"

#include "economy/building_kinds.h"
#include "economy/economy_bookings.h"
#include "economy/record_io.h"
#include "state/map_field.h"
#include "world/way_network.h"

namespace {

constexpr int32_t kCatchmentReach = 5;
constexpr int32_t kCatchmentSide = 8;  // reach across the four fields of a line
constexpr int32_t kLinePrice = 200;

// Demolition price of one field of way, by way type 1..6.
int32_t WayDemolitionPrice(int32_t wegtyp) {
    static constexpr int32_t kPrices[7] = {0, 440, 440, 220, 290, 360, 420};
    return wegtyp >= 0 && wegtyp <= 6 ? kPrices[wegtyp] : 0;
}

// The way-network node of a field, 0 for none.
int32_t NodeOf(int32_t x, int32_t y) {
    const MapField* field = FieldAt(x, y);
    return field != nullptr && field->knoten() ? field->knotennummer() : 0;
}

}  // namespace

int32_t StationGeometry::LineOf(int32_t x, int32_t y) const {
    int32_t line = -1;
    switch (type) {
        case 6:
            line = anchor_y - y;
            break;
        case 7:
            line = x - anchor_x;
            break;
        case 8:
            line = y - anchor_y;
            break;
        case 9:
            line = anchor_x - x;
            break;
        default:
            break;
    }
    return line >= 0 ? line : -1;
}

void CTrainStation::Load(RecordReader& in) {
    LoadName(in);
    length = in.GetI32();
    in.Require(length >= 1 && length <= kMaxStationLength);
    if (length < 1) length = 1;
    if (length > kMaxStationLength) length = kMaxStationLength;
    SetOwnerFromAnchor();
}

void CTrainStation::Save(RecordWriter& out) const {
    SaveName(out);
    out.PutI32(length);
}

void CTrainStation::GetScanRect(int32_t& x0, int32_t& y0, int32_t& x1, int32_t& y1) const {
    const int32_t x = anchor_x;
    const int32_t y = anchor_y;
    x0 = x - kCatchmentReach;
    y0 = y - kCatchmentReach;
    x1 = x + kCatchmentSide;
    y1 = y + kCatchmentSide;
    switch (type) {
        case 6:
            y0 = y - length - kCatchmentReach;
            y1 = y + kCatchmentReach;
            break;
        case 7:
            x1 = x + length + kCatchmentReach;
            break;
        case 8:
            y1 = y + length + kCatchmentReach;
            break;
        case 9:
            x0 = x - length - kCatchmentReach;
            x1 = x + kCatchmentReach;
            break;
        default:
            break;
    }
}

int32_t CTrainStation::Extend() {
    // The station tool refuses a fifth line before it gets here; without this
    // guard another caller would give the station a fifth line whose
    // demolition query mark lies beyond query_marks.
    if (length >= kMaxStationLength) return 0;
    ++length;
    const int32_t price = PriceOfType(kTypeTrainStation) / 2;
    ChargeCost(OwnerPlayer(*this), price, kCostConstruction);
    return price;
}

int LinkEndsOfRow(const StationGeometry& g, int32_t x, int32_t y, LinkEnd (&ends)[3]) {
    if (g.type == 6 || g.type == 8) {
        const int32_t first = NodeOf(g.anchor_x, y);
        ends[0] = {first, kDirE};
        ends[1] = {first, kDirW};
        ends[2] = {NodeOf(g.anchor_x + 3, y), kDirE};
        return 3;
    }
    if (g.type == 7 || g.type == 9) {
        const int32_t first = NodeOf(x, g.anchor_y);
        ends[0] = {first, kDirN};
        ends[1] = {first, kDirS};
        ends[2] = {NodeOf(x, g.anchor_y + 3), kDirS};
        return 3;
    }
    return 0;
}

int32_t CTrainStation::IsTileOccupied(int32_t x, int32_t y) const {
    if (g_pWayNetwork == nullptr) return 0;
    LinkEnd ends[3];
    const int count = LinkEndsOfRow(geometry(), x, y, ends);
    for (int k = 0; k < count; ++k) {
        const WayNode* node = g_pWayNetwork->Node(ends[k].node);
        const int32_t i = DirIndexFromBit(ends[k].direction);
        if (node == nullptr || i < 0) continue;
        if (node->belegt[i] != 0) return 1;
        const WayNode* next = g_pWayNetwork->Node(node->ziel[i]);
        const uint8_t back = node->back[i];
        if (next != nullptr && back < 4 && next->belegt[back] != 0) return 1;
    }
    return 0;
}

void CTrainStation::OccupyTile(int32_t x, int32_t y) {
    if (g_pWayNetwork == nullptr) return;
    LinkEnd ends[3];
    const int count = LinkEndsOfRow(geometry(), x, y, ends);
    for (int k = 0; k < count; ++k) g_pWayNetwork->SetLinkFlag(ends[k].node, ends[k].direction);
}

void CTrainStation::ReleaseTile(int32_t x, int32_t y) {
    if (g_pWayNetwork == nullptr) return;
    LinkEnd ends[3];
    const int count = LinkEndsOfRow(geometry(), x, y, ends);
    for (int k = 0; k < count; ++k) g_pWayNetwork->ClearLinkFlag(ends[k].node, ends[k].direction);
}

int32_t CTrainStation::RowCost(int32_t row) const {
    const StationGeometry g = geometry();
    const MapField* field = FieldAt(g.line_x(row + 1, 0), g.line_y(row + 1, 0));
    return field != nullptr ? 4 * WayDemolitionPrice(field->wegtyp()) : 0;
}

int32_t CTrainStation::CountRow(int32_t row) {
    const StationGeometry g = geometry();
    query_marks[row] = 1;
    for (int32_t k = 0; k < 4; ++k)
        MarkForDemolition(g.line_x(row + 1, k), g.line_y(row + 1, k), 1, 1);
    if (IsTileOccupied(g.line_x(row + 1, 0), g.line_y(row + 1, 0)) == 1) return -1;
    return RowCost(row);
}

int32_t CTrainStation::GetDemolitionCost(int32_t x, int32_t y) {
    if (owner != 0) return -1;
    const StationGeometry g = geometry();
    const int32_t line = g.LineOf(x, y);
    if (line < 0 || line > length) return 0;
    if (line > 0) {
        const int32_t row = line - 1;
        return query_marks[row] != 0 ? 0 : CountRow(row);
    }
    // The head line stands for the whole station.
    int32_t cost = (length + 1) * kLinePrice;
    bool blocked = false;
    for (int32_t row = 0; row < length; ++row) {
        if (query_marks[row] == 0) {
            const int32_t rowCost = CountRow(row);
            if (rowCost < 0) {
                blocked = true;
            } else {
                cost += rowCost;
            }
        } else if (IsTileOccupied(g.line_x(row + 1, 0), g.line_y(row + 1, 0)) == 1) {
            blocked = true;
        }
    }
    for (int32_t k = 0; k < 4; ++k) MarkForDemolition(g.line_x(0, k), g.line_y(0, k), 1, 1);
    return blocked ? -1 : cost;
}

void CTrainStation::EndDemolitionQuery() {
    for (int32_t& mark : query_marks) mark = 0;
}
