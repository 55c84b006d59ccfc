// The four segment layers: one straight segment of road or track along x or
// along y. Each first tests every field of the segment, clearing the forest
// of every field it tests; only when no field refuses does it lay the way and
// choose the pieces. Refused or not, it then re-fits the band around the
// segment and lays the track under station rows it reached.

#include "state/acting_player.h"
#include "state/map_field.h"
#include "world/build_helper.h"
#include "world/construction_costs.h"
#include "world/field_queries.h"
#include "world/slope_shape.h"
#include "world/way_network.h"
#include "world/way_piece_tables.h"

namespace {

enum class Family { Road, Track };

bool IsRoadField(const MapField& f) {
    return IsRoadWay(f.wegtyp()) && f.wegteil() != 0;
}

bool IsTrackField(const MapField& f) {
    return IsTrackWay(f.wegtyp()) || IsLevelCrossing(f.wegteil());
}

// What differs between the layers: the family, the axis and the values that
// follow from the axis.
class SegmentLayer {
  public:
    SegmentLayer(CWayNetwork& network, Family family, bool alongX, int32_t player)
        : network_(network),
          family_(family),
          alongX_(alongX),
          // Roads are paid by the acting player: the human player's tools
          // act for player 0, while a computer opponent's roads booked for
          // player 0 would take the human player's money.
          player_(family == Family::Road ? g_ActingPlayer : player),
          wayType_(network.current_way_type),
          straightAlong_(alongX ? 2 : 1),
          straightAcross_(alongX ? 1 : 2),
          stationKind_(alongX ? 5 : 4),
          crossing_(family == Family::Road ? (alongX ? kCrossingRoadEW : kCrossingRoadNS)
                                           : (alongX ? kCrossingRoadNS : kCrossingRoadEW)),
          lowDir_(alongX ? kDirW : kDirN),
          highDir_(alongX ? kDirE : kDirS),
          acrossLowDir_(alongX ? kDirN : kDirW),
          acrossHighDir_(alongX ? kDirS : kDirE) {}

    int32_t Lay(int32_t a, int32_t b, int32_t c) {
        if (a < 0 || a > 254 || b < 0 || b > 254 || c < 0 || c > 254 || a == b) return 0;
        a_ = a;
        b_ = b;
        c_ = c;
        step_ = a < b ? 1 : -1;
        low_ = a < b ? a : b;
        high_ = a < b ? b : a;

        bool accepted = true;
        bool stationRow = false;
        for (int32_t p = a_;; p += step_) {
            if (!FieldPasses(p)) accepted = false;
            ClearForestAt(X(p), Y(p));
            if (GetBuildingTypeAt(X(p), Y(p)) == stationKind_) stationRow = true;
            if (p == b_) break;
        }
        if (accepted) {
            for (int32_t p = a_;; p += step_) {
                LayField(p);
                if (p == b_) break;
            }
            for (int32_t p = a_;; p += step_) {
                ChoosePiece(p);
                if (p == b_) break;
            }
        }
        RefitBand();
        if (stationRow) LayStationRows();
        return accepted ? 1 : 0;
    }

  private:
    int32_t X(int32_t p, int32_t across = 0) const { return alongX_ ? p : c_ + across; }
    int32_t Y(int32_t p, int32_t across = 0) const { return alongX_ ? c_ + across : p; }
    MapField& Field(int32_t p) const { return *FieldAt(X(p), Y(p)); }
    bool IsEnd(int32_t p) const { return p == low_ || p == high_; }

    bool SlopeFits(int32_t slope) const {
        if (slope == 0) return true;
        return alongX_ ? (slope == 2 || slope == 4) : (slope == 1 || slope == 3);
    }

    // The truck depot whose exit faces along the segment at the low or high end.
    int32_t EndDepotType(int32_t p) const {
        if (p == low_) return alongX_ ? 1 : 2;
        return alongX_ ? 3 : 0;
    }

