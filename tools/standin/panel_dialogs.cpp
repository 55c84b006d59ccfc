#include "panel_dialogs.h"

#include <string>

#include "font_render.h"
#include "palette.h"
#include "screens.h"
#include "screens/panel/dialog_layout.h"
#include "world_files.h"

namespace dl = dialog_layout;

namespace standin {
namespace {

constexpr int kLabelSize = 12;

// A framed panel with a title band.
void Panel(Canvas& c, const std::string& title) {
    c.FillRect(0, 0, c.width, c.height, pal::Shade(pal::kSlate, 2));
    c.FillRect(0, 0, c.width, 30, pal::Shade(pal::kSlate, 1));
    c.FillRect(0, 30, c.width, 1, pal::Shade(pal::kSlate, 0));
    c.FrameRect(0, 0, c.width, c.height, pal::Shade(pal::kSlate, 6));
    DrawTextCentred(c, c.width / 2, 6, title, 16, FontStyle::Bold, pal::Shade(pal::kGold, 5),
                    pal::Shade(pal::kGrey, 0));
}

// A label ending a few pixels left of x.
void LabelLeftOf(Canvas& c, int x, int y, const std::string& text) {
    const int w = TextWidth(text, kLabelSize, FontStyle::Regular);
    DrawText(c, x - 6 - w, y + 1, text, kLabelSize, FontStyle::Regular, pal::kText);
}

void Label(Canvas& c, int x, int y, const std::string& text) {
    DrawText(c, x, y, text, kLabelSize, FontStyle::Regular, pal::kText);
}

// The darker recess a button or a field sits in.
void Recess(Canvas& c, int x, int y, int w, int h) {
    c.FillRect(x - 2, y - 2, w + 4, h + 4, pal::Shade(pal::kSlate, 0));
}

// A socket where a mark goes.
void Socket(Canvas& c, int x, int y) {
    c.FillRect(x, y, dl::kMarkSize, dl::kMarkSize, pal::Shade(pal::kSlate, 0));
    c.FrameRect(x, y, dl::kMarkSize, dl::kMarkSize, pal::Shade(pal::kGrey, 0));
}

// Words wrapped into lines no wider than `width`.
void Paragraph(Canvas& c, int x, int y, int width, const std::string& text) {
    std::string line;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(' ', start);
        if (end == std::string::npos) end = text.size();
        const std::string word = text.substr(start, end - start);
        const std::string wider = line.empty() ? word : line + " " + word;
        if (!line.empty() && TextWidth(wider, 14, FontStyle::Bold) > width) {
            DrawText(c, x, y, line, 14, FontStyle::Bold, pal::kText);
            y += 18;
            line = word;
        } else {
            line = wider;
        }
        start = end + 1;
    }
    if (!line.empty()) DrawText(c, x, y, line, 14, FontStyle::Bold, pal::kText);
}

const char* SiteName(int picture) {
    switch (picture) {
        case 1:
            return "Gold mine";
        case 2:
            return "Silver mine";
        case 3:
            return "Diamond mine";
        case 4:
            return "Lumber mill";
        case 5:
            return "Chemical plant";
        default:
            return "Steel mill";
    }
}

void FigureLabels(Canvas& c, int dy, const std::string& output, const std::string& stock) {
    const dl::FigurePlace& out = dl::kOutputPlace;
    const dl::FigurePlace& st = dl::kStockPlace;
    LabelLeftOf(c, out.x, out.y + dy, output);
    LabelLeftOf(c, st.src_x, st.y + dy, stock);
    c.FillRect(out.x, out.y + dy + dl::kFigureHeight, out.width + 24, 1,
               pal::Shade(pal::kSlate, 3));
    c.FillRect(st.x, st.y + dy + dl::kFigureHeight, st.width + 24, 1, pal::Shade(pal::kSlate, 3));
}

}  // namespace

Canvas MakeStructureInfoPicture(int picture) {
    const bool steel = picture == dl::kInfoSteelPicture;
    Canvas c(dl::kInfoWidth, steel ? dl::kInfoSteelHeight : dl::kInfoHeight);
    Panel(c, SiteName(picture));
    if (steel) {
        const char* products[3] = {"Aluminum", "Copper sheet metal", "Steel sheet metal"};
        for (int b = 0; b < 3; ++b) {
            const int dy = b * dl::kSteelBlockStep;
            Label(c, 16, 74 + dy, products[b]);
            FigureLabels(c, dy, "Output per month:", "In stock:");
        }
        Recess(c, dl::kInfoSteelClose.x, dl::kInfoSteelClose.y, dl::kButtonWidth,
               dl::kButtonHeight);
        return c;
    }
    Label(c, 16, 44, "Raw material site");
    FigureLabels(c, 0, "Output per month:", "In stock:");
    if (picture == dl::kLumberPicture) {
        LabelLeftOf(c, dl::kForestPlace.x, dl::kForestPlace.y, "Forest yield:");
    }
    Recess(c, dl::kInfoClose.x, dl::kInfoClose.y, dl::kButtonWidth, dl::kButtonHeight);
    return c;
}

