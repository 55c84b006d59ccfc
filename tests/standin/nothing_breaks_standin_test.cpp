// The stand-in panel pictures label each heading by what it does: the
// pointer of the no-tool heading only where that heading is, and an editor
// heading with the same job as a game heading with the same word.

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "panel_pictures.h"

namespace {

constexpr int kGameNoTool = 14;
constexpr int kEditorEnd = 15;

TEST(NothingBreaks, EachPanelHeadingIsLabelledByWhatItDoes) {
    // Editor heading -> the game heading with the same job.
    const std::pair<int, int> same_job[] = {{16, 1},  {17, 3},  {18, 9},
                                            {19, 10}, {22, 13}, {23, 12}};
    for (const auto& [editor, game] : same_job) {
        EXPECT_EQ(standin::PanelHeadingLabel(editor), standin::PanelHeadingLabel(game)) << editor;
    }
    const std::string pointer = standin::PanelHeadingLabel(kGameNoTool);
    for (int heading = 0; heading < 25; ++heading) {
        EXPECT_FALSE(standin::PanelHeadingLabel(heading).empty()) << heading;
        if (heading != kGameNoTool) {
            EXPECT_NE(standin::PanelHeadingLabel(heading), pointer) << heading;
        }
    }
    EXPECT_EQ(standin::PanelHeadingLabel(kEditorEnd), "END");
}

}  // namespace
