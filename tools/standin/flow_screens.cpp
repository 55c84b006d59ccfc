#include "flow_screens.h"

#include <cstdio>
#include <string>
#include <vector>

#include "font_render.h"
#include "palette.h"
#include "panel/control_panel.h"
#include "panel_pictures.h"
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
    // A tab not chosen: the screen draws it over its background, where the
    // marker of the tab chosen before still stands. The disc covers all of
    // that marker, or a ring of it would stay around the dot.
    c.FillEllipse(8.0f, 24.0f, 6.5f, 6.5f, pal::Shade(pal::kSlate, 1));
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

// What the tutorial says, one entry per waiting panel, by picture index. The
// texts name the headings, rows, keys, buttons and screen titles as the game
// shows them; each is wrapped to its panel, "\n" starts a new line. Panels 2
// to 16 lie over the fifteen headings of the panel, in the grid's order.
struct TutorialText {
    int index;
    const char* title;
    const char* text;
};

constexpr TutorialText kTexts[] = {
    {1, "Welcome",
     "This tour shows the control panel and how to lay roads and rails, build depots and "
     "stations, and buy trucks and trains. Escape leaves it."},
    {2, "GAME",
     "The headings at the top left open lists of commands. GAME: \"End\" (key Q) ends the "
     "game, \"New Game\" starts another, \"Pause\" (key P) stops the clock."},
    {3, "FILE", "\"Load\" (key L) and \"Save\" (key S): ten places for your games."},
    {4, "OPT", "The \"Options\" (key O): music, sounds, city traffic, autosave and more."},
    {5, "SHOW",
     "Shows or hides the grid, trees, city buildings, city names, building names and "
     "production: keys 5, 6, 7, 8, 9 and 0."},
    {6, "HELP",
     "The \"Products\": what each is made from, where it is made and sold, what it costs and "
     "earns."},
    {7, "TURN",
     "Turns the map: \"Northern view\", \"East view\", \"Southern view\" or \"Western "
     "view\"."},
    {8, "INFO",
     "\"Statistics\", the \"Board of Directors\", your goal or rivals, and your \"Stores\" "
     "(key K), \"Industries\" (key E) and \"Vehicles\" (key Z)."},
    {9, "YEAR",
     "The \"Annual accounts\" of this year and the last (key B). Take up or pay back credit "
     "there."},
    {10, "NEWS", "The last product, transportation, building, business or opponent news again."},
    {11, "NAME",
     "Click a city, building, way or vehicle: the panel tells about it and renames a city or "
     "terminal. Key I."},
    {12, "VIEW",
     "\"1:1-View\" to \"1:16-Overview\" (keys 1 to 4), then click the map. \"Find\" (key F) "
     "jumps to one of your depots or stations."},
    {13, "BUILD",
     "\"New buildings\" (key G): \"Terminals\" (depots and stations), factories, stores. Pick "
     "one, \"Buy\", then click the map."},
    {14, "WAYS",
     "\"Street\" and \"Rails\" (key W): drag on the map to lay them. Also \"Bridge\", "
     "\"Tunnel\" and \"New platform\"."},
    {15, "LAND",
     "\"Demolish\" (key R): drag over what should go. \"Lift / Sink\" (key H): a click lifts "
     "the land, a right click sinks it."},
    {16, "POINT",
     "Key A. A click opens what it hits: a vehicle's schedule, a factory's production, a "
     "store's sales. A truck depot opens \"New truck\". A station's platform opens \"New "
     "train\" once rails run into it. A right click stops or starts a vehicle."},
    {18, "The map",
     "Rest the mouse at an edge of the screen to scroll; a right click there jumps a page. "
     "TURN turns the map. F1 to F10 jump to places stored with Shift+F1 to Shift+F10. M moves "
     "the panel to the other side, P pauses the game."},
    {20, "Laying a road",
     "Press WAYS and pick \"Street\". Then press the mouse button on one field, drag to "
     "another and let go: the road follows the land between them. A way goes up a hillside "
     "only straight up it, not across."},
    {22, "Road cost",
     "While you drag, the panel shows the \"Road construction costs\". They are paid when "
     "you let go."},
    {24, "Bridges",
     "To cross water pick \"Bridge\" under WAYS, then drag from one bank to the other. For a "
     "tunnel pick \"Tunnel\" and click a slope."},
    {25, "Your first road",
     "Goods come from the works already on the map: mines, lumber mills, steel mills and "
     "chemical plants. Build a factory that uses them (BUILD, \"Production\"; HELP tells "
     "what is made from what) and lay a \"Street\" from the works to the factory.\n\n"
     "Next, a truck depot at each end of the road."},
    {27, "A depot",
     "Press BUILD. In \"New buildings\" pick \"Terminals\" and \"Truck-Depot\", then "
     "\"Buy\"."},
    {28, "Placing",
     "Space or the arrow keys turn the depot; the white arrow marks its entrance. The road "
     "must run straight into the entrance."},
    {29, "Catchment",
     "The yellow frame is the \"Commercial zone\": the depot serves the buildings inside "
     "it."},
    {30, "Second depot",
     "Place one at the factory too. Buildings need flat land: a white frame fits, a red one "
     "does not."},
    {31, "Costs",
     "Before you click, the panel shows the price and the \"Demolition costs\" of what "
     "stands there."},
    {32, "Done", "Two depots, the road running straight into each entrance."},
    {34, "Buying a truck",
     "Press POINT and click a depot: \"New truck\" opens. Pick a model, then \"OK\"."},
    {36, "Models", "\"Information\" shows each model's speed, travel costs and price."},
    {38, "Schedule",
     "\"OK\" buys the truck and opens its \"Truck schedule\": the stops it drives to, in "
     "turn."},
    {40, "Stops",
     "The depot you bought at is \"Stop 1\". Click \"Stop 2\", then the other depot on the "
     "\"Network\" map."},
    {41, "Cargo",
     "Under a stop, click a \"NONE\" box and choose the goods to load there; they come off "
     "at the next stop. Tick \"Wait\" to wait there until loaded. \"Delete stop\" removes "
     "the chosen stop.\n\n"
     "From a mine to a factory: load its goods at the mine's depot, none at the factory's."},
    {43, "Running", "\"OK\" and the truck sets off."},
    {44, "Trains",
     "Trains run on rails between train stations.\n\n"
     "1. BUILD: \"Terminals\", \"Train station\", \"Buy\". Click flat land; Space turns the "
     "station. The arrows in its frame mark its platform.\n\n"
     "2. WAYS: \"Rails\". Drag from a field in line with the platform into its end: a "
     "platform has no rails until such a drag reaches it. Lay the rails on to the next "
     "station's platform the same way.\n\n"
     "3. POINT: click the railed platform. \"New train\" opens: pick a model and \"OK\", "
     "then fill in its \"Train schedule\" as for a truck.\n\n"
     "\"New platform\" (WAYS) and a click on a station add a platform to it; it needs rails "
     "too."},
    {45, "Production and stores",
     "A new factory makes nothing, and takes none of the goods brought to it, until you "
     "choose its product. Press POINT and click the factory (or INFO, \"Industries\", "
     "\"Prod.\" on its row): its production screen shows \"No production\" under "
     "\"Product (click to choose)\". Click there, pick a product from the list, then "
     "\"OK\".\n\n"
     "From then on the factory turns the goods brought to it into that product; HELP tells "
     "what each product is made from and which store sells it. Build stores in the cities "
     "(BUILD, \"Sales\") and carry the products to them by truck or train."},
    {47, "Prices",
     "With POINT, a click on a store opens its sales: set each product's price and its "
     "advertising there."},
    {49, "Statistics",
     "INFO, \"Statistics\": charts of your profit, receipts, costs, vehicles and \"Company "
     "worth\" over time. YEAR shows the \"Annual accounts\"."},
    {51, "The board",
     "The \"Board of Directors\" (INFO) votes by your cash and company worth, less your "
     "credit; each rival you take over adds 10 votes."},
    {53, "Rivals",
     "Up to three rival companies build chains of their own; \"Opponent news\" (NEWS) tells "
     "of them."},
    {55, "Take-over",
     "INFO, \"Opponent information\": each rival and its \"Take over price\". \"Take over\" "
     "buys it when you have the money."},
    {56, "Saving",
     "FILE, \"Save\" (key S): pick one of the ten places, type a description and press "
     "\"OK\".\n\n"
     "With \"Autosave\" on (OPT) the game also saves itself at each new year.\n\n"
     "\"End\" under GAME keeps the game you leave: \"Continue\" on the title goes on with "
     "it."},
    {58, "Loading",
     "FILE, \"Load\" (key L) brings a saved game back, as does \"Load game\" on "
     "the title."},
    {60, "Options",
     "OPT (key O): \"Music\", vehicle and ambient sounds, \"City traffic\", \"Animations\", "
     "\"Seasons\", \"Autosave\" and the scroll speed."},
    {61, "Editor",
     "\"Editor\" on the title makes worlds of your own; FILE, \"Save\" keeps them. Play "
     "them under \"New scenario\", in the group \"Own\"."},
    {63, "Missions",
     "\"New mission\" on the title: a prepared world with one goal, which its briefing "
     "tells."},
    {65, "Career",
     "\"New career\": ten assignments from the board, \"Easy\", \"Medium\" or \"Hard\"."},
    {66, "Scenarios", "\"New scenario\": a free game on a prepared world."},
    {67, "Free game",
     "\"New game\" sets up a world of your choice: season, mountains, land, woods, "
     "industries, cities and capital. Then name your company and pick your rivals."},
    {69, "Goal",
     "A free game is won with 100 votes of the board, a career with 75. A mission is won at "
     "the goal its briefing names."},
    {71, "Good luck",
     "That is all you need to begin: a way between two terminals, a vehicle bought there "
     "with POINT, and goods that sell."},
    {72, "Keys",
     "P pause   Q end   S save   L load   O options   B annual accounts\n"
     "W ways   G build   A point   I name   H lift / sink   R demolish\n"
     "1 to 4 zoom   F find   5 to 0 show or hide   M panel to the other side\n"
     "K stores   E industries   Z vehicles\n"
     "Space or the arrow keys: turn a depot or station before placing it\n"
     "F1 to F10: jump to a stored place   Shift+F1 to Shift+F10: store it\n\n"
     "The end of the tour."},
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

// Where a waiting panel stands among all of them: "Page 3 of 51".
std::string PageNumber(int index) {
    int number = 0, count = 0;
    for (int i = 0; i < kTutorialPageCount; ++i) {
        if (kTutorialPages[i].waits == 0) continue;
        ++count;
        if (i <= index) ++number;
    }
    return "Page " + std::to_string(number) + " of " + std::to_string(count);
}

// The text broken into lines no wider than `width` at `size`: at the spaces
// outside double quotes (a name the game shows stays on one line), and at
// every "\n".
std::vector<std::string> Wrap(const std::string& text, int width, int size) {
    std::vector<std::string> lines;
    std::string line, word;
    bool quoted = false;
    for (size_t i = 0; i <= text.size(); ++i) {
        const char ch = i < text.size() ? text[i] : '\n';
        if (ch == '"') quoted = !quoted;
        if ((ch != ' ' || quoted) && ch != '\n') {
            word += ch;
            continue;
        }
        const std::string joined = line.empty() ? word : line + " " + word;
        if (!line.empty() && TextWidth(joined, size, FontStyle::Regular) > width) {
            lines.push_back(line);
            line = word;
        } else {
            line = joined;
        }
        word.clear();
        if (ch == '\n') {
            lines.push_back(line);
            line.clear();
        }
    }
    return lines;
}

constexpr int kPanelStripWidth = 160;

// The control panel as the game shows it: its picture with the heading
// grid, the heading `pressed` (-1 none) pressed in, from row `top` of the
// page on.
void PanelMock(Canvas& c, int top, int pressed) {
    const Canvas panel = MakePanelBackground(kTutorialPages[0].height, false);
    c.Blit(panel, 0, top, kPanelStripWidth, c.height, 0, 0, false);
    if (pressed < 0) return;
    const Canvas faces = MakePanelHeadingsPressed(false);
    constexpr int kCell = 32, kGridTop = 39;
    const int x = pressed % 5 * kCell, y = pressed / 5 * kCell;
    c.Blit(faces, x, y, kCell, kCell, x, kGridTop + y - top, false);
}

// The WAYS list the road pages point at, one row lit, from row `top` on.
void WaysRowsMock(Canvas& c, int top, int lit) {
    constexpr int kWays = 12;
    PanelMock(c, top, kWays);
    const Canvas strip = MakePanelRowStrip(false);
    static const char* const kRows[] = {"Street", "Rails", "Bridge", "Tunnel", "New platform"};
    for (int r = 0; r < 5; ++r) {
        const int y = kPanelRowTop + kPanelRowHeight * r - top;
        c.Blit(strip, 0, (r == lit ? 236 : 96) + kPanelRowHeight * r, kPanelStripWidth,
               kPanelRowHeight, 0, y, false);
        DrawTextCentred(c, kPanelStripWidth / 2, y + 2, kRows[r], 12, FontStyle::Bold,
                        r == lit ? pal::Shade(pal::kSlate, 0) : pal::kText, 0);
    }
}

// A mock of the game screen: the control panel on the left, the map to the
// right, captioned with the stage of the tour it opens.
void GameMock(Canvas& c, int index) {
    c.FillRect(0, 0, c.width, c.height, pal::Shade(pal::kLowAutumn, 3));
    for (int y = 0; y < c.height; y += 24) {
        c.FillRect(0, y, c.width, 1, pal::Shade(pal::kLowAutumn, 2));
    }
    PanelMock(c, 0, -1);
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
    // The keys at the bottom; the viewer moves on with a character or a
    // click, steps back with the Left arrow from the second panel on and
    // ends after the last page.
    const int room = c.width - 20;
    std::string keys = "Space or click: next   Left arrow: back";
    if (index == 1) keys = "Space or click: next";
    if (index == kTutorialPageCount - 1) keys = "Space or click: back to the title";
    const int keysSize = FittingSize(keys, room, 10, FontStyle::Regular);
    const int keysY = c.height - 4 - LineHeight(keysSize);
    DrawText(c, 10, keysY, keys, keysSize, FontStyle::Regular, pal::kText);
    // The text at the largest size, down to 9, that ends above the keys.
    constexpr int kTextTop = 28;
    int size = 12;
    std::vector<std::string> lines = Wrap(t->text, room, size);
    while (size > 9 && kTextTop + LineHeight(size) * static_cast<int>(lines.size()) > keysY - 2) {
        lines = Wrap(t->text, room, --size);
    }
    int y = kTextTop;
    for (const std::string& line : lines) {
        if (!line.empty()) Label(c, 10, y, line, size);
        y += LineHeight(size);
    }
}

// The highlights that lie on the control panel show the WAYS list: the road
// with "Street" lit, the bridge with "Bridge".
int LitWaysRow(int index) {
    if (index == 19) return 0;
    if (index == 23) return 2;
    return -1;
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
    } else if (LitWaysRow(index) >= 0) {  // the WAYS list, framed
        WaysRowsMock(c, page.y, LitWaysRow(index));
        c.FrameRect(0, 0, c.width, c.height, pal::Shade(pal::kPlayerYellow, 4));
        c.FrameRect(1, 1, c.width - 2, c.height - 2, pal::Shade(pal::kPlayerYellow, 4));
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
