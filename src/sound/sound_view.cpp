#include "sound/sound_view.h"

#include "view/world_view.h"

namespace sound_view {

bool Exists() {
    return g_pSpielFeld != nullptr;
}

int32_t Zoom() {
    return g_pSpielFeld != nullptr ? g_pSpielFeld->zoom : 0;
}

bool IsTileInView(int32_t x, int32_t y) {
    return g_pSpielFeld != nullptr && g_pSpielFeld->IsTileInView(x, y) != 0;
}

int32_t Pan(int32_t x, int32_t y) {
    return g_pSpielFeld != nullptr ? g_pSpielFeld->GetSoundPan(x, y) : 0;
}

}  // namespace sound_view
