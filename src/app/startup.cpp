#include <ctime>
#include <string>
#include <utility>

#include "app/app_globals.h"
#include "app/game_app.h"
#include "app/game_files.h"
#include "app/interface_hooks.h"
#include "app/level_file.h"
#include "app/main_frame.h"
#include "app/settings.h"
#include "game/opponent.h"
#include "game/opponent_roster.h"
#include "gfx/picture_load.h"
#include "panel/control_panel.h"
#include "platform/app.h"
#include "platform/desktop.h"
#include "platform/file.h"
#include "platform/message_box.h"
#include "platform/random.h"
#include "platform/screen.h"
#include "screens/panel/debug_window.h"
#include "sound/ambient_sounds.h"
#include "sound/sound_manager.h"
#include "state/game_state.h"
#include "state/messages.h"
#include "state/tree_images.h"
#include "state/world_images.h"
#include "transport/city_car.h"
#include "view/world_view.h"
#include "world/terrain.h"

const char kResolutionRefusal[] =
    "This game doesn\xb4t support resolutions higher than 1024 x 768.\nPlease change "
    "resolution!\n";

namespace {

constexpr int32_t kMaxScreenWidth = 1024;
constexpr int32_t kMaxScreenHeight = 768;

// The first CD-ROM drive from 'A' to 'Z'; 'Z' when there is none.
char FindCdDrive() {
    char drive = 'A';
    for (; drive <= 'Z'; ++drive) {
        const std::string root = std::string(1, drive) + ":\\";
        if (plat::GetDriveType(root) == plat::DRIVE_CDROM) return drive;
    }
    return 'Z';
}

}  // namespace

bool CGameApp::InitInstance() {
    g_LogoShown[0] = 0;
    g_LogoShown[1] = 0;

    const plat::Size screen = plat::GetScreenSize();
    if (screen.width > kMaxScreenWidth || screen.height > kMaxScreenHeight) {
        plat::MessageBox(nullptr, kResolutionRefusal, "Ferrovane", MB_OK);
        plat::QuitWithFailure("the screen " + std::to_string(screen.width) + "x" +
                              std::to_string(screen.height) + " is larger than " +
                              std::to_string(kMaxScreenWidth) + "x" +
                              std::to_string(kMaxScreenHeight));
        return false;
    }

    SetSoundManager(nullptr);
    g_CdDrive = FindCdDrive();
    GetPictureLoadHooks().cd_drive = g_CdDrive;
    g_TickLength = 15000;
    g_AmbientCounter = 0;
    plat::Srand(static_cast<uint32_t>(std::time(nullptr)));

    g_pGameState = new CGameState;
    for (int32_t slot = 0; slot < kOpponentCount; ++slot) {
        g_pGameState->opponents[slot] = new COpponent(slot, slot);
    }

    const std::string programDir = plat::CurrentDirectory();
    ReadSettingsFile(SettingsFilePath(programDir));
    g_ProgramDrive = programDir.empty() ? 0 : programDir[0];
    BuildDataPaths(programDir);
    InstallLevelPictureLoaders();
    InstallLevelFiles();
    InstallCityCarMaker();

    // The terrain object brings the way network, the tile marker and the
    // construction helper. The sound manager follows the frame, which is its
    // notify window, and lives until the frame's shutdown deletes it.
    g_pTerrain = new CTerrain;
    // The program's world view, unless one was installed before start-up.
    if (GetFrameHooks().create_world_view == nullptr) {
        GetFrameHooks().create_world_view = &MakeWorldView;
    }
    if (GetViewHooks().create_panel == nullptr) GetViewHooks().create_panel = &CreateControlPanel;
    mainWindow = CreateMainFrame();
    SetSoundManager(new CSoundManager(mainWindow));
    RegisterDebugWindowClass();
    if (DebugWindowRequested()) g_pDebugWindow = CreateDebugWindow(screen);

    GetWorldImageHooks().load_tree_images = &LoadTreeImages;
    LoadStartupImages();

    // A missing picture that the player does not retry ends the program
    // here (the frame closes and the loop is asked to quit); the game state
    // lives on until the loop has ended.
    plat::SendMessage(mainWindow, kMsgShowStartScreen);
    g_pGameState->season = 3;
    return true;
}

plat::Window* CGameApp::CreateMainFrame() {
    auto* frame = new HAUPTFENSTER;
    if (!plat::IsWindow(frame)) {
        delete frame;
        return nullptr;
    }
    frame_ = frame;
    return frame;
}

int CGameApp::ExitInstance() {
    delete std::exchange(g_pDebugWindow, nullptr);
    plat::Window* frame = frame_;
    frame_ = nullptr;
    delete frame;
    ShutdownGameState();
    return plat::Application::ExitInstance();
}

void DestroyTerrain() {
    CTerrain* terrain = g_pTerrain;
    g_pTerrain = nullptr;
    delete terrain;
}

void ShutdownGameState() {
    DestroyTerrain();  // normally gone already with the frame's WM_CLOSE
    CGameState* gs = g_pGameState;
    if (gs == nullptr) return;
    // Group 0, copy 2: every copy of a group holds the program directory.
    WriteSettingsAtExit(SettingsFilePath(gs->data_paths[kPathBase * kDataPathCopies + 2]));
    CSoundManager* sound = g_pSound;
    SetSoundManager(nullptr);
    delete sound;
    DeleteOpponents();
    gs->Destroy();
    g_pGameState = nullptr;
    delete gs;
}
