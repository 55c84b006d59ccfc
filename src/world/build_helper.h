#pragma once
// The construction helper: an object without data that groups the
// construction checks and the re-fitting of way pieces. Its methods are
// implemented in several files, one per job.

#include <cstdint>

class CBuildHelper {
  public:
    // Re-fits the direction masks and node and end marks of field (x, y)
    // after a change to the ways on or around it (road and track parts of a
    // level crossing alike). Nothing happens off the map or without a way.
    void UpdateWayPiecesAround(int32_t x, int32_t y);
    // Road directions (`richtung`), `knoten` and `ende` from the neighbours.
    void ConnectRoadPieces(int32_t x, int32_t y);
    // Track directions (`gleisr`) and `knoten` from the neighbours.
    void ConnectTrackPieces(int32_t x, int32_t y);
};

// The one helper, created with the terrain object.
extern CBuildHelper* g_pBuildHelper;

// Store the piece ChooseRoadPiece / ChooseTrackPiece gives for the field when
// it differs from the present one, and mark the field changed.
void UpdateRoadPieceShape(int32_t x, int32_t y);
void UpdateTrackPieceShape(int32_t x, int32_t y);
