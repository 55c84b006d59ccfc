#pragma once
// The twin popups that show a level's text: FS_MISSION_TEXT, a mission's
// briefing ("m<group>_<n>.txt" of the mission folder), and
// FS_ASSIGNMENT_TEXT, a career assignment ("k<career>_<n>.txt" of the
// career folder). The lines are shown in a list without selection, the
// umlauts and the acute accent of the Western code page turned into the
// font's glyph codes. OK answers 0; the assignment opened from the panel's
// goal entry (`text_from_menu`) also has a restart button, answering 1.

#include <cstdint>
#include <string>

#include "panel/list_box.h"
#include "panel/popup_protocol.h"
#include "screens/flow/flow_popup.h"

// The glyph codes of the umlauts (196 214 220 228 246 252 become 26..31)
// and of the acute accent (180 becomes the apostrophe); other bytes stay.
std::string RemapTextLine(std::string line);

class LevelTextScreen : public FlowPopup {
  public:
    enum class Kind { Mission, Assignment };
    explicit LevelTextScreen(Kind kind);
    ~LevelTextScreen() override;

    // wParam and lParam of the request are the two numbers of the file name.
    bool Open(HAUPTDIALOG& panel, const PopupRequest& request);
    // Reads the text into the list; a missing file asks to retry or cancel
    // (cancel aborts the program and leaves the list empty).
    void LoadText();
    std::string FileName() const;

    Kind kind;
    int32_t text_group = 0;
    int32_t text_number = 0;
    LISTBOX* text_list = nullptr;

  protected:
    plat::LResult OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;

  private:
    void OnPaint();
};

class FS_MISSION_TEXT : public LevelTextScreen {
  public:
    FS_MISSION_TEXT() : LevelTextScreen(Kind::Mission) {}
};

class FS_ASSIGNMENT_TEXT : public LevelTextScreen {
  public:
    FS_ASSIGNMENT_TEXT() : LevelTextScreen(Kind::Assignment) {}
};
