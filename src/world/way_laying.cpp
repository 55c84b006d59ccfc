// Laying a dragged path: the path list is walked segment by segment with the
// road or track layers, then the new way is joined to the network graph.

#include <utility>
#include <vector>

#include "state/acting_player.h"
#include "state/map_field.h"
#include "world/construction_costs.h"
#include "world/way_network.h"

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
    // The track layers own and charge the new track to the acting player,
    // not to player 0: a computer opponent lays its tracks through these
    // drivers too, and given player 0 its track would belong to the human
    // player, be paid from the human player's cash, and be left out of the
    // opponent's own network.
    for (const PathCell* c = path_list; c != nullptr; c = c->next) {
        int32_t laid = 0;
        if (px == c->x) {
            laid = track ? LayTrackAlongY(py, c->y, c->x, g_ActingPlayer)
                         : LayRoadAlongY(py, c->y, c->x);
        } else {
            laid =
                track ? LayTrackAlongX(px, c->x, py, g_ActingPlayer) : LayRoadAlongX(px, c->x, py);
        }
        laidAny = laidAny || laid != 0;
        px = c->x;
        py = c->y;
    }

    // A path on which every segment was refused laid no way of its own (the
    // track it gave a station row is linked where it is laid) and links
    // nothing.
    if (laidAny && InMap(x1, y1)) {
        PushPathCell(static_cast<uint8_t>(x1), static_cast<uint8_t>(y1));
        LinkLaidPath();
    }
    FreePath();
    // Only the human player's own drag sounds: an opponent's turn lays its
    // paths anywhere on the map, and each would sound to the player as if
    // the player had built something.
    if (g_ActingPlayer == 0) PlayBuildEffect(2);
}

void CWayNetwork::LinkLaidPath() {
    // The fields whose ways or masks the layers may have changed: the path
    // and its neighbours.
    std::vector<bool> touched(kMapFieldCount, false);
    std::vector<std::pair<int32_t, int32_t>> fields;
    for (const PathCell* c = path_list; c != nullptr; c = c->next) {
        for (int32_t x = c->x - 1; x <= c->x + 1; ++x) {
            for (int32_t y = c->y - 1; y <= c->y + 1; ++y) {
                if (!InMap(x, y) || touched[FieldIndex(x, y)]) continue;
                touched[FieldIndex(x, y)] = true;
                fields.emplace_back(x, y);
            }
        }
    }
    // Node fields are linked in all their way directions; every other way
    // field re-links the nodes at the ends of its stretch. (Linking only the
    // path's nodes, or re-linking from its start or end, misses stretches
    // when a segment was refused, and misses a node next to the path whose
    // way leads into a path field that does not lead back.)
    for (const bool nodes : {true, false}) {
        for (const auto& [x, y] : fields) {
            const MapField& field = *FieldAt(x, y);
            if (field.knoten() != nodes) continue;
            const uint8_t bits = field.richtung() | field.gleisr();
            for (int32_t i = 0; i < 4; ++i) {
                const uint8_t bit = DirBitFromIndex(i);
                if ((bits & bit) == 0) continue;
                if (nodes) {
                    LinkFromField(x, y, bit);
                } else {
                    RelinkField(x, y, bit);
                }
            }
        }
    }
}