Canvas MakeStructureInfoSheet() {
    Canvas c(dl::kButtonWidth, 2 * dl::kButtonHeight);
    DrawButtonFace(c, 0, 0, dl::kButtonWidth, dl::kButtonHeight, "OK", false);
    DrawButtonFace(c, 0, dl::kPressedFaceY, dl::kButtonWidth, dl::kButtonHeight, "OK", true);
    return c;
}

Canvas MakeConfirmPicture(int picture) {
    Canvas c(dl::kConfirmWidth, dl::kConfirmHeight);
    const char* title = "Question";
    const char* question = "";
    switch (picture) {
        case 14:
            title = "Demolish";
            question = "Demolish everything that is marked? It costs more than 10,000.";
            break;
        case 18:
            title = "Next level";
            question = "Go on to the next level of your career?";
            break;
        case 21:
            title = "Save game";
            question = "This slot holds a saved game. Overwrite it?";
            break;
        case 22:
            title = "Leave";
            question = "Leave the running game?";
            break;
        case 32:
            title = "End game";
            question = "Really end the game?";
            break;
        default:
            title = "Editor";
            question = "Leave the editor? What is not saved is lost.";
            break;
    }
    Panel(c, title);
    Paragraph(c, 10, 50, dl::kConfirmTextRight - 14, question);
    for (const plat::Point p : {dl::kConfirmOk, dl::kConfirmCancel}) {
        Recess(c, p.x, p.y, dl::kButtonWidth, dl::kButtonHeight);
    }
    return c;
}

Canvas MakeConfirmSheet() {
    Canvas c(2 * dl::kButtonWidth, 2 * dl::kButtonHeight);
    for (bool pressed : {false, true}) {
        const int y = pressed ? dl::kPressedFaceY : 0;
        DrawButtonFace(c, dl::kConfirmCancelFaceX, y, dl::kButtonWidth, dl::kButtonHeight, "No",
                       pressed);
        DrawButtonFace(c, dl::kConfirmOkFaceX, y, dl::kButtonWidth, dl::kButtonHeight, "Yes",
                       pressed);
    }
    return c;
}

Canvas MakeDialogPicture(int picture) {
    switch (picture) {
        case dl::kCompanyPicture:
        case dl::kTerminalRenamePicture:
        case dl::kCityRenamePicture: {
            const bool company = picture == dl::kCompanyPicture;
            Canvas c(dl::kNameScreenWidth, company ? dl::kCompanyHeight : dl::kRenameHeight);
            Panel(c, company                                 ? "Your company"
                     : picture == dl::kTerminalRenamePicture ? "Rename terminal"
                                                             : "Rename city");
            Label(c, 20, 60, company ? "Company name:" : "New name:");
            Recess(c, dl::kNameStrip.x, dl::kNameStrip.y, dl::kNameStripWidth,
                   dl::kNameStripHeight);
            c.FillRect(dl::kNameStrip.x, dl::kNameStrip.y, dl::kNameStripWidth,
                       dl::kNameStripHeight, pal::kText);
            if (company) {
                Label(c, 20, 126, "Colour:");
                const Ramp colours[4] = {pal::kPlayerRed, pal::kPlayerGreen, pal::kPlayerBlue,
                                         pal::kPlayerYellow};
                for (int k = 0; k < 4; ++k) {
                    const plat::Point p = dl::kColourBoxes[k];
                    c.FillRect(p.x, p.y, dl::kMarkSize, dl::kMarkSize,
                               pal::Shade(colours[k], pal::kPlayerPureLevel));
                    c.FrameRect(p.x - 1, p.y - 1, dl::kMarkSize + 2, dl::kMarkSize + 2,
                                pal::Shade(pal::kGrey, 0));
                }
            }
            const plat::Point ok = company ? dl::kCompanyOk : dl::kRenameOk;
            Recess(c, ok.x, ok.y, dl::kButtonWidth, dl::kButtonHeight);
            return c;
        }
        case dl::kFindPicture: {
            Canvas c(dl::kFindWidth, dl::kFindHeight);
            Panel(c, "Find a terminal");
            const plat::Rect& l = dl::kFindList;
            c.FillRect(l.left, l.top, l.Width(), l.Height(), pal::Shade(pal::kSlate, 1));
            c.FrameRect(l.left - 1, l.top - 1, l.Width() + 2, l.Height() + 2,
                        pal::Shade(pal::kGrey, 0));
            for (const plat::Point p : {dl::kFindPageUp, dl::kFindPageDown}) {
                Recess(c, p.x, p.y, dl::kPageWidth, dl::kPageHeight);
            }
            for (const plat::Point p : {dl::kFindOk, dl::kFindCancel}) {
                Recess(c, p.x, p.y, dl::kButtonWidth, dl::kButtonHeight);
            }
            return c;
        }
        case dl::kGrowthPicture: {
            Canvas c(dl::kGrowthWidth, dl::kGrowthHeight);
            Panel(c, "Start year");
            Label(c, 20, 36, "How long have the cities grown?");
            for (int col = 0; col < 3; ++col) {
                for (int row = 0; row < 3; ++row) {
                    const int x = dl::kGrowthColumns[col];
                    const int y = dl::kGrowthRows[row];
                    Socket(c, x, y);
                    Label(c, x + 20, y + 1, std::to_string(1960 + 10 * (3 * col + row)));
                }
            }
            Recess(c, dl::kGrowthOk.x, dl::kGrowthOk.y, dl::kButtonWidth, dl::kButtonHeight);
            return c;
        }
        default: {
            Canvas c(dl::kOptionsWidth, dl::kOptionsHeight);
            Panel(c, "Options");
            Label(c, 16, 44, "Sound and display");
            const char* labels[dl::kOptionRows] = {
                "Music",   "Vehicle sounds", "Ambient sounds", "City traffic",   "Animations",
                "Seasons", "Autosave",       "Scroll speed 1", "Scroll speed 2", "Scroll speed 4"};
            for (int r = 0; r < dl::kOptionRows; ++r) {
                const plat::Point p = dl::kOptionMarks[r];
                Socket(c, p.x, p.y);
                Label(c, p.x + 22, p.y + 1, labels[r]);
            }
            for (const plat::Point p : {dl::kOptionsOk, dl::kOptionsCancel}) {
                Recess(c, p.x, p.y, dl::kButtonWidth, dl::kButtonHeight);
            }
            return c;
        }
    }
}

