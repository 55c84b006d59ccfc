#include "state/tree_images.h"

#include <string>

#include "state/game_state.h"
#include "state/sound_events.h"
#include "state/world_images.h"

namespace {

std::string SeasonFile(const CGameState& gs, const char* name) {
    return std::string(gs.DataPath(kPathWorld)) + gs.SeasonFolder(gs.season) + "\\" + name;
}

}  // namespace

void LoadTreeImages() {
    CGameState* gs = g_pGameState;
    if (gs == nullptr) return;
    PaletteImage& holder = gs->images.tree_image;
    holder.Free();
    if (gs->show_trees != 1) {
        holder.Load(SeasonFile(*gs, "stumpf.jgd"), nullptr, 1);
        return;
    }
    holder.Load(SeasonFile(*gs, gs->opt_seasons == 1 ? "baum.jgd" : "trees6.jgd"), nullptr, 1);
    const bool gameTrackPlaying = gs->screen_open != 0 && Sounds().InGameMusicPlaying();
    void (*resumeMusic)() = GetWorldImageHooks().resume_music;
    if (!gameTrackPlaying && gs->city_growth_running == 0 && resumeMusic != nullptr) resumeMusic();
    gs->redraw_objects = 1;
}
