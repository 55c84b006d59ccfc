#pragma once
// HAUPTDIALOG: the control panel, a 162-pixel strip beside the world view.
// Its upper part is a grid of picture headings; pressing one opens its list
// of up to seven entry rows below the grid, and a row sends its command. The
// lower part is the sidebar where the information panels and the tool
// feedback are painted. The world view creates it and g_pHauptDialog points
// at it while it lives. It answers the simulation's panel hooks itself (the
// frame installs it with SetControlPanel). The screens it holds are declared
// here as the main loop uses them.

#include <cstdint>
#include <initializer_list>
#include <optional>

#include "gfx/wing_bitmap.h"
#include "panel/popup_protocol.h"
#include "panel/sidebar_info.h"

#include "panel/tool_feedback.h"
#include "platform/window.h"
#include "state/panel_events.h"

inline constexpr int32_t kPanelWidth = 160;        // the client area; the window is 162 wide
inline constexpr int32_t kPanelHeadingCount = 25;  // 0..14 in a game, 15..24 in the editor
inline constexpr int32_t kPanelRowCount = 7;
inline constexpr int32_t kPanelLabelBytes = 50;
inline constexpr int32_t kPanelGridTop = 39;
inline constexpr int32_t kPanelGridBottom = 135;
inline constexpr int32_t kPanelListTop = 136;  // the sidebar below the grid
inline constexpr int32_t kPanelRowTop = 142;
inline constexpr int32_t kPanelRowHeight = 20;
// Pressing heading h sends the panel WM_COMMAND kCmdHeadingFirst + h.
inline constexpr uint32_t kCmdHeadingFirst = 40214;
// The rename entry of the city-object and terminal information panels.
inline constexpr uint32_t kCmdRename = 40281;
inline constexpr int32_t kHeadingNoTool = 14;
inline constexpr uint8_t kNoAnswer = 0xFF;
inline constexpr int32_t kHeadingEditorWorld = 20;

class CVehicle;

// The city-growth progress screen that runs before a game.
class FS_CITY_GROWTH {
  public:
    virtual ~FS_CITY_GROWTH() = default;
    virtual void DrawProgress() = 0;

    int32_t step_count = 0;  // raised by one per idle pass
    int32_t finished = 0;    // 1 = growth done
};

// The opponent-information window.
class FS_OPPONENT_INFO {
  public:
    virtual ~FS_OPPONENT_INFO() = default;
    virtual void DrawFigures() = 0;

    int32_t shown_player = 0;  // player number 1..3 whose figures are shown
};

// The annual accounts window.
class FS_YEAR_SUMMARY {
  public:
    virtual ~FS_YEAR_SUMMARY() = default;
    virtual void Draw() = 0;
};

// The structure information window of the control panel.
class FS_STRUCTURE_INFO {
  public:
    virtual ~FS_STRUCTURE_INFO() = default;
    // Redraws the figures of the building shown.
    virtual void DrawFigures() = 0;

    int32_t shown_building = 0;  // building number shown, 0 none
};

class HAUPTDIALOG : public plat::Window, public PanelEvents {
  public:
    // Fills the label table and the month names and registers the selected
    // vehicle as a vehicle reference (deleting the vehicle clears it); loads
    // nothing.
    HAUPTDIALOG();
    ~HAUPTDIALOG() override;

    // Loads the background, the pressed headings and the entry-row strip for
    // the screen width and the mode, and the goods icons. False when one is
    // missing (the panel then draws what it has).
    bool LoadImages();
    // Makes the window: a top-most 162-pixel strip at the screen origin, as
    // high as the screen, owned by the view.
    bool CreatePanel(plat::Window* view);

    // The pressed heading's cell over the clean grid, shown.
    void DrawHeadings();
    // The open rows with their labels, checked ones light with dark text.
    void DrawDropDown();
    // Restores the sidebar, clears the tool previews and empties the list.
    void CloseDropDown();
    // Shows the whole back buffer.
    void RedrawSidebar();
    // Deletes the panel's open child windows, popups and growth screen.
    void DeleteChildren();
    // Copies a rectangle of the back buffer to the window.
    void PresentArea(int32_t x, int32_t y, int32_t w, int32_t h);
    // What the keyboard does as a click would: press a heading (draw it and
    // send its command), and check a row of the open list (0..5) and send
    // the row's command.
    void PressHeading(int32_t heading);
    void MarkRow(int32_t row, uint32_t command);

