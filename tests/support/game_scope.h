#pragma once
// The one scope through which a test touches the game's globals: a fresh
// state, module variables at their start values and what the test installs,
// all put back when the scope ends.

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "state/game_state.h"
#include "support/recording_hooks.h"

class CTerrain;
class CWayNetwork;

namespace fvtest {

// Who frees the game state the scope makes: the scope itself, or the main
// frame under test (its shutdown deletes g_pGameState).
enum class StateOwner { Scope, Frame };

class GameScope {
  public:
    explicit GameScope(StateOwner owner = StateOwner::Scope);
    ~GameScope();
    GameScope(const GameScope&) = delete;
    GameScope& operator=(const GameScope&) = delete;
    CGameState& state() { return *state_ptr_; }
    // Recording doubles installed as view, panel and sound (globals and hooks).
    RecordingView& UseView();
    RecordingPanel& UsePanel();
    RecordingSound& UseSound();
    RecordingView& view() { return *view_; }
    RecordingPanel& panel() { return *panel_; }
    RecordingSound& sound() { return *sound_; }
    CWayNetwork& UseWayNetwork();  // a fresh one in g_pWayNetwork
    CTerrain& UseTerrain();        // in g_pTerrain, with its network and helpers
    void UseOpponents();           // a computer opponent in every slot
    // Puts `value` into `global` until the scope ends.
    template <typename T, typename V>
    void Set(T& global, V&& value) {
        T previous = global;
        undo_.push_back([&global, previous] { global = previous; });
        global = std::forward<V>(value);
    }
    // A fresh object owned by the scope, in `global` until the scope ends.
    template <typename T, typename G, typename... Args>
    T& Make(G*& global, Args&&... args) {
        auto object = std::make_shared<T>(std::forward<Args>(args)...);
        G* previous = global;
        global = object.get();
        undo_.push_back([&global, previous, object]() mutable {
            object.reset();
            global = previous;
        });
        return *object;
    }

  private:
    std::unique_ptr<CGameState> state_;  // null when the frame frees it
    CGameState* state_ptr_;
    std::unique_ptr<RecordingView> view_;
    std::unique_ptr<RecordingPanel> panel_;
    std::unique_ptr<RecordingSound> sound_;
    std::vector<std::function<void()>> undo_;  // run last first
};

// Finishes the cities' building sites, as a save does, and lets every city
// evaluate that map. A load evaluates the cities anew; a save that is to be
// written again byte for byte after its load needs the same evaluations.
void EvaluateCitiesForSave();

}  // namespace fvtest
