#include "support/player_building.h"

#include "game/opponent_build.h"
#include "state/acting_player.h"

namespace fvtest {

int32_t BuildForThePlayer(int32_t type, int32_t x, int32_t y) {
    const ActingPlayerScope acting(0);
    for (int32_t step = 0; step < 120; ++step, ++x, ++y) {
        if (PreviewPlacement({type, x, y}) <= 0) continue;
        int32_t number = 0;
        if (PlaceForActingPlayer({type, x, y}, 0, number) == ActionResult::Done) return number;
    }
    return 0;
}

}  // namespace fvtest
