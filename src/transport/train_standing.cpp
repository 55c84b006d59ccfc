// Where a train's units stand, and the rule that keeps trains apart: a train
// marks every ground field one of its units stands on, and it holds every
// link between whose nodes one of its units stands. A link given up while a
// unit still stands in it looks free to the next train at either node, and
// that train drives into it: on a single track the two then stand in one
// link facing each other, and neither can ever leave.

#include <string>
#include <unordered_map>

#include "state/map_field.h"
#include "transport/train.h"
#include "transport/tunnel_flag.h"
#include "transport/vehicle_list.h"
#include "transport/wagon.h"
#include "world/way_network.h"

namespace {

bool Passing(int32_t x, int32_t y, int32_t in_tunnel, int32_t on_bridge) {
    const MapField* field = FieldAt(x, y);
    return field != nullptr && PassesUnderOrOver(*field, in_tunnel, on_bridge);
}

// Whether the engine passed the field it left under or over the ground, the
// flags of that field being no longer its own: a span field while it is on
// the bridge or on the bridge's end, a tunnel field while it is in the tunnel
// or on the portal. Taken as on the ground as well, the span field above a
// ground link would count the engine on the bridge as a train standing in
// that link: after a load a waiting train's link would go to a train that
// never comes to the link's nodes, so the link would stay held for ever and
// the waiting train would never leave.
bool PassedLeftField(const CTrain& t) {
    const MapField* left = FieldAt(t.left_x, t.left_y);
    const MapField* here = FieldAt(t.pos_x, t.pos_y);
    if (left == nullptr || here == nullptr) return false;
    const bool span = left->bridge_flag() && !left->bridge_end();
    const bool bore = left->tunnel() && !left->tportal();
    return (span && (t.on_bridge != 0 || here->bridge_end())) ||
           (bore && (t.in_tunnel != 0 || here->tportal()));
}

std::string Breach(const CTrain& t, const char* what, int32_t a, int32_t b) {
    return "train " + std::to_string(t.number) + " " + what + " " + std::to_string(a) + "," +
           std::to_string(b);
}

}  // namespace

std::vector<TrainUnitSpot> CTrain::UnitSpots() const {
    std::vector<TrainUnitSpot> spots;
    spots.push_back({pos_x, pos_y, Passing(pos_x, pos_y, in_tunnel, on_bridge)});
    if (left_x != pos_x || left_y != pos_y) {
        spots.push_back({left_x, left_y, PassedLeftField(*this)});
    }
    for (int32_t i = 0; i < wagon_count && i < kWagonSlots; ++i) {
        const CWagon* w = wagons[i];
        if (w != nullptr)
            spots.push_back({w->x, w->y, Passing(w->x, w->y, w->in_tunnel, w->on_bridge)});
    }
    return spots;
}

std::vector<TrainLink> CTrain::LinksStoodIn() const {
    std::vector<TrainLink> links;
    const CWayNetwork* network = g_pWayNetwork;
    if (network == nullptr) return links;
    const auto add = [&](int32_t node, int32_t dir) {
        for (const TrainLink& link : links) {
            if (link.Names(node, dir)) return;
        }
        const WayNode* n = network->Node(node);
        links.push_back({node, dir, n->ziel[dir], n->back[dir] <= 3 ? n->back[dir] : -1});
    };
    const std::vector<TrainUnitSpot> spots = UnitSpots();
    const auto standsOn = [&spots](int32_t x, int32_t y) {
        for (const TrainUnitSpot& spot : spots) {
            if (!spot.passing && spot.x == x && spot.y == y) return true;
        }
        return false;
    };
    for (const TrainUnitSpot& spot : spots) {
        int32_t dir = -1;
        const int32_t node = network->TrackLinkThrough(spot.x, spot.y, spot.passing, dir);
        if (node != 0) add(node, dir);
        if (spot.passing) continue;
        // A link with no field between its nodes is stood in by units on both.
        const MapField* field = FieldAt(spot.x, spot.y);
        const WayNode* n = field->knoten() ? network->Node(field->knotennummer()) : nullptr;
        for (int32_t i = 0; i < 4 && n != nullptr; ++i) {
            const MapField* next = FieldAt(spot.x + DirDx(i), spot.y + DirDy(i));
            if (n->ziel[i] > 0 && next != nullptr && next->knoten() &&
                static_cast<int32_t>(next->knotennummer()) == n->ziel[i] &&
                n->back[i] == OppositeDirIndex(i) &&
                standsOn(spot.x + DirDx(i), spot.y + DirDy(i))) {
                add(static_cast<int32_t>(field->knotennummer()), i);
            }
        }
    }
    return links;
}

bool CTrain::StandsInLink(int32_t node, int32_t dir) const {
    for (const TrainLink& link : LinksStoodIn()) {
        if (link.Names(node, dir)) return true;
    }
    return false;
}

std::string TrainsApartBreach() {
    std::unordered_map<int32_t, const CTrain*> standing;
    for (const VehicleListNode* n = g_pVehicleList; n != nullptr; n = n->next) {
        const CTrain* t = dynamic_cast<const CTrain*>(n->vehicle);
        if (t == nullptr) continue;
        for (const TrainUnitSpot& spot : t->UnitSpots()) {
            const MapField* field = FieldAt(spot.x, spot.y);
            if (spot.passing || field == nullptr) continue;
            if (!field->tportal() && !field->bridge_end() && !t->held.HoldsField(spot.x, spot.y)) {
                return Breach(*t, "does not mark the field of a unit:", spot.x, spot.y);
            }
            const auto [at, fresh] = standing.emplace(FieldIndex(spot.x, spot.y), t);
            if (!fresh && at->second != t) {
                return Breach(*t, "and another train stand on", spot.x, spot.y);
            }
        }
        for (const TrainLink& link : t->LinksStoodIn()) {
            if (!t->held.HoldsLink(link.node, link.dir)) {
                return Breach(*t, "stands in a link it does not hold: node, direction", link.node,
                              link.dir);
            }
        }
    }
    return {};
}