    plat::Rect heading_rects[kPanelHeadingCount] = {};
    plat::Rect row_rects[kPanelRowCount] = {};
    int32_t current_heading = 15;
    int32_t previous_heading = 15;
    int32_t entry_checked[kPanelRowCount] = {};
    char entry_labels[kPanelHeadingCount][kPanelRowCount][kPanelLabelBytes] = {};
    int32_t entry_label[kPanelRowCount] = {};
    int32_t entry_command[kPanelRowCount] = {};
    int32_t entry_count = 0;
    char month_names[12][20] = {};
    uint8_t answer_code = 0;   // what the game heading's row asked; kNoAnswer none
    int32_t demolition_x = 0;  // the field a pending demolition confirmation demolishes
    int32_t demolition_y = 0;
    int32_t selected_type = 0;  // the selected object type last drawn
    plat::Window* info_window = nullptr;
    int32_t end_flag = 0;

    // The panel's pictures: the back buffer and the clean background (both
    // the screen-high panel picture), the pressed headings, the entry rows
    // with the overview legend, and the sidebar's goods icons.
    WinGBitmap back_buffer;
    WinGBitmap clean_background;
    WinGBitmap button_strip;
    WinGBitmap row_strip;
    WinGBitmap goods_icons;

    // The building the information panel shows (building number, 0 none) and
    // the open structure information window (null when closed).
    int32_t selected_structure = 0;
    FS_STRUCTURE_INFO* structure_info = nullptr;

    // Redraw the sidebar date line and capital line (sidebar_info.cpp).
    virtual void DrawSidebarDate();
    virtual void DrawSidebarCapital();
    // Draws "Action not possible:" and the reason for `action_refusal` 1..5;
    // any other code blanks the piece.
    virtual void DrawActionRefusal();

    int32_t action_refusal = 0;  // reason 0..5 of the last station extension
    int32_t brush_size = 1;      // terrain brush 1..6

    // Shows the oldest of the panel's popups that is open but hidden (which
    // sets `screen_open` again); nothing when there is none. The main frame
    // calls it when one of its screens closed.
    virtual void ShowHiddenPopup();

    FS_CITY_GROWTH* city_growth_screen = nullptr;
    FS_OPPONENT_INFO* opponent_info = nullptr;
    FS_YEAR_SUMMARY* year_summary = nullptr;
    // The overview's legend filters (1 = shown): players 0..3, eleven
    // building kinds, the stores, way types 3..6. Set to 1 after a level is
    // read at zoom 16.
    uint8_t legend_flags[20] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    int32_t screen_open_flag = 0;  // a full screen of the main frame is open

    // What the world view sets and asks: the selected vehicle, field and
    // building of the information panel, the demolition cost the panel
    // computed for the dragged rectangle, the tunnel and bridge check marks,
    // a repaint, and the raise/lower costs of the field under the mouse.
    CVehicle* selected_vehicle = nullptr;
    int32_t selected_x = -1;
    int32_t selected_y = -1;
    int64_t demolition_cost = 0;
    // The tunnel or bridge row of the open ways list loses its check mark
    // (the view used the mode once).
    virtual void ClearTunnelCheck();
    virtual void ClearBridgeCheck();
    // The whole sidebar drawn again (the legend as the zoom asks).
    virtual void Repaint();
    // The raise and lower costs of the field under the mouse (with brush 1,
    // outside the editor) and the mouse-button hints.
    virtual void DrawTerrainCost();

    // The simulation's panel hooks.
    int32_t BrushSize() override { return brush_size; }
    void ShowActionNotPossible(int32_t code) override {
        action_refusal = code;
        DrawActionRefusal();
    }
    int32_t SelectedStructure() override { return selected_structure; }
    void RefreshInfoPanel() override;
    std::optional<int32_t> StructureInfoBuilding() override;
    void RedrawStructureInfo() override;
    void OpponentNews(int32_t slot) override;

    // --- Panel menus ---------------------------------------------------------
    // The sidebar's price panel of the chosen building type, drawn when the
    // build heading opens with one and by the placement preview
    // (sidebar_placement.cpp).
    virtual void DrawPricePanel();

    // --- Popup protocol (popup_protocol.cpp, popup_results.cpp) ---------------
    // The open screen of a pair (null when closed).
    plat::Window* Popup(PanelPopup slot) const;
    // Gives a pair its screen factory (null: its requests do nothing).
    void SetPopupFactory(PanelPopup slot, plat::Window* (*open)(HAUPTDIALOG&, const PopupRequest&));
    // After a popup closed (`screen_open` cleared): with no popup left, tells
    // the main frame that the keys may come back. Otherwise shows the oldest
    // hidden one when the closed popup was one of the news queue's
    // (`shows_waiting`) or when no popup is left shown. A popup still shown
    // keeps as it is.
    void ContinueAfterPopup(bool shows_waiting);
    // The keys, fallen back to the panel, given to the newest popup shown.
    void ReturnKeysToShownPopup();
    // Career n from its first level: board votes and the goal cleared, the
    // level "k<n>_0.lvl" loaded, the company named "Player 1", then the
    // assignment text and the company name entry opened.
    void StartCareerLevel(int32_t career);
    // "autosave.lvl" of the saved-games folder; true when written.
    bool SaveAutosave();
    // The main frame: the top of the panel's owner chain.
    plat::Window* Frame() const;
    // What the open screen leaves for its result.
    PopupResult popup_result;

