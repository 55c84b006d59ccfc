#include "ending_screens.h"

#include <string>

#include "font_render.h"
#include "palette.h"
#include "screens.h"
#include "screens/flow/game_end_layout.h"
#include "world_files.h"

namespace ge = game_end_screens;

namespace standin {
namespace {

void Page(Canvas& c, const std::string& title, const std::string& subtitle) {
    c.FillRect(0, 0, c.width, c.height, pal::Shade(pal::kSlate, 2));
    c.FillRect(0, 0, c.width, 50, pal::Shade(pal::kSlate, 1));
    c.FrameRect(0, 0, c.width, c.height, pal::Shade(pal::kSlate, 6));
    DrawTextCentred(c, c.width / 2, 4, title, 24, FontStyle::Bold, pal::Shade(pal::kGold, 5),
                    pal::Shade(pal::kGrey, 0));
    DrawTextCentred(c, c.width / 2, 32, subtitle, 12, FontStyle::Regular, pal::kText, 0);
}

void Label(Canvas& c, int x, int y, const std::string& text) {
    DrawText(c, x, y, text, 12, FontStyle::Regular, pal::kText);
}

// The well the screen writes its lines into, and the recess of OK.
void Well(Canvas& c, int left, int top, int right, int bottom) {
    c.FillRect(left, top, right - left, bottom - top, pal::Shade(pal::kSlate, 1));
    c.FrameRect(left - 1, top - 1, right - left + 2, bottom - top + 2, pal::Shade(pal::kSlate, 0));
}

void OkRecess(Canvas& c, int x, int y = ge::kOkY) {
    c.FillRect(x - 2, y - 2, 112, 44, pal::Shade(pal::kSlate, 0));
}

Canvas MakeOkSheet() {
    Canvas c(ge::kSheetWidth, ge::kSheetHeight);
    DrawButtonFace(c, 0, 0, 108, 40, "OK", false);
    DrawButtonFace(c, 0, 40, 108, 40, "OK", true);
    return c;
}

}  // namespace

Canvas MakeScoreSheet(bool goal_reached) {
    Canvas c(ge::kPageWidth, ge::kPageHeight);
    Page(c, goal_reached ? "Goal reached" : "Game over",
         goal_reached ? "The board congratulates you" : "Your time as a manager is over");
    // Left: the board's verdict beside the votes the sheet writes.
    Label(c, 40, ge::kVotesY, "Board members in favour:");
    Label(c, 40, ge::kVotesY + 24,
          goal_reached ? "They vote you chairman." : "They thank you for your work.");
    Well(c, ge::kVotesX - 4, ge::kVotesY - 2, 630, ge::kVotesY + 18);
    // Right: the column of the score lines.
    Well(c, ge::kColumnX - 4, ge::kValueLabelY - 4, 636, ge::kTotalY + 20);
    Label(c, 40, ge::kValueY, "Value: cash plus property less the loan");
    Label(c, 40, ge::kPointsY, "One point per 2,000,000");
    Label(c, 40, ge::kTakeOverY, "Ten points per company taken over");
    Label(c, 40, ge::kYearPointsY, "Ten points per year before 2060");
    Label(c, 40, ge::kTotalY, "Your final score");
    OkRecess(c, ge::kScoreOkX);
    return c;
}

Canvas MakeHighScoreList() {
    Canvas c(ge::kPageWidth, ge::kPageHeight);
    Page(c, "High scores", "The ten best managers");
    Well(c, ge::kListX - 4, ge::kListTop - 4, 636, ge::kListBottom);
    for (int i = 0; i < 10; ++i) {
        Label(c, ge::kListX - 32, ge::kListTop + ge::kListStep * i, std::to_string(i + 1) + ".");
    }
    Label(c, 40, 90, "Each finished game enters");
    Label(c, 40, 110, "with its total points when");
    Label(c, 40, 130, "they reach the tenth place.");
    OkRecess(c, ge::kHighScoreOkX);
    return c;
}

Canvas MakeBoardVote() {
    Canvas c(300, 351);
    Page(c, "Board vote", "Votes out of 100");
    // The bars stand on the axis at y 270; their wells from y 70.
    Well(c, 96, 70, 176, 270);
    Well(c, 192, 70, 272, 270);
    c.FillRect(80, 270, 210, 1, pal::Shade(pal::kGold, 4));
    Label(c, 100, 56, "Against");
    Label(c, 200, 56, "For you");
    OkRecess(c, 128, 311);
    return c;
}

Canvas MakeBoardVoteSheet() {
    return MakeOkSheet();
}

// The result screens: 364 x 355, the list from (4, 60), buttons at y 311.
Canvas MakeResult(const std::string& title, const std::string& subtitle, bool two_buttons) {
    Canvas c(364, 355);
    Page(c, title, subtitle);
    Well(c, 4, 60, 360, 298);
    if (two_buttons) {
        OkRecess(c, 44, 311);
        OkRecess(c, 212, 311);
    } else {
        OkRecess(c, 128, 311);
    }
    return c;
}

Canvas MakeResultSheet(bool two_buttons) {
    Canvas c(216, 80);
    DrawButtonFace(c, 0, 0, 108, 40, two_buttons ? "Go on" : "OK", false);
    DrawButtonFace(c, 0, 40, 108, 40, two_buttons ? "Go on" : "OK", true);
    if (two_buttons) {
        DrawButtonFace(c, 108, 0, 108, 40, "Try again", false);
        DrawButtonFace(c, 108, 40, 108, 40, "Try again", true);
    }
    return c;
}

void AddEndingScreenFiles(std::vector<FileRecipe>& files) {
    files.push_back(PictureRecipe("scr_33.jgd", [] {
        return MakeResult("Mission completed", "The contract is fulfilled", false);
    }));
    files.push_back(PictureRecipe("scr_34.jgd", [] {
        return MakeResult("Mission failed", "The contract terms were not met", false);
    }));
    files.push_back(PictureRecipe("scr_35.jgd", [] {
        return MakeResult("Assignment completed", "The board is impressed", false);
    }));
    files.push_back(PictureRecipe(
        "scr_36.jgd", [] { return MakeResult("Assignment failed", "Try again or go on", true); }));
    for (int n : {33, 34, 35}) {
        files.push_back(PictureRecipe("scb_" + std::to_string(n) + ".jgd",
                                      [] { return MakeResultSheet(false); }));
    }
    files.push_back(PictureRecipe("scb_36.jgd", [] { return MakeResultSheet(true); }));
    files.push_back(PictureRecipe("scr_37.jgd", [] { return MakeScoreSheet(true); }));
    files.push_back(PictureRecipe("scb_37.jgd", MakeOkSheet));
    files.push_back(PictureRecipe("scr_38.jgd", [] { return MakeScoreSheet(false); }));
    files.push_back(PictureRecipe("scb_38.jgd", MakeOkSheet));
    files.push_back(PictureRecipe("scr_49.jgd", MakeHighScoreList));
    files.push_back(PictureRecipe("scr_24.jgd", MakeBoardVote));
    files.push_back(PictureRecipe("scb_24.jgd", MakeBoardVoteSheet));
    files.push_back(PictureRecipe("scb_49.jgd", MakeOkSheet));
}

}  // namespace standin
