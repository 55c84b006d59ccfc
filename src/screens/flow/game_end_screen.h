#pragma once
// FS_SPIELENDE: the score sheet at the end of a game. It adds up the final
// points (game/final_score.h) when it opens and on every paint, writes the lines into its
// picture ("scr_37.jgd" when the goal was reached, "scr_38.jgd" otherwise)
// and, on OK or Enter, reports to the main frame, which takes the total into
// the high-score list. The frame opens it on WM_USER+72 with the picture
// number as lParam.

#include <cstdint>
#include <string>
#include <vector>

#include "gfx/wing_bitmap.h"
#include "screens/flow/end_page.h"
#include "screens/screen_entry.h"

struct FinalScore;

class FS_SPIELENDE : public EndPage {
  public:
    FS_SPIELENDE();
    ~FS_SPIELENDE() override;

    // Loads "scr_<picture>.jgd" and "scb_<picture>.jgd" and opens the sheet
    // over the whole game area. False when it could not be made.
    bool Open(plat::Window* parent, int32_t picture);

    int32_t total_points = 0;  // the last computed total
    WinGBitmap score_picture;

  protected:
    // Adds up the final points (into `total_points`) and writes the sheet.
    void DrawLines() override;

  private:
    static FinalScore CurrentScore();
};

// One line of the sheet at its place in the picture.
struct ScoreLine {
    int32_t x = 0;
    int32_t y = 0;
    std::string text;
};
// Every line of the sheet for a score and the board's votes, top to bottom.
std::vector<ScoreLine> ScoreSheetLines(const FinalScore& score, int32_t board_votes);

// The frame adds taking the total over (the high-score list or the title).
extern const ScreenEntry kGameEndScreenEntry;
