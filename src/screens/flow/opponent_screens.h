#pragma once
// The computer opponents as the player sees them.
//
// FS_OPPONENT_NEWS pops up when an opponent has opened a new production: its
// portrait, name and status report (capital, last year's profit, worth,
// points, take-over price). "Show" moves the world view to the production
// (answer 0), OK closes (answer 1). The panel opens it on WM_USER+0x6D with
// the opponent's slot and queues it with the other news.
//
// OpponentInfoScreen is the overview of the opponents still in the game
// (those whose turn_pending is non-zero), picked by a click on a portrait,
// with the selected one's figures (DrawFigures) and its take-over price.
// "Take over" pays that price (OnTakeOver) and answers 1 with the slot in
// the panel's popup_result; OK answers 0. The panel opens it on
// WM_USER+0x6F and holds it as `opponent_info` while it is open.

#include <cstdint>
#include <string>
#include <vector>

#include "gfx/wing_bitmap.h"
#include "panel/control_panel.h"
#include "panel/popup_protocol.h"
#include "screens/flow/flow_popup.h"

class CGameState;

// The report lines of the opponent in `slot`, from the name down to the
// take-over price ("Take over price: Not possible" before its year). Empty
// when there is no such opponent.
std::vector<std::string> OpponentReportLines(const CGameState& gs, int32_t slot);

// The overview's eight figure texts of the opponent in `slot`, in the order
// name, capital, profit, vehicles, way length, worth, points, price ("At
// present not possible" before its year). Empty when there is none.
std::vector<std::string> OpponentOverviewTexts(const CGameState& gs, int32_t slot);

// What both opponent screens share: the portrait strip, and a row of two
// buttons, OK (which Enter presses too) freeing the cursor and answering
// the panel, and the screen's own action.
class OpponentPopup : public FlowPopup {
  public:
    ~OpponentPopup() override;
    WinGBitmap portraits;

  protected:
    OpponentPopup(uint32_t result_message, plat::LParam ok_answer)
        : FlowPopup(result_message), ok_answer_(ok_answer) {}
    // The screen's picture and button sheet, then the portraits; false when
    // one is missing.
    bool LoadWithPortraits(const char* picture, const char* sheet_name);
    // WM_CHAR and WM_COMMAND of the button row; false for other messages.
    bool OnButtonRow(uint32_t message, plat::WParam wParam);
    virtual void OnAction() = 0;

  private:
    plat::LParam ok_answer_;
};

class FS_OPPONENT_NEWS : public OpponentPopup {
  public:
    FS_OPPONENT_NEWS();
    bool Open(HAUPTDIALOG& panel, const PopupRequest& request);

    int32_t slot = 0;  // the opponent reported, 0..2

  protected:
    plat::LResult OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;
    void OnAction() override { OnShow(); }

  private:
    // Portrait and report written over the clean picture.
    void DrawReport();
    // "Show": the view's selected field becomes the production's place.
    void OnShow();
    std::vector<uint8_t> clean_;
};

class OpponentInfoScreen : public OpponentPopup, public FS_OPPONENT_INFO {
  public:
    OpponentInfoScreen();
    ~OpponentInfoScreen() override;
    bool Open(HAUPTDIALOG& panel, const PopupRequest& request);

    // Every figure line of the selected opponent restored from the clean
    // picture, written and shown.
    void DrawFigures() override;
    // Pays the selected opponent's take-over price when the player can:
    // answers the panel 1 with the slot in its popup_result. Otherwise
    // nothing happens.
    void OnTakeOver();
    // A click at a client point: a listed portrait becomes the selection.
    void SelectAt(int32_t x, int32_t y);

    int32_t listed[3] = {-1, -1, -1};  // the listed opponents' slots, from the left
    int32_t selected = 0;              // place in the list
    int32_t listed_count = 0;
    WinGBitmap clean;  // the picture as loaded

  protected:
    plat::LResult OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;
    void OnAction() override { OnTakeOver(); }

  private:
    // Portraits, picture, figures and the selection's outline.
    void Redraw(plat::DeviceContext& dc);
    HAUPTDIALOG* panel_ = nullptr;
};
