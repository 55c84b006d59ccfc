#pragma once
// Recording doubles of the world view, control panel and sound manager: calls
// by name, window messages, and a few knobs for the answers tests need.

#include <cstdint>
#include <string>
#include <vector>

#include "panel/control_panel.h"
#include "platform/window.h"
#include "sound/sound_manager.h"
#include "view/world_view.h"

namespace fvtest {

// The calls a double got, in order, by name.
class CallLog {
  public:
    std::vector<std::string> calls;
    int Count(const std::string& call) const;

  protected:
    void Note(const char* call) { calls.emplace_back(call); }
};

// A window message a double got (WM_USER and above, and mouse moves), with
// the clock value when it came.
struct Sent {
    uint32_t message;
    plat::WParam wParam;
    plat::LParam lParam;
    uint32_t time;
};

template <typename Window>
class RecordingWindow : public Window, public CallLog {
  public:
    RecordingWindow() = default;
    template <typename Tag>
    explicit RecordingWindow(Tag tag) : Window(tag) {}
    std::vector<Sent> sent;
    using CallLog::Count;
    int Count(uint32_t message) const {
        int n = 0;
        for (const Sent& s : sent) n += s.message == message ? 1 : 0;
        return n;
    }
    // The messages from WM_USER on, in order.
    std::vector<uint32_t> Messages() const {
        std::vector<uint32_t> out;
        for (const Sent& s : sent) {
            if (s.message >= WM_USER) out.push_back(s.message);
        }
        return out;
    }

  protected:
    plat::LResult OnMessage(uint32_t message, plat::WParam w, plat::LParam l) override;
};

class RecordingView : public RecordingWindow<SPIEL_FELD> {
  public:
    RecordingView() : RecordingWindow(kWatchOnly) {}
    struct Animation {
        int32_t x, y, kind;
        bool operator==(const Animation&) const = default;
    };
    int32_t tile_in_view = 0;  // the answer of IsTileInView
    int32_t sound_pan = 0;     // the answer of GetSoundPan
    int redraws = 0;
    int animation_ticks = 0;
    int vehicle_draws = 0;
    std::vector<Animation> animations;  // given and not cleared since
    std::vector<Animation> removed;     // RemoveAnimationAt (kind -1)
    // The mouse moves it got, in order.
    std::vector<Sent> Moves() const {
        std::vector<Sent> out;
        for (const Sent& s : sent) {
            if (s.message == WM_MOUSEMOVE) out.push_back(s);
        }
        return out;
    }
    void RedrawView() override { Note("RedrawView"), ++redraws; }
    void TickAnimations() override { Note("TickAnimations"), ++animation_ticks; }
    void DrawVehicles(int32_t) override { Note("DrawVehicles"), ++vehicle_draws; }
    int32_t IsTileInView(int32_t, int32_t) override { return tile_in_view; }
    void ClearOverlay() override { Note("ClearOverlay"); }
    void FlushPendingRedraw() override { Note("FlushPendingRedraw"); }
    void ForceFullRedraw() override { Note("ForceFullRedraw"); }
    void ClearAnimations() override { Note("ClearAnimations"), animations.clear(); }
    void SetupProjection() override { Note("SetupProjection"); }
    void DrawOverviewMap() override { Note("DrawOverviewMap"); }
    void BlackenBackBuffers() override { Note("BlackenBackBuffers"); }
    void AddAnimation(int32_t x, int32_t y, int32_t kind) override {
        Note("AddAnimation"), animations.push_back({x, y, kind});
    }
    void RemoveAnimationAt(int32_t x, int32_t y) override {
        Note("RemoveAnimationAt"), removed.push_back({x, y, -1});
    }
    int32_t GetSoundPan(int32_t, int32_t) override { return sound_pan; }
};

class RecordingPanel : public RecordingWindow<HAUPTDIALOG> {
  public:
    int dates = 0;
    int capitals = 0;
    int hidden_popups_shown = 0;
    std::vector<int32_t> shown;  // `action_refusal` at each refusal drawn
    void DrawSidebarDate() override { Note("DrawSidebarDate"), ++dates; }
    void DrawSidebarCapital() override { Note("DrawSidebarCapital"), ++capitals; }
    void DrawActionRefusal() override {
        Note("DrawActionRefusal"), shown.push_back(action_refusal);
    }
    void ShowHiddenPopup() override { Note("ShowHiddenPopup"), ++hidden_popups_shown; }
    void RefreshInfoPanel() override { Note("RefreshInfoPanel"), HAUPTDIALOG::RefreshInfoPanel(); }
    void RedrawStructureInfo() override {
        Note("RedrawStructureInfo"), HAUPTDIALOG::RedrawStructureInfo();
    }
};

class RecordingSound : public CSoundManager, public CallLog {
  public:
    struct Effect {
        int32_t effect, channel, pan;
    };
    std::vector<Effect> effects;
    void PlayEffect(int32_t effect, int32_t channel, int32_t pan) override {
        Note("PlayEffect"), effects.push_back({effect, channel, pan});
    }
    void OnMusicNotify() override { Note("OnMusicNotify"); }
    void ResumeEffects() override { Note("ResumeEffects"); }
    void PlayAmbientSounds() override { Note("PlayAmbientSounds"); }
    void StopEffects() override { Note("StopEffects"); }
    void PauseMusic() override { Note("PauseMusic"); }
    void ResumeMusic() override { Note("ResumeMusic"); }
    void PlayTitleMusic() override { Note("PlayTitleMusic"); }
    void StopMusic() override { Note("StopMusic"); }
};

}  // namespace fvtest
