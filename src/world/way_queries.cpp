// Way queries for vehicles and the piece-join test.

#include "world/way_queries.h"

#include "state/map_field.h"
#include "world/field_queries.h"
#include "world/way_piece_tables.h"

int32_t PieceConnects(int32_t d, int32_t p, int32_t q) {
    if (d != kDirN && d != kDirE && d != kDirS && d != kDirW) return 0;
    if (p < 0 || p >= kWayPieceCount || q < 0 || q >= kWayPieceCount) return 0;
    const int32_t a = PieceConnectionMask[p] & d;
    const int32_t b = PieceConnectionMask[q] & OppositeDirBits(static_cast<uint8_t>(d));
    return (a != 0 && b != 0) ? 1 : 0;
}

namespace {

// Road exits of a piece whose connections depend on the field's road bits.
int32_t NarrowedRoadMask(int32_t wegteil, int32_t r) {
    switch (wegteil) {
        case 3:
            if (r == 14) return kDirE | kDirS | kDirW;
            if (r == 8 || r == 2) return kDirsEW;
            if (r == 4) return kDirE | kDirS;
            return 0;
        case 4:
            if (r == 7) return kDirN | kDirE | kDirS;
            if (r == 4 || r == 1) return kDirsNS;
            if (r == 2) return kDirE | kDirS;
            return 0;
        case 5:
            if (r == 13) return kDirN | kDirS | kDirW;
            if (r == 1 || r == 4) return kDirsNS;
            if (r == 8) return kDirS | kDirW;
            return 0;
        case 6:
            if (r == 11) return kDirN | kDirE | kDirW;
            if (r == 2 || r == 8) return kDirsEW;
            if (r == 1) return kDirN | kDirE;
            return 0;
        default:  // 11, the crossing
            if (r == 1 || r == 4) return kDirsNS;
            if (r == 2 || r == 8) return kDirsEW;
            return kDirsAll;
    }
}

int32_t RoadPieceMask(const MapField& field) {
    const int32_t w = field.wegteil();
    switch (w) {
        case 0:
            return 0;
        case 1:
        case 12:
        case 15:
        case 16:
            return kDirsNS;
        case 2:
        case 13:
        case 14:
        case 17:
            return kDirsEW;
        case 7:
            return kDirN | kDirE;
        case 8:
            return kDirS | kDirW;
        case 9:
            return kDirE | kDirS;
        case 10:
            return kDirN | kDirW;
        default:
            return NarrowedRoadMask(w, field.richtung());  // 3..6, 11
    }
}

int32_t TrackPieceMask(int32_t wegteil) {
    return wegteil >= 1 && wegteil <= kWayPieceCount ? TrackPieceConnections[wegteil - 1] : 0;
}

}  // namespace

int32_t GetPieceConnections(int32_t x, int32_t y, int32_t t) {
    const MapField* field = FieldAt(x, y);
    if (field == nullptr) return 0;
    const int32_t w = field->wegteil();
    if (w >= 18) return 0;
    if (t >= 1 && t <= 3) {
        return field->wegtyp() < 4 ? RoadPieceMask(*field) : 0;
    }
    if (t == 4) {
        return (field->wegtyp() == 4 || IsLevelCrossing(w)) ? TrackPieceMask(w) : 0;
    }
    if (t == 5 || t == 6) {
        if (field->wegtyp() != t || IsLevelCrossing(w)) return 0;
        return TrackPieceMask(w);
    }
    return 0;
}

int32_t GetWayDirections(int32_t x, int32_t y, int32_t t) {
    const MapField* field = FieldAt(x, y);
    if (field == nullptr) return 0;
    if (field->tportal()) {
        const int32_t slope = field->teile_diff();
        if (slope == 1 || slope == 3) return kDirsNS;
        if (slope == 2 || slope == 4) return kDirsEW;
    }
    const bool track = t >= 4;
    if (field->wegteil() == kCrossingRoadEW) return track ? kDirsNS : kDirsEW;
    if (field->wegteil() == kCrossingRoadNS) return track ? kDirsEW : kDirsNS;
    return track ? field->gleisr() : field->richtung();
}

int32_t GetTerminalKindAt(int32_t x, int32_t y) {
    const int32_t type = GetBuildingTypeAt(x, y);
    if (type >= 0 && type <= 3) return 1;
    if (type == 4 || type == 5) return 4;
    if (type >= 6 && type <= 9) return 5;
    return 0;
}

int32_t TestFieldFlag(int32_t x, int32_t y, int32_t kind) {
    const MapField* field = FieldAt(x, y);
    if (field == nullptr) return 0;
    if (kind == 1) return field->geb_change() ? 1 : 0;
    if (kind == 2) return field->tunnel_belegt() ? 1 : 0;
    return 0;
}

int32_t GetRoadLane(int32_t x, int32_t y, int32_t d) {
    const MapField* field = FieldAt(x, y);
    if (field == nullptr || field->wegtyp() >= 4) return 0;
    // The lane is 2 when the vehicle moves in the piece's "second" direction.
    int32_t second = 0;
    switch (field->wegteil()) {
        case 1:
        case 7:
        case 12:
        case 15:
        case 16:
            second = kDirN;
            break;
        case 2:
        case 8:
        case 10:
        case 13:
        case 14:
        case 17:
            second = kDirW;
            break;
        case 9:
            second = kDirS;
            break;
        default:
            switch (field->richtung()) {
                case 1:
                case 3:
                case 4:
                case 5:
                    second = kDirN;
                    break;
                case 2:
                case 8:
                case 9:
                case 10:
                case 12:
                    second = kDirW;
                    break;
                case 6:
                    second = kDirS;
                    break;
                default:
                    return 0;
            }
    }
    return d == second ? 2 : 1;
}
