#include "panel_pictures.h"

#include <string>

#include "palette.h"
#include "pixel_font.h"
#include "signs.h"

namespace standin {
namespace {

constexpr int kWidth = 160;
constexpr int kGridTop = 39;
constexpr int kCell = 32;

struct Heading {
    int x, y;
    const char* label;
};

// The fifteen game headings, five to a row.
constexpr Heading kGameHeadings[15] = {
    {0, 39, "GAME"},  {32, 39, "FILE"},   {64, 39, "OPT"},   {96, 39, "SHOW"},  {128, 39, "HELP"},
    {0, 71, "TURN"},  {32, 71, "INFO"},   {64, 71, "YEAR"},  {96, 71, "NEWS"},  {128, 71, "NAME"},
    {0, 103, "VIEW"}, {32, 103, "BUILD"}, {64, 103, "WAYS"}, {96, 103, "LAND"}, {128, 103, "POINT"},
};

// The editor's headings 15..24 in their cells; the other cells stay plain.
constexpr Heading kEditorHeadings[10] = {
    {0, 39, "END"},      {32, 39, "FILE"},  {96, 39, "SHOW"},  {128, 71, "NAME"}, {0, 103, "VIEW"},
    {128, 103, "WORLD"}, {32, 103, "CITY"}, {96, 103, "LAND"}, {64, 103, "WAYS"}, {64, 71, "PLANT"},
};

// The overview legend: players, the building types of flags 4..14, the
// stores and the way types 3..6.
constexpr const char* kLegendRows[20] = {
    "YOU",       "OPPONENT 1",   "OPPONENT 2",  "OPPONENT 3", "STEEL MILL",
    "CHEMICALS", "LUMBER MILL",  "GOLD MINE",   "TOY IND.",   "SPORTS IND.",
    "WOOD IND.", "JEWELRY IND.", "ELECTRONICS", "MOTOR IND.", "WAREHOUSE",
    "STORES",    "HIGHWAY",      "RAILS",       "MONORAIL",   "SUPERCOND.",
};

void Bevel(Canvas& c, int x, int y, int w, int h, uint8_t light, uint8_t dark) {
    c.FillRect(x, y, w, 1, light);
    c.FillRect(x, y, 1, h, light);
    c.FillRect(x, y + h - 1, w, 1, dark);
    c.FillRect(x + w - 1, y, 1, h, dark);
}

void CentredText(Canvas& c, int cx, int y, const std::string& text, uint8_t colour) {
    DrawSmallText(c, cx - SmallTextWidth(text) / 2, y, text, colour);
}

// A heading face, raised or pressed in, with its label in the small font.
void HeadingFace(Canvas& c, int x, int y, const char* label, bool pressed) {
    c.FillRect(x, y, kCell, kCell, pal::Shade(pal::kSlate, pressed ? 1 : 3));
    if (pressed) {
        Bevel(c, x, y, kCell, kCell, pal::Shade(pal::kSlate, 0), pal::Shade(pal::kSlate, 5));
    } else {
        Bevel(c, x, y, kCell, kCell, pal::Shade(pal::kSlate, 6), pal::Shade(pal::kSlate, 0));
    }
    const int shift = pressed ? 1 : 0;
    CentredText(c, x + kCell / 2 + shift, y + 12 + shift, label,
                pressed ? pal::Shade(pal::kGold, 5) : pal::kText);
}

void DrawGrid(Canvas& c, int top, bool editor, bool pressed) {
    c.FillRect(0, top, kWidth, 3 * kCell, pal::Shade(pal::kSlate, 0));
    const Heading* headings = editor ? kEditorHeadings : kGameHeadings;
    const int count = editor ? 10 : 15;
    for (int i = 0; i < count; ++i) {
        HeadingFace(c, headings[i].x, headings[i].y - kGridTop + top, headings[i].label, pressed);
    }
}

void Box(Canvas& c, int y) {
    c.FillRect(0, y, kWidth, 16, pal::Shade(pal::kSlate, 0));
    Bevel(c, 0, y, kWidth, 16, pal::Shade(pal::kSlate, 0), pal::Shade(pal::kSlate, 4));
}

}  // namespace

std::string PanelHeadingLabel(int heading) {
    if (heading >= 0 && heading < 15) return kGameHeadings[heading].label;
    if (heading >= 15 && heading < 25) return kEditorHeadings[heading - 15].label;
    return "";
}

Canvas MakePanelBackground(int height, bool editor) {
    Canvas c(kWidth, height, pal::Shade(pal::kSlate, 2));
    c.FillRect(0, 0, kWidth, kGridTop, pal::Shade(pal::kSlate, 3));
    Box(c, 2);
    Box(c, 19);
    DrawGrid(c, kGridTop, editor, false);
    Bevel(c, 0, 136, kWidth, height - 136, pal::Shade(pal::kSlate, 4), pal::Shade(pal::kSlate, 0));
    return c;
}

Canvas MakePanelHeadingsPressed(bool editor) {
    Canvas c(kWidth, 3 * kCell);
    DrawGrid(c, 0, editor, true);
    return c;
}

Canvas MakePanelRowStrip(bool editor) {
    Canvas c(2 * kWidth, 438, pal::Shade(pal::kSlate, 2));
    // Row faces: dark when unchecked (light text), light when checked (black text).
    for (int r = 0; r < 7; ++r) {
        const int off = 96 + 20 * r;
        const int on = 236 + 20 * r;
        c.FillRect(0, off, kWidth, 20, pal::Shade(pal::kSlate, 1));
        Bevel(c, 0, off, kWidth, 20, pal::Shade(pal::kSlate, 3), pal::Shade(pal::kSlate, 0));
        c.FillRect(0, on, kWidth, 20, pal::Shade(pal::kGold, 6));
        Bevel(c, 0, on, kWidth, 20, pal::Shade(pal::kGold, 7), pal::Shade(pal::kGold, 2));
    }
    // The legend at x 160: the header, then each row on and dimmed. The
    // panel paints the colour squares at x 16 itself.
    c.FillRect(kWidth, 0, kWidth, 18, pal::Shade(pal::kSlate, 4));
    CentredText(c, kWidth + kWidth / 2, 5, "LEGEND", pal::kText);
    for (int i = 0; i < 20; ++i) {
        // The editor's rows 0..3 show the flags 4..7.
        const bool shown = !editor || i < 4;
        const std::string label = shown ? kLegendRows[editor ? i + 4 : i] : "";
        for (const bool on : {true, false}) {
            const int y = (on ? 18 : 238) + 10 * i;
            c.FillRect(kWidth, y, kWidth, 10, pal::Shade(pal::kSlate, on ? 2 : 1));
            if (!shown) continue;
            DrawSmallText(c, kWidth + 30, y + 1, label,
                          on ? pal::kText : pal::Shade(pal::kSlate, 4));
        }
    }
    return c;
}

Canvas MakeGoodsIcons() {
    Canvas c(1440, 32, pal::Shade(pal::kSlate, 2));
    for (int icon = 0; icon < 45; ++icon) {
        const int x = icon * 32;
        Bevel(c, x, 0, 32, 32, pal::Shade(pal::kSlate, 5), pal::Shade(pal::kSlate, 0));
        if (icon == 0) {
            CentredText(c, x + 16, 12, "NONE", pal::kText);
            continue;
        }
        const int good = icon - 1;
        c.FillRect(x + 8, 4, 16, 12,
                   pal::Shade(good < 8 ? pal::kEarth : pal::kOrange, 2 + good % 4));
        CentredText(c, x + 16, 20, GoodsShortName(good), pal::kText);
    }
    return c;
}

}  // namespace standin
