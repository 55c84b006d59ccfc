#pragma once
// The shape tables of way pieces. `wegteil` stores a piece number plus one
// (0 = no piece); the tables below are indexed by piece number (`wegteil` - 1)
// or by a connection mask of direction bits (N 1, E 2, S 4, W 8).

#include <cstdint>

constexpr int32_t kWayPieceCount = 17;

// Connections of each piece on a road field (the level crossings 16 and 17 by
// their road part). Also the table of piece joins used by PieceConnects.
inline constexpr uint8_t PieceConnectionMask[kWayPieceCount] = {5, 10, 14, 7,  13, 11, 3, 12, 6,
                                                                9, 15, 5,  10, 10, 5,  5, 10};
// The same table under the name the piece choosers and way layers use.
inline constexpr const uint8_t (&PieceConnections)[kWayPieceCount] = PieceConnectionMask;

// Connections of each piece on a track field: as on a road, except that the
// level crossings connect by their track part (16: E-W, 17: N-S).
inline constexpr uint8_t TrackPieceConnections[kWayPieceCount] = {5, 10, 14, 7,  13, 11, 3,  12, 6,
                                                                  9, 15, 5,  10, 10, 5,  10, 5};

// The piece (as `wegteil` - 1) for a connection mask. A lone field and a dead
// end take the straight piece of their axis.
inline constexpr uint8_t PieceFromConnections[16] = {0, 0, 1, 6, 0, 0, 8, 3,
                                                     1, 9, 1, 5, 7, 4, 2, 10};

// `wegteil` on the four plain ramps (slope shapes 1..4), and on a ramp that is
// a tunnel portal. Index = slope shape - 1.
inline constexpr uint8_t RampWayPiece[4] = {12, 14, 15, 13};
inline constexpr uint8_t PortalWayPiece[4] = {1, 2, 1, 2};

// `wegteil` on a bridge end for bridge codes 1..8. Index = code - 1.
inline constexpr uint8_t BridgeEndWayPiece[8] = {12, 15, 1, 1, 14, 13, 2, 2};

// Level crossing pieces (`wegteil`): on 16 the road runs N-S and the track
// E-W, on 17 the other way round.
constexpr uint8_t kCrossingRoadNS = 16;
constexpr uint8_t kCrossingRoadEW = 17;
constexpr bool IsLevelCrossing(int32_t wegteil) {
    return wegteil == kCrossingRoadNS || wegteil == kCrossingRoadEW;
}

// Direction bit of a bridge end's bridge code: 1, 3 N; 2, 4 S; 5, 7 E; 6, 8 W;
// 0 for any other code.
constexpr uint8_t BridgeCodeDirection(int32_t code) {
    switch (code) {
        case 1:
        case 3:
            return 1;
        case 2:
        case 4:
            return 4;
        case 5:
        case 7:
            return 2;
        case 6:
        case 8:
            return 8;
        default:
            return 0;
    }
}

// Direction bit of a ramp's slope shape: 1 N, 2 E, 3 S, 4 W; 0 otherwise.
constexpr uint8_t SlopeDirection(int32_t slope) {
    return slope >= 1 && slope <= 4 ? static_cast<uint8_t>(1u << (slope - 1)) : 0;
}
