#include "gfx/picture_load.h"

#include "platform/app.h"
#include "platform/file.h"
#include "platform/input.h"
#include "platform/message_box.h"
#include "platform/messages.h"

namespace {

constexpr uint32_t kAbortLoadMessage = WM_USER + 0x73;
constexpr uint32_t kMissingBoxFlags = MB_RETRYCANCEL | MB_ICONSTOP | MB_SYSTEMMODAL;

// Nested loads (a bitmap loaded through a temporary picture) show the wait
// cursor once, for the outermost load.
int g_load_depth = 0;

}  // namespace

PictureLoadHooks& GetPictureLoadHooks() {
    static PictureLoadHooks hooks;
    return hooks;
}

PictureLoadScope::PictureLoadScope(const std::string& name) {
    const PictureLoadHooks& hooks = GetPictureLoadHooks();
    if (g_load_depth++ == 0 && hooks.wait_cursor) plat::SetCursor(IDC_WAIT);
    if (!name.empty() && name[0] == hooks.cd_drive && hooks.pause_cd_music != nullptr) {
        hooks.pause_cd_music();
    }
}

PictureLoadScope::~PictureLoadScope() {
    if (--g_load_depth == 0 && GetPictureLoadHooks().wait_cursor) plat::SetCursor(IDC_ARROW);
}

std::string MissingPictureText(const std::string& name) {
    return "The following graphics information couldn\xb4t be located:\n " + plat::HostPath(name) +
           " \n Check to make sure the information is available: For instance, is the CD "
           "inserted in the player.";
}

std::unique_ptr<PackedDib> OpenDibOrAsk(const std::string& name) {
    for (;;) {
        std::unique_ptr<PackedDib> dib = OpenDibFile(name);
        if (dib != nullptr) return dib;
        if (plat::QuitRequested()) return nullptr;  // the program is ending: no more boxes
        // A file that is there but cannot be read as a picture gets the same
        // box as a missing one.
        const int32_t answer =
            plat::MessageBox(nullptr, MissingPictureText(name), "Ferrovane", kMissingBoxFlags);
        if (answer == IDRETRY) continue;
        const bool damaged = plat::FileExists(name);
        plat::QuitWithFailure("the picture " + plat::HostPath(name) +
                              (damaged ? " is damaged" : " is missing"));
        plat::ClipCursor(nullptr);
        plat::Application* app = plat::CurrentApplication();
        if (app != nullptr) plat::SendMessage(app->mainWindow, kAbortLoadMessage);
        return nullptr;
    }
}
