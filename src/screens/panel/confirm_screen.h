#pragma once
// FS_CONFIRM: the yes/no questions over a running game. Each asks one
// question printed on its picture (overwrite a saved game, leave the game,
// go on to the next level, end the game, demolish what is marked) and has
// two image buttons: OK (yes, also the Enter key) and cancel (no). The answer
// is sent (not posted) to the window that asked, lParam 0 for yes and 1 for
// no; the screen never closes itself: the receiver deletes it. While it is
// open the cursor stays inside it, and it is freed before the answer goes.

#include <cstdint>

#include "panel/popup_protocol.h"
#include "screens/panel/panel_screen.h"

enum class ConfirmKind : int32_t { Overwrite, Leave, NextLevel, End, Demolish };

class FS_CONFIRM : public PanelScreen {
  public:
    explicit FS_CONFIRM(ConfirmKind kind) : kind_(kind) {}

    // Builds and shows the question centred over `view` as a child of
    // `parent`; the answer goes to `target`. False when its picture is
    // missing.
    bool Create(plat::Window* parent, plat::Window* target, const plat::Rect& view);

    ConfirmKind Kind() const { return kind_; }
    // The picture shown: the end question has its own in the editor.
    int32_t Picture() const;

  protected:
    plat::LResult OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;

  private:
    void Answer(plat::LParam answer);

    ConfirmKind kind_;
    plat::Window* target_ = nullptr;
};

// The panel's factories (the control panel asks and gets the answer).
plat::Window* OpenLeaveConfirmation(HAUPTDIALOG& panel, const PopupRequest& request);
plat::Window* OpenNextLevelConfirmation(HAUPTDIALOG& panel, const PopupRequest& request);
plat::Window* OpenEndConfirmation(HAUPTDIALOG& panel, const PopupRequest& request);
plat::Window* OpenDemolitionConfirmation(HAUPTDIALOG& panel, const PopupRequest& request);
// The save screen's question before a slot that holds a game is written
// over: centred over the world view, answering `save_screen` with
// kMsgOverwriteAnswer. The save screen deletes it. Null when it could not
// be made.
FS_CONFIRM* OpenOverwriteConfirmation(plat::Window& save_screen);
