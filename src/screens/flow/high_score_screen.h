#pragma once
// FS_BESTENLISTE: the high-score list, the ten best totals with the company
// names that earned them, written into "scr_49.jgd" on every paint. OK or
// Enter reports to the main frame, which goes back to the title. The frame
// opens it on WM_USER+113 (from the title and after a new entry).

#include <string>

#include "gfx/wing_bitmap.h"
#include "screens/flow/end_page.h"
#include "screens/screen_entry.h"

struct HighScoreEntry;

class FS_BESTENLISTE : public EndPage {
  public:
    FS_BESTENLISTE();
    ~FS_BESTENLISTE() override;

    // Loads "scr_49.jgd" and "scb_49.jgd" and opens the list over the whole
    // game area. False when it could not be made.
    bool Open(plat::Window* parent);

    WinGBitmap list_picture;

  protected:
    // The ten entries of the list.
    void DrawLines() override;
};

// "Name (1,000)" for points above 999, else "Name (999)".
std::string HighScoreLine(const HighScoreEntry& entry);

extern const ScreenEntry kHighScoreScreenEntry;
