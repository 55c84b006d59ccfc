#pragma once
// The result screens of missions and career assignments: mission failed,
// mission done, assignment failed and assignment done. Each shows its
// picture with a list of fixed sentences (and, for the assignments, the
// career figures) and answers the panel; what follows is the panel's.

#include <cstdint>
#include <string>
#include <vector>

#include "panel/popup_protocol.h"
#include "screens/flow/flow_popup.h"

class CGameState;
class LISTBOX;

enum class ResultKind : int32_t { MissionFailed, MissionDone, AssignmentFailed, AssignmentDone };

class ResultScreen : public FlowPopup {
  public:
    explicit ResultScreen(ResultKind kind);
    ~ResultScreen() override;
    bool Open(HAUPTDIALOG& panel, const PopupRequest& request);

    ResultKind kind;
    LISTBOX* text_list = nullptr;

  protected:
    plat::LResult OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;
};

struct FS_MISSION_FAILED : ResultScreen {
    FS_MISSION_FAILED() : ResultScreen(ResultKind::MissionFailed) {}
};
struct FS_MISSION_DONE : ResultScreen {
    FS_MISSION_DONE() : ResultScreen(ResultKind::MissionDone) {}
};
struct FS_ASSIGNMENT_FAILED : ResultScreen {
    FS_ASSIGNMENT_FAILED() : ResultScreen(ResultKind::AssignmentFailed) {}
};
struct FS_ASSIGNMENT_DONE : ResultScreen {
    FS_ASSIGNMENT_DONE() : ResultScreen(ResultKind::AssignmentDone) {}
};

// The list's lines of a result screen for the game's figures (the
// assignment is the low byte of `career_level`).
std::vector<std::string> ResultLines(ResultKind kind, const CGameState& gs);
