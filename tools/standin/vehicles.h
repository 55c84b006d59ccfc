#pragma once
// Vehicle sprite strips: trucks "lk%d.jgd" (176 x 480), engines "lo%d.jgd"
// (244 x 252), wagons "wa%d.jgd" (144 x 240), each per player colour, and the
// city cars "ck.jgd" (176 x 480, the truck layout). Every strip has eight picture columns, one
// per heading on screen (up, up-right, right, down-right, down, down-left,
// left, up-left); rows are models or loads, each column with its own row
// height.

#include "canvas.h"

namespace standin {

enum class VehicleSheet { Truck, Engine, Wagon, CityCar };

struct PictureColumn {
    int x, width, height;
};
// The eight picture columns of a sheet, in heading order.
const PictureColumn* SheetColumns(VehicleSheet sheet);
int SheetRows(VehicleSheet sheet);

Canvas MakeVehicleSheet(VehicleSheet sheet, int colour);

}  // namespace standin
