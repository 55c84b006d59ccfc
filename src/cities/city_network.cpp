#include "cities/city_network.h"

#include "state/map_field.h"
#include "world/build_helper.h"
#include "world/way_network.h"

namespace {

// T-junction pieces and the crossing always carry a node.
bool IsJunctionPiece(int32_t piece) {
    return (piece >= 2 && piece <= 5) || piece == 10;
}

}  // namespace

void RefitAndRelinkFields(const FieldList& fields) {
    for (auto [x, y] : fields) {
        const MapField* f = FieldAt(x, y);
        if (f == nullptr || f->wegtyp() == 0) continue;
        if (g_pBuildHelper != nullptr) g_pBuildHelper->UpdateWayPiecesAround(x, y);
    }
    CWayNetwork* network = g_pWayNetwork;
    if (network == nullptr) return;
    for (auto [x, y] : fields) {
        MapField* f = FieldAt(x, y);
        if (f == nullptr || !IsRoadWay(f->wegtyp()) || f->knotennummer() != 0) continue;
        if (f->knoten() || IsJunctionPiece(f->wegteil() - 1)) network->CreateNode(x, y);
    }
    for (auto [x, y] : fields) {
        const MapField* f = FieldAt(x, y);
        if (f == nullptr || !IsRoadWay(f->wegtyp())) continue;
        for (int32_t i = 0; i < 4; ++i) {
            const uint8_t bit = DirBitFromIndex(i);
            if ((f->richtung() & bit) == 0) continue;
            if (f->knoten() && f->knotennummer() != 0) {
                network->LinkFromField(x, y, bit);
            } else {
                network->RelinkField(x, y, bit);
            }
        }
    }
}

void LinkLaidStreetField(int32_t x, int32_t y) {
    const FieldList around = {{x, y - 1}, {x + 1, y}, {x, y + 1}, {x - 1, y}};
    CWayNetwork* network = g_pWayNetwork;
    const auto giveJunctionNode = [&](int32_t fx, int32_t fy) {
        const MapField* f = FieldAt(fx, fy);
        if (f == nullptr || f->wegtyp() != kWayCityStreet || f->knotennummer() != 0) return;
        if (IsJunctionPiece(f->wegteil() - 1)) network->CreateNode(fx, fy);
    };
    const auto relink = [&](int32_t fx, int32_t fy) {
        const MapField* f = FieldAt(fx, fy);
        if (f == nullptr || !IsRoadWay(f->wegtyp())) return;
        for (const uint8_t bit : {kDirN, kDirS, kDirE, kDirW}) {
            if (f->richtung() & bit) network->RelinkField(fx, fy, bit);
        }
    };

    if (network != nullptr) {
        giveJunctionNode(x, y);
        for (auto [fx, fy] : around) giveJunctionNode(fx, fy);
    }
    if (g_pBuildHelper != nullptr) {
        for (auto [fx, fy] : around) g_pBuildHelper->UpdateWayPiecesAround(fx, fy);
        g_pBuildHelper->UpdateWayPiecesAround(x, y);
    }
    if (network == nullptr) return;
    relink(x, y);
    for (auto [fx, fy] : around) {
        const MapField* f = FieldAt(fx, fy);
        if (f != nullptr && f->knotennummer() != 0) relink(fx, fy);
    }
}