    // --- Construction-tool feedback (panel_feedback.cpp) -------------------
    // The tile marker's accumulated route cost.
    void DrawRoadCost();
    // Computes the demolition cost of the rectangle from the view's drag
    // start to its selected field (the field alone without a drag), stores
    // it in `demolition_cost` (-1: not possible; the view's release reads
    // it) and shows it.
    void DrawDemolitionCost();
    // At the overview zoom the legend of the overview map from y 252 (the
    // inactive opponents' rows switched off), else the clean background
    // there. RedrawSidebar calls it while the view's tool is the overview
    // zoom.
    void DrawOverviewLegend();
    // The rename command: asks for the renaming screen of the city or the
    // terminal on the view's selected field, by the selected type.
    void OnRename();
    // The tool feedback the sidebar shows now.
    FeedbackArea tool_feedback;

    // The placement panel of stores (sidebar_placement.cpp).
    virtual void DrawProductPricePanel();
    // What the sidebar's information area or placement panel shows now.
    SidebarContent sidebar_shown;

  protected:
    plat::LResult OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;
    // A heading or entry command (the menus' handlers): 40214 + h presses
    // heading h, any other id is a row's command.
    virtual void OnPanelCommand(uint32_t command);

  private:
    void OnCreate();
    // Unchecks the open rows that send one of the commands, then draws the list.
    void ClearRowOf(std::initializer_list<int32_t> commands);
    void OnLButtonDown(int32_t x, int32_t y);
    // The heading under the point by the set in use and its conditions, or
    // `current_heading` when none.
    int32_t HitHeading(int32_t x, int32_t y);
    void ToggleLegendRow(int32_t y);

    // --- Panel menus: the heading lists and the row commands ---------------
    struct MenuRow {
        int32_t label;     // label index within the current heading
        uint16_t command;  // what a click on the row sends
        int32_t checked;
    };
    // Fills the open list with the rows, draws it and shows the panel.
    void ShowRows(std::initializer_list<MenuRow> rows);
    // Checks the one row (none for -1) and unchecks the others, then draws
    // the list.
    void CheckOnly(int32_t row);
    // The handler of heading h: its tool, its rows, its request.
    void OpenHeading(int32_t heading);
    void ShowGameRows();
    void ShowInformationRows();
    void ShowWayRows();
    void ShowTerrainRows(uint16_t demolish, uint16_t lift);
    void ShowPlantRows();
    // A row command; false for an id the menus do not know.
    bool RunMenuCommand(uint16_t command);
    bool RunGameCommand(uint16_t command);
    bool RunOptionCommand(uint16_t command);
    bool RunViewCommand(uint16_t command);
    bool RunWayCommand(uint16_t command);
    bool RunTerrainCommand(uint16_t command);
    bool RunEditorCommand(uint16_t command);
    void ChooseWayKind(int32_t kind);
    void ChooseWayVariant(uint16_t command);
    void Rotate(int32_t rotation);
    void SetCityTraffic(bool on);
    // The view's tool (nothing without a view) and the main frame, the
    // view's parent (null without a view).
    static void SetTool(int32_t tool);
    static plat::Window* MainFrame();

    // --- Popup protocol ----------------------------------------------------------
    // Opens or closes the pair of a WM_USER message; false for any other.
    bool OnPopupMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam);
    void OpenPopup(const PopupEntry& entry, plat::WParam wParam, plat::LParam lParam);
    void ClosePopup(const PopupEntry& entry, plat::WParam wParam, plat::LParam lParam);
    // Deletes the pair's screen (its slot cleared first); whether it was visible.
    bool DeletePopup(const PopupEntry& entry);
    std::array<PopupEntry, kPanelPopupCount> popup_table_ = CopyPanelPopupTable();
    PopupWindows popups_;

    // --- Construction-tool feedback ----------------------------------------
    // Restores the area's piece, writes its lines and presents it.
    void ShowFeedback(FeedbackArea area);
};

inline HAUPTDIALOG* g_pHauptDialog = nullptr;

class SPIEL_FELD;
// The program's panel for a new view: its pictures loaded and its window
// made beside the view. Null when the window could not be made.
HAUPTDIALOG* CreateControlPanel(SPIEL_FELD& view);
