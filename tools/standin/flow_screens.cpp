#include "flow_screens.h"

#include <cstdio>
#include <string>

#include "font_render.h"
#include "palette.h"
#include "screens.h"
#include "screens/flow/flow_screen_layout.h"
#include "screens/flow/tutorial_pages.h"
#include "screens/world/world_screen_layout.h"
#include "world_files.h"

namespace fs = flow_screens;
namespace ws = world_screens;

namespace standin {
namespace {

constexpr int kPageW = 640;
constexpr int kPageH = 480;

void Backdrop(Canvas& c, const std::string& title, const std::string& subtitle) {
    c.FillRect(0, 0, c.width, c.height, pal::Shade(pal::kSlate, 2));
    c.FillRect(0, 0, c.width, 50, pal::Shade(pal::kSlate, 1));
    c.FillRect(0, 50, c.width, 1, pal::Shade(pal::kSlate, 0));
    c.FrameRect(0, 0, c.width, c.height, pal::Shade(pal::kSlate, 6));
    c.FrameRect(1, 1, c.width - 2, c.height - 2, pal::Shade(pal::kSlate, 0));
    DrawTextCentred(c, c.width / 2, 4, title, 24, FontStyle::Bold, pal::Shade(pal::kGold, 5),
                    pal::Shade(pal::kGrey, 0));
    DrawTextCentred(c, c.width / 2, 32, subtitle, 12, FontStyle::Regular, pal::kText, 0);
}

void Label(Canvas& c, int x, int y, const std::string& text, int size = 12) {
    DrawText(c, x, y, text, size, FontStyle::Regular, pal::kText);
}

void Heading(Canvas& c, int x, int y, const std::string& text) {
    DrawText(c, x, y, text, 14, FontStyle::Bold, pal::Shade(pal::kGold, 5));
    c.FillRect(x, y + 19, ws::kOptionWidth, 1, pal::Shade(pal::kGold, 2));
}

void Option(Canvas& c, int x, int y, const std::string& text) {
    c.FillRect(x, y, ws::kMarkerSize, ws::kMarkerSize, pal::Shade(pal::kSlate, 0));
    c.FrameRect(x, y, ws::kMarkerSize, ws::kMarkerSize, pal::Shade(pal::kGrey, 0));
    Label(c, x + ws::kOptionTextIndent, y, text);
}

void Recess(Canvas& c, int x, int y, int w = fs::kButtonWidth, int h = fs::kButtonHeight) {
    c.FillRect(x - 2, y - 2, w + 4, h + 4, pal::Shade(pal::kSlate, 0));
}

// Button faces side by side, normal at y 0 and pressed 40 below, from x.
void Faces(Canvas& c, int x, std::initializer_list<const char*> labels) {
    for (const char* label : labels) {
        DrawButtonFace(c, x, 0, fs::kButtonWidth, fs::kButtonHeight, label, false);
        DrawButtonFace(c, x, fs::kPressedFaceY, fs::kButtonWidth, fs::kButtonHeight, label, true);
        x += fs::kButtonWidth;
    }
}

void Marker(Canvas& c, int x, int y, int ramp_level) {
    const float centre = ws::kMarkerSize / 2.0f;
    c.FillEllipse(x + centre, y + centre, 6.5f, 6.5f, pal::Shade(pal::kGold, ramp_level / 2));
    c.FillEllipse(x + centre, y + centre, 5.0f, 5.0f, pal::Shade(pal::kGold, ramp_level));
}

// The list's selection strip: a light bar with a marker at its left end.
void SelectionStrip(Canvas& c, int y) {
    c.FillRect(0, y, c.width, 17, pal::Shade(pal::kGold, 4));
    c.FillRect(0, y, 12, 17, pal::Shade(pal::kGold, 2));
}

// A list well and its frame, as the list screens share.
void ListWell(Canvas& c, int left, int top, int right, int bottom) {
    c.FillRect(left, top, right - left, bottom - top, pal::Shade(pal::kSlate, 1));
    c.FrameRect(left - 1, top - 1, right - left + 2, bottom - top + 2, pal::Shade(pal::kSlate, 0));
}

Canvas Sheet(int w, int h) {
    return Canvas(w, h);
}

Canvas MakeSetupSheet() {
    Canvas c = Sheet(fs::kSetupSheetWidth, fs::kSetupSheetHeight);
    Marker(c, fs::kSetupMarkerX, 0, 5);
    Faces(c, fs::kSetupBackFaceX, {"Back", "OK"});
    return c;
}

Canvas MakeOpponentScreen() {
    Canvas c(kPageW, kPageH);
    Backdrop(c, "Your rivals", "Pick up to three computer companies");
    const char* lines[] = {
        "Click a portrait to pick that company", "as a rival; click it again to drop it.",
        "Each pick takes the next free rival",   "place and shows a frame in its colour.",
        "Companies you do not pick still exist", "but make no moves."};
    int y = 90;
    for (const char* line : lines) {
        Label(c, 40, y, line);
        y += 20;
    }
    static const char* const kNames[5] = {"Profile 1", "Profile 2", "Profile 3", "Profile 4",
                                          "Profile 5"};
    for (int i = 0; i < fs::kPortraitCount; ++i) {
        const int top = fs::kPortraitTop + fs::kPortraitStep * i;
        c.FillRect(fs::kPortraitX - 2, top - 2, fs::kPortraitWidth + 4, fs::kPortraitHeight + 4,
                   pal::Shade(pal::kSlate, 0));
        Label(c, fs::kPortraitX + fs::kPortraitWidth + 12, top + 26, kNames[i]);
    }
    Recess(c, 516, 424);
    return c;
}

Canvas MakeOpponentSheet() {
    Canvas c = Sheet(fs::kButtonWidth, 80);
    Faces(c, 0, {"OK"});
    return c;
}

Canvas MakeCareerScreen() {
    Canvas c(kPageW, kPageH);
    Backdrop(c, "Career", "Ten assignments for the board of directors");
    for (int y : {91, 141, 191, 311}) Recess(c, 128, y);
    Label(c, 260, 100, "Hard: the goals are doubled.");
    Label(c, 260, 150, "Medium: the goals are 1.4 times higher.");
    Label(c, 260, 200, "Easy: the goals as written.");
    Label(c, 260, 320, "Back to the title.");
    return c;
}

Canvas MakeCareerSheet() {
    Canvas c = Sheet(fs::kCareerSheetWidth, 80);
    Faces(c, 0, {"Hard", "Medium", "Easy", "Back"});
    return c;
}

Canvas MakeSelectScreen(bool missions) {
    Canvas c(fs::kSelectWidth, fs::kSelectHeight);
    Backdrop(c, missions ? "Missions" : "Scenarios", "Choose a level to play");
    ListWell(c, 21, 63, 349, 250);
    const int tabs = missions ? 3 : 4;
    static const char* const kTabNames[4] = {"Group 1", "Group 2", "Group 3", "Own"};
    for (int t = 0; t < tabs; ++t) {
        const int x = fs::kTabLefts[t];
        c.FillRect(x, fs::kTabTop, fs::kTabWidth, fs::kTabHeight, pal::Shade(pal::kSlate, 1));
        Label(c, x + 20, fs::kTabTop, kTabNames[t]);
    }
    Recess(c, 44, 311);
    Recess(c, 212, 311);
    return c;
}

Canvas MakeSelectSheet() {
    Canvas c = Sheet(fs::kSelectSheetWidth, fs::kSelectSheetHeight);
    Marker(c, 0, 0, 5);  // the chosen tab
    c.FillEllipse(8.0f, 24.0f, 4.0f, 4.0f, pal::Shade(pal::kSlate, 4));
    Faces(c, 32, {"Back", "OK"});
    SelectionStrip(c, fs::kSelectStripY);
    return c;
}

Canvas MakeTextScreen(bool mission) {
    Canvas c(fs::kTextWidth, fs::kTextHeight);
    Backdrop(c, mission ? "Briefing" : "Assignment", mission ? "Your mission" : "The board asks");
    c.FillRect(2, 58, 356, 242, pal::Shade(pal::kSlate, 1));
    // Only OK has a recess: the assignment's restart, offered when the goal
    // is read again, stands on the plain ground, which shows no empty slot
    // where the button is not offered.
    Recess(c, mission ? 128 : 212, 311);
    return c;
}

Canvas MakeTextSheet(bool mission) {
    Canvas c = Sheet(mission ? fs::kButtonWidth : 2 * fs::kButtonWidth, 80);
    if (mission) {
        Faces(c, 0, {"OK"});
    } else {
        Faces(c, 0, {"OK", "Restart"});
    }
    return c;
}

Canvas MakeFileScreen(bool save) {
    Canvas c(fs::kTextWidth, fs::kTextHeight);
    Backdrop(c, save ? "Save game" : "Load game", "Ten places for your games");
    ListWell(c, 21, 63, 349, save ? 233 : 250);
    if (save) {
        Label(c, 9, 258, "Description:");
        c.FillRect(9, 278, 340, 20, pal::Shade(pal::kSlate, 0));
    }
    Recess(c, 44, 311);
    Recess(c, 212, 311);
    return c;
}

Canvas MakeFileSheet() {
    Canvas c = Sheet(fs::kFileSheetWidth, fs::kFileSheetHeight);
    Faces(c, 0, {"Cancel", "OK"});
    SelectionStrip(c, fs::kFileStripY);
    return c;
}

Canvas MakeGrowthScreen() {
    Canvas c(fs::kGrowthWidth, fs::kGrowthHeight);
    c.FillRect(0, 0, c.width, c.height, pal::Shade(pal::kSlate, 2));
    c.FrameRect(0, 0, c.width, c.height, pal::Shade(pal::kSlate, 6));
    DrawTextCentred(c, c.width / 2, 12, "City growth", 18, FontStyle::Bold,
                    pal::Shade(pal::kGold, 5), pal::Shade(pal::kGrey, 0));
    c.FillRect(48, 50, 224, 20, pal::Shade(pal::kSlate, 1));
    c.FillRect(50, 75, 204, 21, pal::Shade(pal::kGrey, 0));
    Label(c, 40, 112, "The cities grow through the years");
    Label(c, 40, 130, "before your company starts.");
    Recess(c, 102, 178);
    return c;
}

Canvas MakeGrowthSheet() {
    Canvas c = Sheet(fs::kButtonWidth, 80);
    Faces(c, 0, {"Stop"});
    return c;
}

// --- Tutorial ----------------------------------------------------------------

// What the tutorial says, one entry per waiting panel, by picture index.
struct TutorialText {
    int index;
    const char* title;
    const char* lines[4];
};

constexpr TutorialText kTexts[] = {
    {1,
     "Welcome",
     {"This short tour shows the", "control panel, roads, depots", "and trucks.", ""}},
    {2, "Control panel", {"The headings at the top left", "open lists of commands.", "", ""}},
    {3, "Game", {"Load, save, options and", "the end of the game.", "", ""}},
    {4, "Information", {"Statistics, the board", "and your goal.", "", ""}},
    {5, "Roads", {"Gravel road, street and", "highway, bridges, tunnels.", "", ""}},
    {6, "Rails", {"Tracks and stations for", "your trains.", "", ""}},
    {7, "Buildings", {"Mines, factories, stores", "and depots to buy.", "", ""}},
    {8, "Vehicles", {"Buy trucks and trains and", "give them schedules.", "", ""}},
    {9, "Terrain", {"Raise and lower the land,", "demolish what stands.", "", ""}},
    {10, "View", {"Zoom and rotate the map,", "show or hide its layers.", "", ""}},
    {11, "News", {"Messages about products,", "vehicles and rivals.", "", ""}},
    {12, "Opponents", {"What your rivals own and", "what buying them costs.", "", ""}},
    {13, "Overviews", {"Lists of your stores,", "factories and vehicles.", "", ""}},
    {14, "Find", {"Look for a city by name", "and jump to it.", "", ""}},
    {15, "Pause", {"Stop the clock while you", "think.", "", ""}},
    {16,
     "The sidebar",
     {"Below the headings the panel", "shows what you picked:", "prices, production, cargo.", ""}},
    {18, "The map", {"Drag the edges to scroll.", "Space rotates the map.", "", ""}},
    {20,
     "Laying a road",
     {"Choose the road heading,", "pick \"Gravel road\", then drag", "from one field to another.",
      ""}},
    {22, "Road cost", {"While you drag, the sidebar", "shows what the road costs.", "", ""}},
    {24, "Bridges", {"A road over water needs", "the bridge row first.", "", ""}},
    {25, "Your first road", {"Connect a mine and a factory", "with one road.", "", ""}},
    {27, "A depot", {"Open the buildings heading", "and choose a truck depot.", "", ""}},
    {28, "Placing", {"The arrow keys turn the depot.", "Its entrance must face", "the road.", ""}},
    {29, "Catchment", {"The depot serves the buildings", "marked around it.", "", ""}},
    {30, "Second depot", {"Place one at the factory", "too.", "", ""}},
    {31, "Costs", {"The price stands in the", "sidebar before you click.", "", ""}},
    {32, "Done", {"Two depots joined by a road.", "", "", ""}},
    {34, "Buying a truck", {"Click a depot and choose", "\"Buy vehicle\".", "", ""}},
    {36, "Models", {"Each model carries some", "goods at some speed.", "", ""}},
    {38,
     "Schedule",
     {"After buying, pick the stops:", "load at the mine,", "unload at the factory.", ""}},
    {40, "Stops", {"Click each depot on the", "network map to add it.", "", ""}},
    {41, "Cargo", {"Choose what to load and", "unload at each stop.", "", ""}},
    {43, "Running", {"Close the schedule; the", "truck sets off.", "", ""}},
    {44, "Production", {"The factory turns the raw", "material into goods.", "", ""}},
    {45, "Stores", {"Goods sell in the stores", "of the cities.", "", ""}},
    {47, "Prices", {"Set the sale prices on the", "store's screen.", "", ""}},
    {49, "Statistics", {"The information heading", "shows profit and worth.", "", ""}},
    {51, "The board", {"The board votes on your", "work once a year.", "", ""}},
    {53, "Rivals", {"Three rival companies", "build their own chains.", "", ""}},
    {55, "Take-over", {"With enough money you may", "buy a rival.", "", ""}},
    {56, "Saving", {"The game heading saves to", "one of ten places.", "", ""}},
    {58, "Loading", {"And loads them again.", "", "", ""}},
    {60, "Options", {"Music, sounds and autosave", "are in the options.", "", ""}},
    {61, "Editor", {"The editor makes levels", "of your own.", "", ""}},
    {63, "Missions", {"Missions set one goal", "on a prepared map.", "", ""}},
    {65, "Career", {"A career is ten assignments", "that grow harder.", "", ""}},
    {66, "Scenarios", {"Scenarios are free games on", "a prepared map.", "", ""}},
    {67, "Free game", {"Or set up a world of", "your own choice.", "", ""}},
    {69, "Goal", {"Win the board's votes", "to win the game.", "", ""}},
    {71, "Good luck", {"That is all you need", "to begin.", "", ""}},
    {72, "The end", {"Press a key or click to go", "back to the title.", "", ""}},
};

const TutorialText* TextOf(int index) {
    for (const TutorialText& t : kTexts) {
        if (t.index == index) return &t;
    }
    return nullptr;
}

// The text of the first waiting panel from picture `index` on: the stage a
// full page or highlight belongs to.
const TutorialText* StageOf(int index) {
    for (int i = index; i < kTutorialPageCount; ++i) {
        const TutorialText* t = TextOf(i);
        if (t != nullptr && kTutorialPages[i].waits != 0) return t;
    }
    return nullptr;
}

// Where a waiting panel stands among all of them: "Page 3 of 52".
std::string PageNumber(int index) {
    int number = 0, count = 0;
    for (int i = 0; i < kTutorialPageCount; ++i) {
        if (kTutorialPages[i].waits == 0) continue;
        ++count;
        if (i <= index) ++number;
    }
    return "Page " + std::to_string(number) + " of " + std::to_string(count);
}

// A mock of the game screen: the panel strip on the left, map to the right,
// captioned with the stage of the tour it opens.
void GameMock(Canvas& c, int index) {
    c.FillRect(0, 0, c.width, c.height, pal::Shade(pal::kLowAutumn, 3));
    for (int y = 0; y < c.height; y += 24) {
        c.FillRect(0, y, c.width, 1, pal::Shade(pal::kLowAutumn, 2));
    }
    c.FillRect(0, 0, 160, c.height, pal::Shade(pal::kSlate, 2));
    c.FrameRect(0, 0, 160, c.height, pal::Shade(pal::kSlate, 0));
    for (int r = 0; r < 4; ++r) {
        for (int col = 0; col < 5; ++col) {
            c.FillRect(4 + col * 31, 40 + r * 24, 28, 20, pal::Shade(pal::kSlate, 4));
        }
    }
    const TutorialText* stage = StageOf(index);
    const std::string caption =
        std::string("Tutorial") + (stage != nullptr ? std::string(": ") + stage->title : "");
    DrawTextInRoom(c, {170, 4, c.width - 180, 24}, caption, 14, FontStyle::Bold,
                   pal::Shade(pal::kGold, 5), 0);
    if (index >= 17) {  // a road and two depots appear as the tour goes on
        c.FillRect(260, 300, 260, 10, pal::Shade(pal::kAsphalt, 2));
    }
    if (index >= 26) {
        c.FillRect(240, 280, 20, 30, pal::Shade(pal::kBrick, 3));
        c.FillRect(520, 280, 20, 30, pal::Shade(pal::kBrick, 3));
    }
}

void PanelBox(Canvas& c, int index) {
    c.FillRect(0, 0, c.width, c.height, pal::Shade(pal::kSlate, 1));
    c.FrameRect(0, 0, c.width, c.height, pal::Shade(pal::kGold, 4));
    c.FrameRect(1, 1, c.width - 2, c.height - 2, pal::Shade(pal::kSlate, 0));
    const TutorialText* t = TextOf(index);
    if (t == nullptr) return;
    // The page number at the top right, the title left of it.
    const std::string number = PageNumber(index);
    const int numberWidth = TextWidth(number, 10, FontStyle::Regular);
    DrawText(c, c.width - 10 - numberWidth, 9, number, 10, FontStyle::Regular, pal::kText);
    const int titleSize = FittingSize(t->title, c.width - 26 - numberWidth, 14, FontStyle::Bold);
    DrawText(c, 10, 6, t->title, titleSize, FontStyle::Bold, pal::Shade(pal::kGold, 5));
    int y = 30;
    for (const char* line : t->lines) {
        if (line[0] != 0) Label(c, 10, y, line);
        y += 18;
    }
    Label(c, 10, c.height - 20, "Any key: next   Left: back");
}

}  // namespace

Canvas MakeSetupScreen() {
    Canvas c(kPageW, kPageH);
    Backdrop(c, "New game", "Set up the world of a free game");
    struct Group {
        int column;
        bool lower;
        const char* heading;
        const char* labels[5];
        int rows;
    };
    static const Group kGroups[] = {
        {0, false, "Season", {"Autumn", "Summer", "Spring", "", ""}, 3},
        {1, false, "Mountains", {"Very many", "Many", "Medium", "Few", "Very few"}, 5},
        {2, false, "Land", {"Very little", "Little", "Medium", "Much", "Very much"}, 5},
        {3, false, "Woods", {"Very few", "Few", "Medium", "Many", "Very many"}, 5},
        {4, false, "Industries", {"Very near", "Near", "Medium", "Far", "Very far"}, 5},
        {0, true, "Cities", {"Very few", "Few", "Medium", "Many", "Very many"}, 5},
        {1, true, "Capital", {"100,000", "200,000", "300,000", "400,000", "500,000"}, 5},
        {3, true, "City names", {"List 1", "List 2", "List 3", "List 4", "List 5"}, 5},
        {4, true, "Presets", {"Easy", "Normal", "Hard", "Custom", ""}, 4},
    };
    for (const Group& g : kGroups) {
        const int x = ws::kColumns[g.column];
        Heading(c, x, g.lower ? ws::kLowerHeadingY : ws::kUpperHeadingY, g.heading);
        const int32_t* rows = g.lower ? ws::kLowerRows : ws::kUpperRows;
        for (int r = 0; r < g.rows; ++r) Option(c, x, rows[r], g.labels[r]);
    }
    Recess(c, ws::kOkButtonX, ws::kButtonsY);
    Recess(c, ws::kBackButtonX, ws::kButtonsY);
    return c;
}

Canvas MakeOpponentPortraits() {
    Canvas c(fs::kPortraitWidth, 2 * fs::kPortraitHeight * fs::kPortraitCount);
    const Ramp skins[5] = {pal::kBrick, pal::kSand, pal::kOrange, pal::kBark, pal::kEarth};
    const Ramp coats[5] = {pal::kTeal, pal::kPurple, pal::kConcrete, pal::kSky, pal::kGold};
    for (int i = 0; i < fs::kPortraitCount; ++i) {
        for (int plain = 0; plain < 2; ++plain) {
            const int top = (2 * i + plain) * fs::kPortraitHeight;
            c.FillRect(0, top, fs::kPortraitWidth, fs::kPortraitHeight,
                       pal::Shade(pal::kSlate, plain != 0 ? 1 : 4));
            c.FillEllipse(30.0f, top + 28.0f, 13.0f, 15.0f, pal::Shade(skins[i], 3));
            c.FillRect(10, top + 48, 40, 22, pal::Shade(coats[i], plain != 0 ? 2 : 4));
            char digit[4];
            std::snprintf(digit, sizeof digit, "%d", i + 1);
            DrawText(c, 4, top + 2, digit, 12, FontStyle::Bold, pal::kText);
        }
    }
    return c;
}

Canvas MakeTutorialPicture(int index) {
    const TutorialPage& page = kTutorialPages[index];
    Canvas c(page.width, page.height);
    const bool full = page.width == fs::kTutorialPageWidth;
    if (full && page.waits == 0) {
        GameMock(c, index);
    } else if (full || TextOf(index) != nullptr) {
        PanelBox(c, index);
    } else {  // a highlighted part of the screen
        c.FillRect(0, 0, c.width, c.height, pal::Shade(pal::kSlate, 3));
        c.FrameRect(0, 0, c.width, c.height, pal::Shade(pal::kPlayerYellow, 4));
        const TutorialText* stage = StageOf(index);
        if (stage != nullptr) Label(c, 8, 8, stage->title);
    }
    return c;
}

void AddFlowScreenFiles(std::vector<FileRecipe>& files) {
    files.push_back(PictureRecipe(fs::kSetupPicture, MakeSetupScreen));
    files.push_back(PictureRecipe(fs::kSetupSheet, MakeSetupSheet));
    files.push_back(PictureRecipe(fs::kOpponentPicture, MakeOpponentScreen));
    files.push_back(PictureRecipe(fs::kOpponentSheet, MakeOpponentSheet));
    files.push_back(PictureRecipe(fs::kPortraits, MakeOpponentPortraits));
    files.push_back(PictureRecipe(fs::kCareerPicture, MakeCareerScreen));
    files.push_back(PictureRecipe(fs::kCareerSheet, MakeCareerSheet));
    files.push_back(
        PictureRecipe(fs::kMissionSelectPicture, [] { return MakeSelectScreen(true); }));
    files.push_back(PictureRecipe(fs::kMissionSelectSheet, MakeSelectSheet));
    files.push_back(
        PictureRecipe(fs::kScenarioSelectPicture, [] { return MakeSelectScreen(false); }));
    files.push_back(PictureRecipe(fs::kScenarioSelectSheet, MakeSelectSheet));
    files.push_back(PictureRecipe(fs::kMissionTextPicture, [] { return MakeTextScreen(true); }));
    files.push_back(PictureRecipe(fs::kMissionTextSheet, [] { return MakeTextSheet(true); }));
    files.push_back(
        PictureRecipe(fs::kAssignmentTextPicture, [] { return MakeTextScreen(false); }));
    files.push_back(PictureRecipe(fs::kAssignmentTextSheet, [] { return MakeTextSheet(false); }));
    files.push_back(PictureRecipe(fs::kSavePicture, [] { return MakeFileScreen(true); }));
    files.push_back(PictureRecipe(fs::kSaveSheet, MakeFileSheet));
    files.push_back(PictureRecipe(fs::kLoadPicture, [] { return MakeFileScreen(false); }));
    files.push_back(PictureRecipe(fs::kLoadSheet, MakeFileSheet));
    files.push_back(PictureRecipe(fs::kGrowthPicture, MakeGrowthScreen));
    files.push_back(PictureRecipe(fs::kGrowthSheet, MakeGrowthSheet));
    for (int i = 0; i < kTutorialPageCount; ++i) {
        char path[40];
        std::snprintf(path, sizeof path, "tutorial/tut%03d.jgd", i + 1);
        files.push_back(PictureRecipe(path, [i] { return MakeTutorialPicture(i); }));
    }
}

}  // namespace standin
