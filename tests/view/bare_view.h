#pragma once
// A world view without a window for the tests of its arithmetic: the game
// scope's state at a screen size, the lookup tables, and the view's per-size
// constants.

#include <memory>

#include "state/game_state.h"
#include "state/lookup_tables.h"
#include "support/game_scope.h"
#include "view/world_view.h"

namespace viewtest {

class BareView : public SPIEL_FELD {
  public:
    BareView() : SPIEL_FELD(kWatchOnly) {}
};

struct BareViewScope {
    explicit BareViewScope(int32_t screen_width) {
        CGameState& gs = scope.state();
        gs.screen_width = screen_width;
        gs.screen_height = screen_width == 1024 ? 768 : screen_width == 800 ? 600 : 480;
        gs.view_width = screen_width - 164;
        gs.view_height = gs.screen_height - 2;
        scope.Set(g_pLookupTables, tables.get());
        view.ApplyScreenSize();
    }
    fvtest::GameScope scope;
    std::unique_ptr<CLookupTables> tables = std::make_unique<CLookupTables>();
    BareView view;
};

}  // namespace viewtest
