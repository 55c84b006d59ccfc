// The message boxes of the level files.

#include "app/level_file.h"
#include "app/level_records.h"
#include "panel/control_panel.h"
#include "platform/file.h"
#include "platform/message_box.h"
#include "platform/messages.h"

namespace {

constexpr char kCaption[] = "Ferrovane";

}  // namespace

std::string MissingLevelText(const std::string& path) {
    return "The following level information couldn\xb4t be located:\n " + plat::HostPath(path) +
           " \n Check to make sure the information is available: For instance, is the CD "
           "inserted in the player.";
}

std::string UnwritableLevelText(const std::string& path) {
    return "The following file couldn\xb4t be written:\n " + plat::HostPath(path) +
           " \n Check that the folder exists and that files may be written there.";
}

std::string WriteErrorText(const std::string& path) {
    return "The file was not written correctly:\n " + plat::HostPath(path) +
           " \n Check the remaining disk space!!!!";
}

std::string UnloadableSaveText(const std::string& path) {
    return "The game couldn\xb4t be saved in a form that loads again:\n " + plat::HostPath(path) +
           " \n The older file was kept.";
}

std::string DamagedLevelText(const std::string& path) {
    return "The following level information is damaged and couldn\xb4t be loaded:\n " +
           plat::HostPath(path) + " \n The file was not loaded.";
}

bool AskRetryMissingLevel(const std::string& path) {
    const int32_t answer = plat::MessageBox(g_pHauptDialog, MissingLevelText(path), kCaption,
                                            MB_RETRYCANCEL | MB_ICONSTOP | MB_SYSTEMMODAL);
    return answer == IDRETRY;
}

bool AskRetryUnwritableLevel(const std::string& path) {
    const int32_t answer = plat::MessageBox(g_pHauptDialog, UnwritableLevelText(path), kCaption,
                                            MB_RETRYCANCEL | MB_ICONSTOP | MB_SYSTEMMODAL);
    return answer == IDRETRY;
}

void ShowWriteErrorBox(const std::string& path) {
    plat::MessageBox(g_pHauptDialog, WriteErrorText(path), kCaption,
                     MB_OK | MB_ICONSTOP | MB_SYSTEMMODAL);
}

void ShowUnloadableSaveBox(const std::string& path) {
    plat::MessageBox(g_pHauptDialog, UnloadableSaveText(path), kCaption,
                     MB_OK | MB_ICONSTOP | MB_SYSTEMMODAL);
}

void ShowDamagedLevelBox(const std::string& path) {
    plat::MessageBox(g_pHauptDialog, DamagedLevelText(path), kCaption,
                     MB_OK | MB_ICONSTOP | MB_SYSTEMMODAL);
}
