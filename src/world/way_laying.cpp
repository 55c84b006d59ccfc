// Laying a dragged path: the path list is walked segment by segment with the
// road or track layers, then the new way is joined to the network graph.

#include "world/construction_costs.h"
#include "world/map_field.h"
#include "world/way_network.h"

namespace {

uint8_t WayBits(const MapField& field, bool track) {
    return track ? field.gleisr() : field.richtung();
}

}  // namespace

void CWayNetwork::SetWayType(uint8_t k) {
    current_way_type = static_cast<uint8_t>(k + 1);
}

void CWayNetwork::LayRoadAlongPath(int32_t x1, int32_t y1, int32_t /*x2*/, int32_t /*y2*/) {
    LayAlongPath(false, x1, y1);
}

void CWayNetwork::LayTrackAlongPath(int32_t x1, int32_t y1, int32_t /*x2*/, int32_t /*y2*/) {
    LayAlongPath(true, x1, y1);
}

void CWayNetwork::LayAlongPath(bool track, int32_t x1, int32_t y1) {
    if (path_list == nullptr) return;
    // A vehicle on the path (or a reservation) refuses the whole path.
    for (const PathCell* c = path_list; c != nullptr; c = c->next) {
        const MapField* field = FieldAt(c->x, c->y);
        if (field != nullptr && field->belegt() != 0) {
            FreePath();
            return;
        }
    }

    bool laidAny = false;
    int32_t px = x1;
    int32_t py = y1;
    for (const PathCell* c = path_list; c != nullptr; c = c->next) {
        int32_t laid = 0;
        if (px == c->x) {
            laid = track ? LayTrackAlongY(py, c->y, c->x, 0) : LayRoadAlongY(py, c->y, c->x);
        } else {
            laid = track ? LayTrackAlongX(px, c->x, py, 0) : LayRoadAlongX(px, c->x, py);
        }
        laidAny = laidAny || laid != 0;
        px = c->x;
        py = c->y;
    }

    // A path on which every segment was refused changed nothing and links
    // nothing.
    if (laidAny && InMap(x1, y1)) {
        PushPathCell(static_cast<uint8_t>(x1), static_cast<uint8_t>(y1));
        LinkLaidPath(track);
    }
    FreePath();
    PlayBuildEffect(2);
}

void CWayNetwork::LinkLaidPath(bool track) {
    bool anyNode = false;
    const PathCell* last = path_list;
    for (const PathCell* c = path_list; c != nullptr; c = c->next) {
        last = c;
        const MapField* field = FieldAt(c->x, c->y);
        if (!field->knoten()) continue;
        anyNode = true;
        for (int32_t i = 0; i < 4; ++i) {
            const uint8_t bit = DirBitFromIndex(i);
            if (WayBits(*FieldAt(c->x, c->y), track) & bit) LinkFromField(c->x, c->y, bit);
        }
    }
    if (anyNode) return;

    // No node on the path: re-link the stretch from an end that is not a
    // dead end, which links the nodes it reaches on either side.
    const PathCell* start = path_list;
    const MapField* s = FieldAt(start->x, start->y);
    const MapField* e = FieldAt(last->x, last->y);
    const PathCell* from = nullptr;
    if (s->ende() && !e->ende()) from = last;
    if (!s->ende()) from = start;
    if (from == nullptr) return;
    const uint8_t bits = WayBits(*FieldAt(from->x, from->y), track);
    for (int32_t i = 0; i < 4; ++i) {
        const uint8_t bit = DirBitFromIndex(i);
        if (bits & bit) RelinkField(from->x, from->y, bit);
    }
}
