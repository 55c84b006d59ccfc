#pragma once
// Building pictures: one per building type, map rotation and (for the types
// that have them) player colour, the city buildings, and their mark points.

#include "canvas.h"

namespace standin {

// Picture of a building type in a rotation (0..3); `colour` is the player
// colour 0..3 for the per-player types and stores, ignored otherwise.
// Types 0..3 hold two 64 x 56 pictures above each other (depot base, depot
// roof); types 4 and 5 hold a platform row in their upper half and two
// platform plates at (0, 93) and (96, 93); types 6..9 show the station's
// head row only (4 x 1 or 1 x 4 fields).
Canvas MakeBuildingPicture(int type, int rotation, int colour);

// The animated picture of a type that has one (rotation 0): the picture
// with a window left open over the ground of the type's field animation,
// which is drawn beneath it.
Canvas MakeAnimatedBuildingPicture(int type);
// Where the top-left corner of the type's field animation cell lies in that
// picture; false for a type without an animation.
bool AnimationCellOrigin(int type, int* left, int* top);

// City building kind 1..53 (picture number 33 + kind).
Canvas MakeCityBuilding(int kind, int rotation);

// Fields along the screen's down-right (a) and down-left (b) axes of the
// picture of a type in a rotation.
void PictureExtents(int type, int rotation, int* a, int* b);

}  // namespace standin
