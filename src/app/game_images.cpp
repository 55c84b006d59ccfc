#include "app/game_state.h"

// Nothing is loaded into the holders until the graphics engine exists; it
// replaces this with the release of every holder.
void ReleaseGameImages(GameImages& images) {
    images = GameImages{};
}