    bool FieldPasses(int32_t p) const {
        const MapField& f = Field(p);
        const int32_t x = X(p);
        const int32_t y = Y(p);
        if (!SlopeFits(GetSlopeShape(x, y))) return false;
        const int32_t buildingType = GetBuildingTypeAt(x, y);
        if (f.BuildingNumber() != 0) {
            bool fits = buildingType == stationKind_;
            if (family_ == Family::Road && IsEnd(p)) {
                fits = buildingType >= 4 || buildingType == EndDepotType(p);
            }
            if (!fits) return false;
        }
        // A road runs only along a station row and never onto its track:
        // a level crossing there would give the row two way types.
        const bool stationRowField = buildingType == 4 || buildingType == 5;
        if (family_ == Family::Road && stationRowField &&
            (buildingType != stationKind_ || IsTrackField(f))) {
            return false;
        }
        const int32_t wegtyp = f.wegtyp();
        if (family_ == Family::Road || wayType_ == kWayRail) {
            if (wegtyp == kWayMonorail || wegtyp == kWaySuperconductor) return false;
        } else if (wegtyp != kWayNone && wegtyp != wayType_) {
            return false;
        }
        if (f.teile_art() == 0 && !f.bridge_end()) return false;
        // Under a bridge only ways crossing it at a right angle may run; a way
        // along the span would join the bridge's ends from below.
        const int32_t spanAlongAxis = alongX_ ? 11 : 9;
        if (f.bridge_flag() && !f.bridge_end() && f.bridge_piece() == spanAlongAxis) return false;
        const bool otherFamily = family_ == Family::Road ? IsTrackField(f) : IsRoadField(f);
        return !otherFamily || f.wegteil() == straightAcross_ || f.wegteil() == crossing_;
    }

    void LayField(int32_t p) {
        MapField& f = Field(p);
        const bool road = IsRoadField(f);
        const bool track = IsTrackField(f);
        if (family_ == Family::Road) {
            if (track && f.wegteil() == straightAcross_) {
                f.set_wegteil(crossing_);
            } else if (!road && !track) {
                f.set_wegteil(straightAlong_);
                // Roads carry no owner, except those of a computer opponent:
                // the opponents plan their chains over their own and unowned
                // fields only, so an unmarked opponent road would be taken
                // into another opponent's network.
                if (player_ != 0) f.set_spieler(static_cast<uint32_t>(player_));
                ChargeWayConstruction(player_, WayFieldPrice(wayType_), 1);
            }
            if (f.wegtyp() != kWayCityStreet) f.set_wegtyp(wayType_);
        } else {
            if (!road && !track) {
                f.set_wegteil(straightAlong_);
                f.set_wegtyp(wayType_);
                f.set_spieler(static_cast<uint32_t>(player_));
                // A bridge end keeps the way type in its own word.
                if (f.bridge_flag() && f.bridge_piece() < 9) f.set_wegtyp(kWayNone);
                ChargeWayConstruction(player_, WayFieldPrice(wayType_), 1);
            } else if (road && (f.wegteil() == straightAcross_ || f.wegteil() == crossing_)) {
                f.set_wegteil(crossing_);
                f.set_spieler(static_cast<uint32_t>(player_));
            }
        }
        f.set_feldchange(true);
    }

    bool HoldsBothAxisDirections(int32_t w) const {
        if (w == 11 || IsLevelCrossing(w)) return true;
        return alongX_ ? (w == 2 || w == 3 || w == 6) : (w == 1 || w == 4 || w == 5);
    }

    uint8_t AddedDirections(int32_t p) const {
        if (p == low_) return highDir_;
        if (p == high_) return lowDir_;
        return static_cast<uint8_t>(lowDir_ | highDir_);
    }

    void Refit(int32_t p) const {
        if (family_ == Family::Road) {
            UpdateRoadPieceShape(X(p), Y(p));
        } else {
            UpdateTrackPieceShape(X(p), Y(p));
        }
    }

    // Whether the neighbour across the segment on side `side` (-1 the low
    // side, +1 the high side) has a way joining towards field p.
    bool AcrossNeighbourConnects(int32_t p, int32_t side) const {
        const MapField* n = FieldAt(X(p, alongX_ ? 0 : side), Y(p, alongX_ ? side : 0));
        if (n == nullptr || n->wegteil() == 0 || n->wegteil() > kWayPieceCount) return false;
        const uint8_t towards = side < 0 ? acrossHighDir_ : acrossLowDir_;
        if (family_ == Family::Road) {
            return IsRoadField(*n) && (PieceConnections[n->wegteil() - 1] & towards) != 0;
        }
        if (!IsTrackField(*n) || (TrackPieceConnections[n->wegteil() - 1] & towards) == 0) {
            return false;
        }
        if (wayType_ == kWayRail && n->wegtyp() > kWayRail) return false;
        if (wayType_ != kWayRail && n->wegtyp() != wayType_) return false;
        // A portal joins only when its ramp leads away from the segment.
        const uint8_t away = side < 0 ? acrossLowDir_ : acrossHighDir_;
        return !n->tportal() || SlopeDirection(n->teile_diff()) == away;
    }

