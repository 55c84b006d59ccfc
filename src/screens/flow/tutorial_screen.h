#pragma once
// FS_TUTORIAL: the slide show of the 73 tutorial pictures
// ("tutorial\tut001.jgd" .. "tut073.jgd") composed on one 638 x 478 page.
// Full pages and layers are drawn for good; a waiting panel is laid over the
// page (the area under it kept) and the viewer stops on it. Any character
// key or a click moves on, the Left arrow steps back, Escape leaves; on the
// last picture any key or click leaves. Leaving sends the frame WM_USER+119,
// which brings the title back. The frame opens it on WM_USER+118.

#include <cstdint>
#include <string>

#include "gfx/palette_image.h"
#include "gfx/wing_bitmap.h"
#include "screens/flow/tutorial_pages.h"
#include "screens/full_screen.h"
#include "screens/screen_entry.h"

class FS_TUTORIAL : public FullScreen {
  public:
    FS_TUTORIAL();
    ~FS_TUTORIAL() override;

    // Loads the first picture into a new page, opens the viewer over the
    // whole screen and moves on to the first panel. False when it could not
    // be made.
    bool Open(plat::Window* parent);

    // Moves on to the next waiting picture, drawing the layers before it.
    void Next();
    // From a waiting picture back to its back page, its layers redrawn first.
    void Back();

    int32_t current_page = 0;
    PaletteImage page_picture;
    WinGBitmap saved_area;
    WinGBitmap page_image;

  protected:
    plat::LResult OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;
    // Loads picture `page` (0..72) into `page_picture`.
    virtual bool LoadPicture(int32_t page);

  private:
    void OnPaint();
    void End();
    // The picture just loaded, its used part copied onto the page; for a
    // waiting one the area under it is kept first.
    void DrawLoaded(int32_t page, bool keep_area);
    void ShowPage();
    std::string folder_;
};

extern const ScreenEntry kTutorialScreenEntry;
