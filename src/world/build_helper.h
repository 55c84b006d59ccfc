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

    // --- Construction check ------------------------------------------------
    // 1 when the current construction kind (`selected_building_type` +
    // `build_orientation`) may stand with its north-west field on (x, y) and
    // a floor of w x h fields; 0 when refused. Store and attraction checks
    // record the site's city in `placement_city`.
    int32_t CanBuildHere(int32_t x, int32_t y, int32_t w, int32_t h);
    // Spacing of a truck depot at (x, y) to other depots and station
    // platforms. 1 or 0.
    int32_t CheckDepotSite(int32_t x, int32_t y);
    // Store and attraction sites (kinds 21..31) next to a city.
    int32_t CheckAttractionSite(int32_t x, int32_t y);
    int32_t CheckCulturalCenterSite(int32_t x, int32_t y);
    int32_t CheckSportsSite(int32_t x, int32_t y);

    // --- Station sites and extension ----------------------------------------
    // Alignment and spacing of a train station site of each orientation.
    int32_t CheckStationSite6(int32_t x, int32_t y);
    int32_t CheckStationSite7(int32_t x, int32_t y);
    int32_t CheckStationSite8(int32_t x, int32_t y);
    int32_t CheckStationSite9(int32_t x, int32_t y);
    // Lengthens the station on field (x, y) by one line. Returns the reason
    // code 0..5 it leaves in the panel's `action_refusal` (0 = extended or no
    // station) and asks the panel to show it.
    int32_t ExtendStation(int32_t x, int32_t y);
};

// The one helper, created with the terrain object.
extern CBuildHelper* g_pBuildHelper;

// Store the piece ChooseRoadPiece / ChooseTrackPiece gives for the field when
// it differs from the present one, and mark the field changed.
void UpdateRoadPieceShape(int32_t x, int32_t y);
void UpdateTrackPieceShape(int32_t x, int32_t y);
