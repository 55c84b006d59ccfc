// Bridges: a straight road or track over 2..10 fields. Every rule is tested
// before a field is written; a refused bridge changes nothing.

#include "state/map_field.h"
#include "world/build_helper.h"
#include "world/construction_costs.h"
#include "world/way_network.h"
#include "world/way_piece_tables.h"
#include "world/way_sites.h"

namespace {

constexpr int32_t kMaxBridgeFields = 10;

// One axis of a bridge: the end with the larger coordinate is the high end
// (S or E), the other the low end (N or W).
struct BridgeAxis {
    bool alongX;
    uint8_t lowDir;   // N or W: outwards from the low end
    uint8_t highDir;  // S or E
    int32_t lowFlat;  // bridge codes of the ends on flat ground and on a ramp
    int32_t lowRamp;
    int32_t highFlat;
    int32_t highRamp;
    int32_t spanCode;
    int32_t crossingPiece;  // the only way piece allowed under the span
};

constexpr BridgeAxis kAlongY{false, kDirN, kDirS, 2, 4, 1, 3, 9, 2};
constexpr BridgeAxis kAlongX{true, kDirW, kDirE, 5, 7, 6, 8, 11, 1};

class BridgeBuilder {
  public:
    BridgeBuilder(CWayNetwork& network, const BridgeAxis& axis, int32_t line, int32_t from,
                  int32_t to, int32_t player)
        : network_(network),
          axis_(axis),
          line_(line),
          from_(from),
          to_(to),
          low_(from < to ? from : to),
          high_(from < to ? to : from),
          player_(player),
          wayType_(network.current_way_type) {}

    int32_t Build() {
        const int32_t fields = high_ - low_ + 1;
        if (from_ == to_ || fields > kMaxBridgeFields) return 0;
        if (!BridgeSiteFits(axis_.alongX, line_, low_, high_)) return 0;

        WriteEnd(high_, axis_.highDir, axis_.highFlat, axis_.highRamp, axis_.lowDir);
        WriteEnd(low_, axis_.lowDir, axis_.lowFlat, axis_.lowRamp, axis_.highDir);
        for (int32_t p = low_ + 1; p < high_; ++p) WriteSpan(p);
        FitAndLink();
        ChargeWayConstruction(player_, (fields + 1) * BridgeFieldPrice(wayType_), fields);
        return 1;
    }

  private:
    int32_t X(int32_t p, int32_t across = 0) const { return axis_.alongX ? p : line_ + across; }
    int32_t Y(int32_t p, int32_t across = 0) const { return axis_.alongX ? line_ + across : p; }

    void ClearSideForests(int32_t p) const {
        ClearForestAt(X(p, -1), Y(p, -1));
        ClearForestAt(X(p, 1), Y(p, 1));
    }

    void WriteEnd(int32_t p, uint8_t outwards, int32_t flatCode, int32_t rampCode,
                  uint8_t onto) const {
        const int32_t x = X(p);
        const int32_t y = Y(p);
        ClearForestAt(x, y);
        MapField& f = *FieldAt(x, y);
        const int32_t code = f.teile_diff() == 0 ? flatCode : rampCode;
        f.set_bridge_flag(true);
        f.set_data_word(static_cast<uint32_t>(code | (wayType_ << 4)));
        f.set_building_flag(false);
        f.set_bridge_end(true);
        f.set_wegtyp(wayType_);
        f.set_wegteil(BridgeEndWayPiece[code - 1]);
        f.set_spieler(static_cast<uint32_t>(player_));
        if (IsTrackWay(wayType_)) {
            f.set_gleisr(onto);
        } else {
            f.set_richtung(onto);
        }
        const int32_t beyond = p + (outwards == axis_.highDir ? 1 : -1);
        for (int32_t across = -1; across <= 1; ++across)
            ClearForestAt(X(beyond, across), Y(beyond, across));
        ClearSideForests(p);
    }

    void WriteSpan(int32_t p) const {
        ClearForestAt(X(p), Y(p));
        MapField& f = *FieldAt(X(p), Y(p));
        f.set_data_word(static_cast<uint32_t>(axis_.spanCode | (wayType_ << 4)));
        f.set_building_flag(false);
        f.set_bridge_flag(true);
        ClearSideForests(p);
    }

    // Fits the masks beside and on both ends and joins the ends to the
    // network, starting with the end where the drag began.
    void FitAndLink() {
        const int32_t first = from_;
        const int32_t second = to_;
        const int32_t firstBeyond = first == high_ ? high_ + 1 : low_ - 1;
        const int32_t secondBeyond = second == high_ ? high_ + 1 : low_ - 1;
        CBuildHelper helper;
        if (!axis_.alongX && first == high_) {
            helper.UpdateWayPiecesAround(X(firstBeyond), Y(firstBeyond));
            helper.UpdateWayPiecesAround(X(first), Y(first));
            helper.UpdateWayPiecesAround(X(secondBeyond), Y(secondBeyond));
            helper.UpdateWayPiecesAround(X(second), Y(second));
        } else {
            helper.UpdateWayPiecesAround(X(firstBeyond), Y(firstBeyond));
            helper.UpdateWayPiecesAround(X(secondBeyond), Y(secondBeyond));
            helper.UpdateWayPiecesAround(X(first), Y(first));
            helper.UpdateWayPiecesAround(X(second), Y(second));
        }
        for (const int32_t end : {first, second}) {
            const uint8_t outwards = end == high_ ? axis_.highDir : axis_.lowDir;
            network_.RelinkField(X(end), Y(end), outwards);
        }
    }

    CWayNetwork& network_;
    const BridgeAxis& axis_;
    const int32_t line_;
    const int32_t from_;
    const int32_t to_;
    const int32_t low_;
    const int32_t high_;
    const int32_t player_;
    const uint8_t wayType_;
};

}  // namespace

int32_t CWayNetwork::BuildBridge(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t player) {
    if (x1 == x2 && y1 != y2) return BuildBridgeAlongY(x1, y1, x2, y2, player);
    if (y1 == y2 && x1 != x2) return BuildBridgeAlongX(x1, y1, x2, y2, player);
    return 0;
}

int32_t CWayNetwork::BuildBridgeAlongY(int32_t x, int32_t y1, int32_t x2, int32_t y2,
                                       int32_t player) {
    if (x2 != x || player < 0 || player >= 4) return 0;
    return BridgeBuilder(*this, kAlongY, x, y1, y2, player).Build();
}

int32_t CWayNetwork::BuildBridgeAlongX(int32_t x1, int32_t y, int32_t x2, int32_t y2,
                                       int32_t player) {
    if (y2 != y || player < 0 || player >= 4) return 0;
    return BridgeBuilder(*this, kAlongX, y, x1, x2, player).Build();
}
