#pragma once
// Way pictures: "streets.jgd" (way pieces and tunnel portals for the six way
// types) and "bridge.jgd" (bridge ends and spans for way types 2..6).

#include "canvas.h"
#include "cell_mark.h"

namespace standin {

constexpr int kStreetColumns = 21;
constexpr int kWayTypes = 6;
constexpr int kBridgeColumns = 12;
constexpr int kBridgeRows = 5;
constexpr int kBridgeCell = 64;

Canvas MakeStreetSheet();
Canvas MakeBridgeSheet();

// Mark position (left pixel) of a streets.jgd column and of a bridge column.
CellPoint StreetMarkPoint(int column);
CellPoint BridgeMarkPoint(int column);

}  // namespace standin
