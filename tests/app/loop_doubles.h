#pragma once
// Recording stand-ins for the windows and subsystems the main loop talks to,
// for the main-loop tests only.

#include <cstdint>
#include <functional>
#include <vector>

#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "panel/control_panel.h"
#include "platform/window.h"
#include "sound/sound_manager.h"
#include "transport/vehicle.h"
#include "view/world_view.h"

namespace fvtest {

struct Sent {
    uint32_t message;
    plat::WParam wParam;
    plat::LParam lParam;
};

// Records every message it gets (WM_CREATE and the other window-layer
// messages below WM_USER are left out).
template <typename Base>
class Recording : public Base {
  public:
    std::vector<Sent> sent;
    int Count(uint32_t message) const {
        int n = 0;
        for (const Sent& s : sent) n += s.message == message;
        return n;
    }

  protected:
    plat::LResult OnMessage(uint32_t msg, plat::WParam w, plat::LParam l) override {
        if (msg >= WM_USER || msg == WM_MOUSEMOVE) sent.push_back({msg, w, l});
        return this->DefaultMessage(msg, w, l);
    }
};

using RecordingFrame = Recording<plat::Window>;

class TestPanel : public Recording<HAUPTDIALOG> {
  public:
    int dates = 0;
    int capitals = 0;
    void DrawSidebarDate() override { ++dates; }
    void DrawSidebarCapital() override { ++capitals; }
};

class TestView : public Recording<SPIEL_FELD> {
  public:
    int redraws = 0;
    int animations = 0;
    int vehicleDraws = 0;
    bool everythingVisible = true;
    void RedrawView() override { ++redraws; }
    void TickAnimations() override { ++animations; }
    void DrawVehicles(int32_t) override { ++vehicleDraws; }
    int32_t IsTileInView(int32_t, int32_t) override { return everythingVisible ? 1 : 0; }
};

class TestSound : public CSoundManager {
  public:
    struct Effect {
        int32_t effect, channel, pan;
    };
    std::vector<Effect> effects;
    int musicNotifies = 0;
    int resumes = 0;
    int ambient = 0;
    void PlayEffect(int32_t e, int32_t c, int32_t p) override { effects.push_back({e, c, p}); }
    void OnMusicNotify() override { ++musicNotifies; }
    void ResumeEffects() override { ++resumes; }
    void PlayAmbientSounds() override { ++ambient; }
};

class TestCities : public CCityManager {
  public:
    int ticks = 0;
    int monthly = 0;
    std::function<void()> onMonthly;
    void Tick() override { ++ticks; }
    void MonthlyUpdate() override {
        ++monthly;
        if (onMonthly) onMonthly();
    }
};

class TestBuildings : public CBuildingTable {
  public:
    int updates = 0;
    void UpdateRawMaterialSites() override { ++updates; }
};

// A vehicle whose step runs a test function; counts its deletions.
class TestVehicle : public CVehicle {
  public:
    explicit TestVehicle(int id, int* deletions = nullptr)
        : CVehicle(VehicleLoadOnly{}), id(id), deletions_(deletions) {}
    ~TestVehicle() override {
        if (deletions_) ++*deletions_;
    }
    int32_t Move() override {
        ++moves;
        if (onMove) onMove(*this);
        return 0;
    }
    int id;
    int moves = 0;
    std::function<void(TestVehicle&)> onMove;

  private:
    int* deletions_;
};

// Puts a vehicle at the head of the list, as vehicles register themselves.
inline void AddVehicle(CVehicle* v) {
    g_pVehicleList = new VehicleListNode{v, g_pVehicleList};
}

inline void DeleteAllVehicles() {
    while (g_pVehicleList) {
        VehicleListNode* n = g_pVehicleList;
        g_pVehicleList = n->next;
        delete n->vehicle;
        delete n;
    }
}

}  // namespace fvtest
