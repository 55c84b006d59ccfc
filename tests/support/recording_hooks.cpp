#include "support/recording_hooks.h"

#include <algorithm>

#include "platform/backend.h"

namespace fvtest {

int CallLog::Count(const std::string& call) const {
    return static_cast<int>(std::count(calls.begin(), calls.end(), call));
}

template <typename Window>
plat::LResult RecordingWindow<Window>::OnMessage(uint32_t message, plat::WParam w, plat::LParam l) {
    if (message >= WM_USER || message == WM_MOUSEMOVE) {
        sent.push_back({message, w, l, plat::CurrentBackend().Now()});
    }
    return this->DefaultMessage(message, w, l);
}

template class RecordingWindow<plat::Window>;
template class RecordingWindow<SPIEL_FELD>;
template class RecordingWindow<HAUPTDIALOG>;

void RecordingView::RedrawView() {
    Note("RedrawView");
    ++redraws;
}

void RecordingView::TickAnimations() {
    Note("TickAnimations");
    ++animation_ticks;
}

void RecordingView::DrawVehicles(int32_t) {
    Note("DrawVehicles");
    ++vehicle_draws;
}

int32_t RecordingView::IsTileInView(int32_t, int32_t) {
    return tile_in_view;
}

void RecordingView::ClearOverlay() {
    Note("ClearOverlay");
    ++overlay_clears;
}

void RecordingView::ClearAnimations() {
    Note("ClearAnimations");
    animations.clear();
}

void RecordingView::AddAnimation(int32_t x, int32_t y, int32_t kind) {
    Note("AddAnimation");
    animations.push_back({x, y, kind});
}

void RecordingView::RemoveAnimationAt(int32_t x, int32_t y) {
    Note("RemoveAnimationAt");
    removed.push_back({x, y, -1});
}

int32_t RecordingView::GetSoundPan(int32_t, int32_t) {
    return sound_pan;
}

void RecordingPanel::DrawSidebarDate() {
    Note("DrawSidebarDate");
    ++dates;
}

void RecordingPanel::DrawSidebarCapital() {
    Note("DrawSidebarCapital");
    ++capitals;
}

void RecordingPanel::DrawActionRefusal() {
    Note("DrawActionRefusal");
    shown.push_back(action_refusal);
}

void RecordingPanel::ShowHiddenPopup() {
    Note("ShowHiddenPopup");
    ++hidden_popups_shown;
}

void RecordingPanel::RefreshInfoPanel() {
    Note("RefreshInfoPanel");
    HAUPTDIALOG::RefreshInfoPanel();
}

void RecordingPanel::RedrawStructureInfo() {
    Note("RedrawStructureInfo");
    HAUPTDIALOG::RedrawStructureInfo();
}

void RecordingSound::PlayEffect(int32_t effect, int32_t channel, int32_t pan) {
    Note("PlayEffect");
    effects.push_back({effect, channel, pan});
}

}  // namespace fvtest