    void ChoosePiece(int32_t p) {
        MapField& f = Field(p);
        const int32_t w = f.wegteil();
        if (HoldsBothAxisDirections(w)) {
            // Already runs along the segment.
        } else if (w >= 3 && w <= 10) {
            const uint8_t mask = PieceConnections[w - 1] | AddedDirections(p);
            f.set_wegteil(PieceFromConnections[mask] + 1u);
        } else if (w == 0 || (w >= 12 && w <= 15)) {
            Refit(p);
        } else if (w == straightAcross_) {
            ChooseAcrossStraight(p);
        }
        const uint8_t chosen = family_ == Family::Road ? CWayNetwork::ChooseRoadPiece(X(p), Y(p))
                                                       : CWayNetwork::ChooseTrackPiece(X(p), Y(p));
        if (chosen > 10) f.set_wegteil(chosen + 1u);
    }

    // A straight across the axis stands for a lone field or a dead end: its
    // connections across the segment are read from the neighbours.
    void ChooseAcrossStraight(int32_t p) {
        MapField& f = Field(p);
        if (IsEnd(p)) {
            if (family_ == Family::Road && f.BuildingNumber() != 0) {
                f.set_wegtyp(kWayCityStreet);
                f.set_richtung(AddedDirections(p));
                return;
            }
            Refit(p);
            uint8_t mask = AddedDirections(p);
            if (AcrossNeighbourConnects(p, -1)) mask |= acrossLowDir_;
            if (AcrossNeighbourConnects(p, +1)) mask |= acrossHighDir_;
            if (mask != AddedDirections(p)) f.set_wegteil(PieceFromConnections[mask] + 1u);
            return;
        }
        Refit(p);
        const uint8_t axis = static_cast<uint8_t>(lowDir_ | highDir_);
        const MapField* lowSide = FieldAt(X(p, alongX_ ? 0 : -1), Y(p, alongX_ ? -1 : 0));
        const MapField* highSide = FieldAt(X(p, alongX_ ? 0 : 1), Y(p, alongX_ ? 1 : 0));
        if (lowSide != nullptr && lowSide->wegteil() == straightAlong_) {
            f.set_wegteil(PieceFromConnections[axis | acrossHighDir_] + 1u);
        }
        if (highSide != nullptr && highSide->wegteil() == straightAlong_) {
            f.set_wegteil(PieceFromConnections[axis | acrossLowDir_] + 1u);
        }
    }

    // Direction masks of every field from one before to one after the
    // segment, one row to either side.
    void RefitBand() const {
        CBuildHelper helper;
        for (int32_t p = a_ - step_;; p += step_) {
            for (int32_t across = -1; across <= 1; ++across) {
                helper.UpdateWayPiecesAround(X(p, across), Y(p, across));
            }
            if (p == b_ + step_) break;
        }
    }

    void LayStationRows() {
        for (int32_t p = a_;; p += step_) {
            if (GetBuildingTypeAt(X(p), Y(p)) == stationKind_) {
                network_.LayStationTrack(X(p), Y(p), player_);
            }
            if (p == b_) break;
        }
    }

    CWayNetwork& network_;
    const Family family_;
    const bool alongX_;
    const int32_t player_;
    const uint8_t wayType_;
    const int32_t straightAlong_;
    const int32_t straightAcross_;
    const int32_t stationKind_;
    const int32_t crossing_;  // the level crossing this layer makes
    const uint8_t lowDir_;
    const uint8_t highDir_;
    const uint8_t acrossLowDir_;
    const uint8_t acrossHighDir_;
    int32_t a_ = 0, b_ = 0, c_ = 0, step_ = 1, low_ = 0, high_ = 0;
};

}  // namespace

int32_t CWayNetwork::LayRoadAlongX(int32_t xa, int32_t xb, int32_t y) {
    return SegmentLayer(*this, Family::Road, true, 0).Lay(xa, xb, y);
}

int32_t CWayNetwork::LayRoadAlongY(int32_t ya, int32_t yb, int32_t x) {
    return SegmentLayer(*this, Family::Road, false, 0).Lay(ya, yb, x);
}

int32_t CWayNetwork::LayTrackAlongX(int32_t xa, int32_t xb, int32_t y, int32_t player) {
    return SegmentLayer(*this, Family::Track, true, player).Lay(xa, xb, y);
}

int32_t CWayNetwork::LayTrackAlongY(int32_t ya, int32_t yb, int32_t x, int32_t player) {
    return SegmentLayer(*this, Family::Track, false, player).Lay(ya, yb, x);
}
