#pragma once
// Helpers shared by the map drawing passes of the world view.

#include <cstdint>

#include "view/field_scan.h"

class SPIEL_FELD;
struct MapField;

// The scan description of the view's current camera (at zoom 16 the object
// pass asks for rotation 0's scan).
ScanView ViewScan(const SPIEL_FELD& view, bool rotation0 = false);

// The company building type on a field, -1 for none.
int32_t FieldBuildingType(const MapField& f);
