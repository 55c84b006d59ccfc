#include "panel/tool_feedback.h"

#include "gfx/font_tables.h"
#include "gfx/text.h"
#include "panel/amount_text.h"

namespace {

constexpr const char* kNotPossible = "Not possible";
constexpr int32_t kStepPrice = 1000;
constexpr int32_t kRowStep = 17;

int32_t Width(const std::string& text) {
    return static_cast<int32_t>(GetTextWidth(text.c_str(), kFont1Advances));
}

std::string Amount(int64_t value) {
    return FormatAmount(value, AmountGroups::UpToMillions);
}

std::string StepCost(int32_t steps) {
    return steps < 1 ? kNotPossible : Amount(static_cast<int64_t>(steps) * kStepPrice);
}

}  // namespace

FeedbackArea RoadCostFeedback(int64_t route_cost) {
    return {302, 85, {{302, "Road construction costs:"}, {319, Amount(route_cost)}}};
}

FeedbackArea DemolitionCostFeedback(int64_t cost) {
    return {282, 85, {{282, "Demolition costs:"}, {299, cost < 0 ? kNotPossible : Amount(cost)}}};
}

FeedbackArea TerrainCostFeedback(bool show_costs, int32_t lift_steps, int32_t sink_steps) {
    FeedbackArea area{282, 136, {}};
    if (show_costs) {
        area.lines = {{282, "Costs:"},
                      {297, "Land lift:"},
                      {314, StepCost(lift_steps)},
                      {331, "Land sink:"},
                      {348, StepCost(sink_steps)}};
    }
    area.lines.push_back({382, "Left MT = lift"});
    area.lines.push_back({399, "Right MT = sink"});
    return area;
}

FeedbackArea RefusalFeedback(int32_t code) {
    static const std::vector<std::string> kReasons[5] = {
        {"The maximum number", "of tracks has", "been reached"},
        {"There is a building", "in the way"},
        {"There is a road", "in the way"},
        {"Not suitable for", "this terrain"},
        {"Too close to", "another Terminal"},
    };
    FeedbackArea area{302, 85, {}};
    if (code < 1 || code > 5) return area;
    area.lines.push_back({302, "Action not possible:"});
    int32_t y = 319;
    for (const std::string& line : kReasons[code - 1]) {
        area.lines.push_back({y, line});
        y += 17;
    }
    return area;
}

// The game's own font fits every feedback line into the sidebar; our
// stand-in font draws some of them wider than the room, and the panel's edge
// would cut them off. So only a line too wide for the room is broken, and
// every line that fits is drawn unchanged at its row.
std::vector<FeedbackLine> WrappedFeedbackLines(const FeedbackArea& area) {
    std::vector<FeedbackLine> drawn;
    int32_t shift = 0;
    for (const FeedbackLine& line : area.lines) {
        std::string rest = line.text;
        int32_t y = line.y + shift;
        while (Width(rest) > kFeedbackRoom) {
            size_t cut = rest.rfind(' ');
            while (cut != std::string::npos && cut > 0 &&
                   Width(rest.substr(0, cut)) > kFeedbackRoom) {
                cut = rest.rfind(' ', cut - 1);
            }
            if (cut == std::string::npos || cut == 0) break;  // one word: drawn as it is
            drawn.push_back({y, rest.substr(0, cut)});
            rest = rest.substr(cut + 1);
            y += kRowStep;
            shift += kRowStep;
        }
        drawn.push_back({y, rest});
    }
    return drawn;
}
