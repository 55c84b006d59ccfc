#pragma once
// The world view's picture against the one a full redraw of the same state
// makes, and the control panel's against the panel drawn anew: the tests'
// and the random-play soak's one comparison.

#include <cstdint>
#include <ostream>

#include "platform/geometry.h"

namespace fvtest {

struct ViewDifference {
    int32_t pixels = 0;  // differing pixels
    plat::Rect box{};    // around them; empty when none differ
    bool operator==(const ViewDifference&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const ViewDifference& d) {
    return out << d.pixels << " pixels within " << d.box.left << "," << d.box.top << "-"
               << d.box.right << "," << d.box.bottom;
}

// The first of the view's bottom rows, which a full redraw need not draw
// whole: the field scan stops after a fixed number of rows, and below the
// fields it reaches a field it leaves out may lift its pictures (by its
// height and the tallest picture) up to here.
int32_t FirstRowBelowTheScan();

// The composite now against a full redraw made at once, over the rows above
// `rows` (all rows by default) and, with `drawn_only`, only where the full
// redraw draws a picture: the terrain layer paints changed fields over what
// it holds, and beyond the map's edges no field paints over what a changed
// edge field leaves there. The redraw leaves the game as it found it: the map
// fields' bits and the layer redraw flags are put back, and the view shows
// the redrawn picture.
ViewDifference DifferenceFromFullRedraw(int32_t rows = INT32_MAX, bool drawn_only = false);

// What the control panel's window shows against the panel drawn anew: its
// headings and the rows of its open list drawn again into its picture, and
// the whole picture shown. The panel shows the redrawn picture afterwards.
ViewDifference PanelDifferenceFromRedraw();

}  // namespace fvtest
