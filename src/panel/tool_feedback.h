#pragma once
// The construction-tool feedback of the sidebar as data: the piece of the
// panel a painter restores from the clean background and presents, and the
// lines it writes there (large font, colour 10, from x 8). Amounts go through
// FormatAmount with at most three groups.

#include <cstdint>
#include <string>
#include <vector>

struct FeedbackLine {
    int32_t y = 0;
    std::string text;
};

struct FeedbackArea {
    int32_t top = 0;  // the piece is (0, top), 160 wide, `height` high
    int32_t height = 0;
    std::vector<FeedbackLine> lines;
};

// The accumulated cost of the previewed route.
FeedbackArea RoadCostFeedback(int64_t route_cost);
// The demolition cost of the marked area; -1 shows "Not possible".
FeedbackArea DemolitionCostFeedback(int64_t cost);
// The raise and lower costs in height steps (below 1: "Not possible"),
// shown only with `show_costs`; the two mouse-button hints always.
FeedbackArea TerrainCostFeedback(bool show_costs, int32_t lift_steps, int32_t sink_steps);
// The lines as the sidebar draws them: a line wider than the room from x 8
// to the panel's right edge in the large font is broken at its last space
// that fits, its rest drawn one row (17 pixels) lower, and the lines below
// it move down a row with it.
std::vector<FeedbackLine> WrappedFeedbackLines(const FeedbackArea& area);
// Left edge and width of the room of a feedback line.
inline constexpr int32_t kFeedbackLeft = 8;
inline constexpr int32_t kFeedbackRoom = 160 - kFeedbackLeft;

// Why a station extension was refused (codes 1..5); other codes leave the
// piece blank.
FeedbackArea RefusalFeedback(int32_t code);
