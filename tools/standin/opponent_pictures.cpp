#include "opponent_pictures.h"

#include <string>

#include "font_render.h"
#include "palette.h"
#include "screens.h"
#include "screens/flow/opponent_layout.h"
#include "world_files.h"

namespace os = opponent_screens;

namespace standin {
namespace {

const uint8_t kWell = pal::Shade(pal::kSlate, 1);
const uint8_t kDark = pal::Shade(pal::kSlate, 0);

void Card(Canvas& c, const std::string& title) {
    c.FillRect(0, 0, c.width, c.height, pal::Shade(pal::kSlate, 2));
    c.FillRect(0, 0, c.width, 30, kWell);
    c.FrameRect(0, 0, c.width, c.height, pal::Shade(pal::kSlate, 6));
    DrawTextCentred(c, c.width / 2, 6, title, 14, FontStyle::Bold, pal::Shade(pal::kGold, 5),
                    pal::Shade(pal::kGrey, 0));
}

void Recess(Canvas& c, int x, int y, int w, int h) {
    c.FillRect(x - 2, y - 2, w + 4, h + 4, kDark);
}

void Label(Canvas& c, int right, int y, const std::string& text) {
    const int x = right - TextWidth(text, 11, FontStyle::Regular) - 4;
    DrawText(c, x < 2 ? 2 : x, y + 2, text, 11, FontStyle::Regular, pal::kText);
}

Canvas MakeSheet(const char* action) {
    Canvas c(os::kSheetWidth, os::kSheetHeight);
    for (int face = 0; face < 2; ++face) {
        const char* label = face == 0 ? action : "OK";
        const int x = face * os::kOkFaceX;
        DrawButtonFace(c, x, 0, os::kButtonWidth, os::kButtonHeight, label, false);
        DrawButtonFace(c, x, os::kPressedFaceY, os::kButtonWidth, os::kButtonHeight, label, true);
    }
    return c;
}

}  // namespace

Canvas MakeOpponentNews() {
    Canvas c(os::kNewsWidth, os::kNewsHeight);
    Card(c, "Competitor news");
    Recess(c, os::kNewsPortraitX, os::kNewsPortraitY, os::kPortraitWidth, os::kPortraitHeight);
    // The column the report is written into, plain.
    const int bottom = os::kNewsFirstFigureY + os::kNewsFigureStep * os::kNewsFigureLines;
    c.FillRect(os::kNewsTextX - 4, os::kNewsNameY - 2, c.width - os::kNewsTextX + 2,
               bottom - os::kNewsNameY + 2, kWell);
    DrawText(c, 12, 150, "A rival", 11, FontStyle::Regular, pal::kText);
    DrawText(c, 12, 166, "grows.", 11, FontStyle::Regular, pal::kText);
    Recess(c, os::kActionButtonX, os::kNewsButtonY, os::kButtonWidth, os::kButtonHeight);
    Recess(c, os::kOkButtonX, os::kNewsButtonY, os::kButtonWidth, os::kButtonHeight);
    return c;
}

Canvas MakeOpponentOverview() {
    Canvas c(os::kOverviewWidth, os::kOverviewHeight);
    Card(c, "Your competitors");
    for (int n = 0; n < 3; ++n) {
        Recess(c, os::kOverviewPortraitX + os::kOverviewPortraitStep * n, os::kOverviewPortraitY,
               os::kPortraitWidth, os::kPortraitHeight);
    }
    struct Line {
        os::FigureLine line;
        const char* label;
    };
    for (const Line& l :
         {Line{os::kNameLine, ""}, Line{os::kCapitalLine, "Capital:"},
          Line{os::kProfitLine, "Previous year's profit:"}, Line{os::kVehiclesLine, "Vehicles:"},
          Line{os::kWayLengthLine, "Way length:"}, Line{os::kWorthLine, "Company worth:"},
          Line{os::kPointsLine, "Points:"}, Line{os::kPriceLine, "Take over price:"}}) {
        c.FillRect(l.line.x, l.line.y, c.width - l.line.x - 2, os::kFigureHeight, kWell);
        if (*l.label != '\0') Label(c, l.line.x, l.line.y, l.label);
    }
    Recess(c, os::kActionButtonX, os::kOverviewButtonY, os::kButtonWidth, os::kButtonHeight);
    Recess(c, os::kOkButtonX, os::kOverviewButtonY, os::kButtonWidth, os::kButtonHeight);
    return c;
}

void AddOpponentPictureFiles(std::vector<FileRecipe>& files) {
    files.push_back(PictureRecipe(os::kNewsPicture, MakeOpponentNews));
    files.push_back(PictureRecipe(os::kNewsSheet, [] { return MakeSheet("Show"); }));
    files.push_back(PictureRecipe(os::kOverviewPicture, MakeOpponentOverview));
    files.push_back(PictureRecipe(os::kOverviewSheet, [] { return MakeSheet("Take over"); }));
}

}  // namespace standin
