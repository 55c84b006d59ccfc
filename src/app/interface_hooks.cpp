#include "app/interface_hooks.h"

#include "app/app_globals.h"
#include "gfx/picture_load.h"
#include "panel/control_panel.h"
#include "sound/sound_manager.h"
#include "state/view_events.h"
#include "view/world_view.h"

namespace {

// The world view behind the view hooks. A new pick after a terrain change is
// the frame's deferred mouse move, replayed by the idle pass.
class WorldViewEvents final : public ViewEvents {
  public:
    explicit WorldViewEvents(SPIEL_FELD& view) : view_(view) {}

    void RedrawView() override { view_.RedrawView(); }
    bool IsTileInView(int32_t x, int32_t y) override { return view_.IsTileInView(x, y) != 0; }
    int32_t GetSoundPan(int32_t x, int32_t y) override { return view_.GetSoundPan(x, y); }
    void ClearOverlay() override { view_.ClearOverlay(); }
    bool ShowsOverviewMap() override { return view_.zoom == 16; }
    void DrawOverviewMap() override { view_.DrawOverviewMap(); }
    void AddAnimation(int32_t x, int32_t y, int32_t kind) override {
        view_.AddAnimation(x, y, kind);
    }
    void RemoveAnimationAt(int32_t x, int32_t y) override { view_.RemoveAnimationAt(x, y); }
    bool InformationToolActive() override { return view_.tool == kInformationTool; }
    void RequestRepick() override { g_MouseMoveTime.pending = 1; }

  private:
    SPIEL_FELD& view_;
};

WorldViewEvents* g_view_events = nullptr;

}  // namespace

void SetWorldView(SPIEL_FELD* view) {
    delete g_view_events;  // puts the do-nothing view back
    g_view_events = nullptr;
    g_pSpielFeld = view;
    GetPictureLoadHooks().wait_cursor = view != nullptr;
    // The view made its panel and deletes it; the panel's hooks come and go
    // with the view.
    InstallPanelEvents(view != nullptr ? g_pHauptDialog : nullptr);
    if (view == nullptr) return;
    g_view_events = new WorldViewEvents(*view);
    InstallViewEvents(g_view_events);
}

void SetControlPanel(HAUPTDIALOG* panel) {
    g_pHauptDialog = panel;
    InstallPanelEvents(panel);
}

void SetSoundManager(CSoundManager* sound) {
    g_pSound = sound;
    InstallSoundEvents(sound);
}
