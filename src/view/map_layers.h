#pragma once
// Helpers shared by the map drawing passes of the world view.

#include <cstdint>

#include "view/field_scan.h"

class SPIEL_FELD;
struct MapField;

// The scan description of the view's current camera (at zoom 16 the object
// pass asks for rotation 0's scan).
ScanView ViewScan(const SPIEL_FELD& view, bool rotation0 = false);

// How far the pictures of one field (ground, buildings, trees, bridges; not
// the name plates and signs) may reach from its place (screen_x, y_base) at
// the view's zoom: rows above and below it, columns left and right of it
// (the ends below and right excluded). The height lifts them by at most 15
// steps.
struct PictureReach {
    int32_t above, below, left, right;
};
PictureReach FieldPictureReach(const SPIEL_FELD& view);

// The company building type on a field, -1 for none.
int32_t FieldBuildingType(const MapField& f);
