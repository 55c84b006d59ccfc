#pragma once
// The land passes of the world generator: which template kinds are stamped
// in which order, how many of each, and where a stamp may go.

#include <cstdint>

#include "world/landscape_templates.h"

constexpr int32_t kLandPasses = 7;
// Attempts of a pass-0 stamp before the pass gives up (a template too large
// for the edge margins never fits).
constexpr int32_t kMaxBaseStampAttempts = 10000;
// Attempts of a stamp of passes 1..6; the next attempt is drawn but dropped.
constexpr int32_t kMaxStampAttempts = 50;
// A cell of height d must lie at least min(d, 14) fields from every edge.
constexpr int32_t kStampEdgeMargin = 14;

// Template kind of each category 0..6.
int32_t CategoryKind(int32_t category);
// Category stamped in pass 0..6 of a landscape type (season 1..3).
int32_t PassCategory(int32_t season, int32_t pass);
// Stamps of a category for a landscape type; a = `ng_land`, b =
// `ng_mountains` (each taken as 0..4).
int32_t StampCount(int32_t season, int32_t category, int32_t a, int32_t b);
// Largest allowed share of bad cells under a stamp in pass 1..6, in percent.
int32_t RefusalLimit(int32_t season, int32_t pass);

// Field that cell (i, k) of a template lands on for a stamp at (x0, y0) in
// orientation 0..3.
struct StampCell {
    int32_t x;
    int32_t y;
};
StampCell StampCellField(const LandscapeTemplate& t, int32_t x0, int32_t y0, int32_t orientation,
                         int32_t i, int32_t k);

// True when a cell of height d may lie on field (x, y): inside 0..254 on both
// axes, and every edge distance (x, y, 254 - x, 254 - y) at least 14 or at
// least d.
bool StampCellAllowed(int32_t x, int32_t y, int32_t d);

// A field of height 0, or of height 1 whose slope shape (`teile_diff`, not
// turned by the view's rotation, so that the world does not depend on it)
// dips below its north-west corner.
bool IsWetField(int32_t x, int32_t y);

// Tries one stamp of template `t` in pass `pass` for the game state's
// landscape type: draws the site and the orientation and tests every cell.
// On success *bad gets the number of bad cells under it.
struct StampAttempt {
    int32_t x0;
    int32_t y0;
    int32_t orientation;
    bool fits;      // every cell passes the edge rule
    int32_t bad;    // bad cells (only counted when it fits)
    int32_t cells;  // cells of the template
};
StampAttempt DrawStampAttempt(const LandscapeTemplateSet& set, const LandscapeTemplate& t,
                              int32_t season, int32_t pass);
// True when the attempt may be placed in pass 1..6 (its share of bad cells,
// truncated to whole percent, is within the pass's limit).
bool StampAcceptable(const StampAttempt& attempt, int32_t season, int32_t pass);
// The seven land passes with the templates of the set for a landscape type
// (season 1..3) and the levels a = `ng_land`, b = `ng_mountains`: the
// progress stage gets the planned number of stamps as its total and a step
// for every stamp placed. Answers the number placed.
int32_t RunLandPasses(const LandscapeTemplateSet& set, int32_t season, int32_t a, int32_t b);

// Raises every field under the stamp to the cell's height where it is lower.
void ApplyStamp(const LandscapeTemplateSet& set, const LandscapeTemplate& t,
                const StampAttempt& attempt);
