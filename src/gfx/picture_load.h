#pragma once
// What every picture load shares: the wait cursor and the CD music pause
// while the file is read, and the retry/cancel box for a missing or
// unreadable file.

#include <memory>
#include <string>

#include "gfx/dib.h"

// Set by the frame: what the loads need to know of the program around them.
struct PictureLoadHooks {
    // Letter of the CD-ROM drive: files whose name starts with it are read
    // from the CD ('Z' when there is none).
    char cd_drive = 'Z';
    // Loads show the wait cursor (while the world view exists).
    bool wait_cursor = false;
    // Pauses the CD music: the drive cannot play while data is read from it.
    // Null does nothing.
    void (*pause_cd_music)() = nullptr;
};
PictureLoadHooks& GetPictureLoadHooks();

// For the time of one load: the wait cursor when the hooks ask for it, and
// the music pause when the file lies on the CD drive.
class PictureLoadScope {
  public:
    explicit PictureLoadScope(const std::string& name);
    ~PictureLoadScope();
    PictureLoadScope(const PictureLoadScope&) = delete;
    PictureLoadScope& operator=(const PictureLoadScope&) = delete;
};

// Opens and parses the picture; while it is missing or damaged, asks with
// the missing-graphics box. Retry tries again; Cancel ends the program with
// a failure (plat::QuitWithFailure), frees the cursor, sends WM_USER+0x73 to
// the main frame once and returns null. Once the program is ending, a missing
// picture is null without a box.
std::unique_ptr<PackedDib> OpenDibOrAsk(const std::string& name);

// The box text for a file name (Windows-1252 bytes; the path is the host's).
std::string MissingPictureText(const std::string& name);
