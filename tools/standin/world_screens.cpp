#include "world_screens.h"

#include <string>

#include "font_render.h"
#include "palette.h"
#include "screens.h"
#include "screens/world/world_screen_layout.h"
#include "world_files.h"

namespace ws = world_screens;

namespace standin {
namespace {

void Backdrop(Canvas& c, const std::string& title, const std::string& subtitle) {
    c.FillRect(0, 0, c.width, c.height, pal::Shade(pal::kSlate, 2));
    c.FillRect(0, 0, c.width, 50, pal::Shade(pal::kSlate, 1));
    c.FillRect(0, 50, c.width, 1, pal::Shade(pal::kSlate, 0));
    c.FillRect(0, 410, c.width, c.height - 410, pal::Shade(pal::kSlate, 1));
    c.FillRect(0, 409, c.width, 1, pal::Shade(pal::kSlate, 0));
    c.FrameRect(0, 0, c.width, c.height, pal::Shade(pal::kSlate, 6));
    c.FrameRect(1, 1, c.width - 2, c.height - 2, pal::Shade(pal::kSlate, 0));
    DrawTextCentred(c, c.width / 2, 4, title, 24, FontStyle::Bold, pal::Shade(pal::kGold, 5),
                    pal::Shade(pal::kGrey, 0));
    DrawTextCentred(c, c.width / 2, 32, subtitle, 12, FontStyle::Regular, pal::kText, 0);
}

void Heading(Canvas& c, int column, int y, const std::string& text) {
    DrawText(c, ws::kColumns[column], y, text, 14, FontStyle::Bold, pal::Shade(pal::kGold, 5));
    c.FillRect(ws::kColumns[column], y + 19, ws::kOptionWidth, 1, pal::Shade(pal::kGold, 2));
}

// An option: a recessed socket where the marker goes, and its text.
void Option(Canvas& c, int x, int y, const std::string& text) {
    c.FillRect(x, y, ws::kMarkerSize, ws::kMarkerSize, pal::Shade(pal::kSlate, 0));
    c.FrameRect(x, y, ws::kMarkerSize, ws::kMarkerSize, pal::Shade(pal::kGrey, 0));
    DrawText(c, x + ws::kOptionTextIndent, y, text, 12, FontStyle::Regular, pal::kText);
}

void OptionColumn(Canvas& c, int column, const int32_t* rows, const char* const labels[5]) {
    for (int r = 0; r < 5; ++r) Option(c, ws::kColumns[column], rows[r], labels[r]);
}

void ButtonRecesses(Canvas& c) {
    for (int x : {ws::kOkButtonX, ws::kBackButtonX}) {
        c.FillRect(x - 2, ws::kButtonsY - 2, ws::kButtonWidth + 4, ws::kButtonHeight + 4,
                   pal::Shade(pal::kSlate, 0));
    }
}

void TextLines(Canvas& c, int x, int y, std::initializer_list<const char*> lines) {
    for (const char* line : lines) {
        DrawText(c, x, y, line, 12, FontStyle::Regular, pal::kText);
        y += 18;
    }
}

Canvas Sheet(const std::string& ok, const std::string& back) {
    Canvas c(ws::kSheetWidth, ws::kSheetHeight);
    // The marker: a gold stud on transparent ground.
    const float centre = ws::kMarkerSize / 2.0f;
    c.FillEllipse(centre, centre, 6.5f, 6.5f, pal::Shade(pal::kGold, 2));
    c.FillEllipse(centre, centre, 5.0f, 5.0f, pal::Shade(pal::kGold, 5));
    c.FillEllipse(centre - 1.5f, centre - 1.5f, 1.6f, 1.6f, pal::Shade(pal::kGold, 7));
    for (bool pressed : {false, true}) {
        const int y = pressed ? ws::kPressedFaceY : 0;
        DrawButtonFace(c, ws::kOkFaceX, y, ws::kButtonWidth, ws::kButtonHeight, ok, pressed);
        DrawButtonFace(c, ws::kBackFaceX, y, ws::kButtonWidth, ws::kButtonHeight, back, pressed);
    }
    return c;
}

}  // namespace

Canvas MakeNewWorldScreen() {
    Canvas c(ws::kAreaWidth, ws::kAreaHeight);
    Backdrop(c, "New world", "Choose the world and what to make anew");
    static const char* const kAmounts[5] = {"Very much", "Much", "Medium", "Little", "Very little"};
    static const char* const kCounts[5] = {"Very many", "Many", "Medium", "Few", "Very few"};
    static const char* const kDistances[5] = {"Very near", "Near", "Medium", "Far", "Very far"};
    const char* const headings[5] = {"Land", "Mountains", "Woods", "Towns", "Site distance"};
    const char* const* labels[5] = {kAmounts, kCounts, kAmounts, kCounts, kDistances};
    for (int column = 0; column < 5; ++column) {
        Heading(c, column, ws::kUpperHeadingY, headings[column]);
        OptionColumn(c, column, ws::kUpperRows, labels[column]);
    }
    Heading(c, 0, ws::kLowerHeadingY, "Make anew");
    const char* const parts[4] = {"Whole world", "Cities", "Woods", "Industries"};
    for (int r = 0; r < 4; ++r) Option(c, ws::kColumns[0], ws::kLowerRows[r], parts[r]);
    TextLines(c, ws::kColumns[1] + 8, ws::kLowerRows[0],
              {"\"Whole world\" raises new land and makes cities, woods",
               "and industries on it; everything built so far is lost.",
               "Without it only the parts chosen (cities, woods,",
               "industries) are made anew, on the land as it is.",
               "Site distance: how far from large towns the first",
               "chemical plants and steel mills are placed."});
    ButtonRecesses(c);
    return c;
}

Canvas MakeNewWorldSheet() {
    return Sheet("OK", "Back");
}

Canvas MakeEditorStartScreen() {
    Canvas c(ws::kAreaWidth, ws::kAreaHeight);
    Backdrop(c, "Editor", "Make a level of your own");
    Heading(c, ws::kCapitalColumn, ws::kUpperHeadingY, "Start capital");
    static const char* const kCapitals[5] = {"100,000", "300,000", "500,000", "1,000,000",
                                             "2,000,000"};
    OptionColumn(c, ws::kCapitalColumn, ws::kUpperRows, kCapitals);
    TextLines(c, ws::kColumns[1], ws::kLowerRows[0],
              {"The start capital is the money a player of the level",
               "begins with. In the editor, land and gravel bridges",
               "and tunnels cost nothing; ways cost what they cost",
               "in a game. \"Setting\" / \"Generate new\" makes the land."});
    ButtonRecesses(c);
    return c;
}

Canvas MakeEditorStartSheet() {
    return Sheet("Start", "Back");
}

void AddWorldScreenFiles(std::vector<FileRecipe>& files) {
    files.push_back(PictureRecipe(ws::kNewWorldPicture, MakeNewWorldScreen));
    files.push_back(PictureRecipe(ws::kNewWorldSheet, MakeNewWorldSheet));
    files.push_back(PictureRecipe(ws::kEditorStartPicture, MakeEditorStartScreen));
    files.push_back(PictureRecipe(ws::kEditorStartSheet, MakeEditorStartSheet));
}

}  // namespace standin
