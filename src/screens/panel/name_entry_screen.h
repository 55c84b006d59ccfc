#pragma once
// The name-entry screens over a running game: the player's company name and
// colour, and the renaming of a terminal or a city. Each offers the current
// name in a text field, all selected so that typing replaces it; OK (also
// Enter) stores the typed name and reports to the control panel. The three
// are one class with a table of their pictures, buttons and messages.

#include <cstdint>
#include <string>

#include "panel/popup_protocol.h"
#include "screens/panel/name_field.h"
#include "screens/panel/panel_screen.h"

enum class NameKind : int32_t { Company, Terminal, City };

class NameEntryScreen : public PanelScreen {
  public:
    explicit NameEntryScreen(NameKind kind) : kind_(kind) {}
    ~NameEntryScreen() override;

    // Shows the screen for the request's target (the terminal's building
    // number or the city index in lParam). False, with nothing shown, when
    // the target is not a terminal or a city.
    bool Open(HAUPTDIALOG& panel, const PopupRequest& request);

    NameKind Kind() const { return kind_; }
    int32_t colour = 0;  // the company colour 0..3
    NameField* field = nullptr;

  protected:
    plat::LResult OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;
    void OnPaint() override;

  private:
    void DrawColourBoxes();
    void OnLButtonDown(plat::Point p);
    void OnOk();

    NameKind kind_;
    HAUPTDIALOG* panel_ = nullptr;
    int32_t target_ = 0;  // building number or city index
    WinGBitmap box_;      // one colour box with its mark
};

// The panel's openers: a terminal's or a city's renaming only for a valid
// target (false opens nothing, so nothing is halted either).
bool IsRenamableTerminal(HAUPTDIALOG& panel, PopupRequest& request);
bool IsRenamableCity(HAUPTDIALOG& panel, PopupRequest& request);
// The panel's factories.
plat::Window* OpenCompanyName(HAUPTDIALOG& panel, const PopupRequest& request);
plat::Window* OpenTerminalRename(HAUPTDIALOG& panel, const PopupRequest& request);
plat::Window* OpenCityRename(HAUPTDIALOG& panel, const PopupRequest& request);
