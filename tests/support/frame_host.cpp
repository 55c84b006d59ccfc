#include "support/frame_host.h"

#include <map>
#include <set>
#include <utility>
#include <vector>

#include "app/interface_hooks.h"
#include "app/settings.h"
#include "platform/compositor.h"
#include "standin.h"
#include "support/fnv_hash.h"

namespace fvtest {

namespace {

// Writes the stand-in files whose paths are wanted; with `keep` each is made
// once per test program (drawing them is the slow part).
void WriteMade(const std::string& folder, const std::function<bool(const std::string&)>& wanted,
               bool keep = true) {
    static std::map<std::string, std::vector<uint8_t>> made;
    for (const standin::FileRecipe& recipe : standin::DataFileRecipes()) {
        if (!wanted(recipe.path)) continue;
        auto kept = made.find(recipe.path);
        std::vector<uint8_t> drawn;
        if (kept == made.end()) {
            drawn = recipe.make();
            if (keep) kept = made.emplace(recipe.path, std::move(drawn)).first;
        }
        const std::vector<uint8_t>& bytes = kept != made.end() ? kept->second : drawn;
        const std::filesystem::path path = std::filesystem::path(folder) / recipe.path;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
}

}  // namespace

void WriteStartPictures(const std::string& folder) {
    static const std::set<std::string> wanted = {"font_1.jgd", "font_2.jgd",   "tile.jgd",
                                                 "logo0.jgd",  "logo1.jgd",    "scr_0.jgd",
                                                 "scb_0.jgd",  "scr_edst.jgd", "scb_edst.jgd"};
    WriteMade(folder, [](const std::string& path) { return wanted.count(path) != 0; });
}

void WriteSoundEffects(const std::string& folder) {
    WriteMade(folder, [](const std::string& path) { return path.rfind("fx/", 0) == 0; });
}

void WriteWorldPictures(const std::string& folder) {
    // The pictures of the folder itself and those of autumn (season 3) in
    // rotation 0, which is what a new world view loads.
    WriteMade(folder, [](const std::string& path) {
        if (path.find('/') == std::string::npos) return true;
        if (path.rfind("autumn/", 0) != 0) return false;
        const std::string name = path.substr(7);
        return name.rfind("g0", 0) == 0 || name.rfind("v0", 0) == 0 ||
               name.rfind("tiles", 0) == 0 || name.rfind("baum", 0) == 0;
    });
}

void WriteTutorialPictures(const std::string& folder) {
    WriteMade(folder, [](const std::string& path) { return path.rfind("tutorial/", 0) == 0; });
}

void WriteStandinFiles(const std::string& folder,
                       const std::function<bool(const std::string&)>& wanted) {
    WriteMade(folder, wanted, false);
}

const std::string& GamePictureFolder() {
    static const TempFolder temp;
    static const std::string folder = [] {
        WriteStandinFiles(temp.Path(), [](const std::string& path) {
            return path.find('/') == std::string::npos || path.rfind("autumn/", 0) == 0;
        });
        return temp.Path();
    }();
    return folder;
}

FrameHost::FrameHost(plat::Size screen, bool pictures) : host(screen), stepper_(app_, host) {
    plat::ResetSystemPalette();
    plat::ResetCompositor();
    if (pictures) WriteStartPictures(folder.Path());
    stepper_.Start();
    gs = &scope_.state();
    scope_.UseOpponents();
    BuildDataPaths(folder.Path());
    gs->install_index = 0;
    sound = new RecordingSound;  // the frame's shutdown deletes it
    SetSoundManager(sound);
    frame = new HAUPTFENSTER;
    app_.mainWindow = frame;
}

void FrameHost::DeleteFrame() {
    HAUPTFENSTER* f = frame;
    frame = nullptr;
    delete f;
    gs = nullptr;
    sound = nullptr;
}

void FrameHost::DeletePanel() {
    HAUPTDIALOG* panel = g_pHauptDialog;
    SetControlPanel(nullptr);
    delete panel;
}

void FrameHost::ShowTitle() {
    frame->SendMessage(WM_USER + 0x2D);
    Advance(4011);  // logo 0
    Advance(3011);  // logo 1
}

FrameHost::~FrameHost() {
    SPIEL_FELD* view = g_pSpielFeld;
    SetWorldView(nullptr);
    delete view;
    DeletePanel();
    DeleteFrame();
    ShutdownGameState();
    app_.mainWindow = nullptr;
    stepper_.Finish();
}

uint64_t ScreenHash(int32_t w, int32_t h) {
    const plat::Surface& s = plat::ComposeScreen();
    return PictureHash(w, h, [&](int32_t y) { return s.Row(y); });
}

void MaybeSaveScreen(const std::string& name) {
    const char* folder = std::getenv("FV_GOLDEN_PNG");
    if (folder != nullptr) plat::SaveScreenPng(std::string(folder) + "/" + name + ".png");
}

}  // namespace fvtest