Canvas MakeDialogSheet() {
    Canvas c(dl::kSheetWidth, dl::kSheetHeight);
    // The chosen mark: a gold stud; the other: an empty ring.
    const float m = dl::kMarkSize / 2.0f;
    c.FillEllipse(dl::kMarkChosenX + m, m, 6.5f, 6.5f, pal::Shade(pal::kGold, 2));
    c.FillEllipse(dl::kMarkChosenX + m, m, 5.0f, 5.0f, pal::Shade(pal::kGold, 5));
    c.FillEllipse(dl::kMarkOtherX + m, m, 6.5f, 6.5f, pal::Shade(pal::kGrey, 6));
    c.FillEllipse(dl::kMarkOtherX + m, m, 4.5f, 4.5f, 0);
    for (bool pressed : {false, true}) {
        const int y = pressed ? dl::kPressedFaceY : 0;
        DrawButtonFace(c, dl::kOkFaceX, y, dl::kButtonWidth, dl::kButtonHeight, "OK", pressed);
        DrawButtonFace(c, dl::kCancelFaceX, y, dl::kButtonWidth, dl::kButtonHeight, "Cancel",
                       pressed);
        DrawButtonFace(c, dl::kPageUpFaceX, y, dl::kPageWidth, dl::kPageHeight, "^", pressed);
        DrawButtonFace(c, dl::kPageDownFaceX, y, dl::kPageWidth, dl::kPageHeight, "v", pressed);
    }
    c.FillRect(0, dl::kListBarY, dl::kListBarWidth, 17, pal::Shade(pal::kGold, 4));
    c.FillRect(0, dl::kListBarY, 12, 17, pal::Shade(pal::kGold, 6));
    return c;
}

void AddPanelDialogFiles(std::vector<FileRecipe>& files) {
    for (int n = 1; n <= 6; ++n) {
        const std::string s = std::to_string(n);
        files.push_back(
            PictureRecipe("scr_" + s + ".jgd", [n] { return MakeStructureInfoPicture(n); }));
        files.push_back(PictureRecipe("scb_" + s + ".jgd", MakeStructureInfoSheet));
    }
    for (int n : dl::kConfirmPictures) {
        const std::string s = std::to_string(n);
        files.push_back(PictureRecipe("scr_" + s + ".jgd", [n] { return MakeConfirmPicture(n); }));
        files.push_back(PictureRecipe("scb_" + s + ".jgd", MakeConfirmSheet));
    }
    for (int n : {dl::kCompanyPicture, dl::kTerminalRenamePicture, dl::kCityRenamePicture,
                  dl::kFindPicture, dl::kGrowthPicture, dl::kOptionsPicture}) {
        const std::string s = std::to_string(n);
        files.push_back(PictureRecipe("scr_" + s + ".jgd", [n] { return MakeDialogPicture(n); }));
        files.push_back(PictureRecipe("scb_" + s + ".jgd", MakeDialogSheet));
    }
}

}  // namespace standin
