#include "state/game_state.h"

#include <cstdio>
#include <cstring>

CGameState* g_pGameState = nullptr;

namespace {

struct ProfileDefaults {
    int32_t turn_interval;
    int32_t percent_a;
    int32_t percent_b;
    int32_t start_capital;
    const char* name;
};

// The five computer companies a game can draw its opponents from. Their
// names keep to characters both fonts draw (neither has a glyph for "&").
constexpr ProfileDefaults kProfiles[kOpponentProfileCount] = {
    {2, 50, 75, 1000000, "Harriet Ashcombe Haulage"},
    {4, 60, 80, 850000, "Brannigan and Voss Trading"},
    {6, 50, 75, 700000, "Ottilie Marsh Enterprises"},
    {8, 30, 70, 550000, "Konrad Pellworth Holdings"},
    {10, 70, 85, 400000, "Delphine Carraway and Sons"},
};

template <size_t N>
void CopyText(char (&target)[N], const char* text) {
    std::snprintf(target, N, "%s", text);
}

}  // namespace

CGameState::CGameState() {
    for (Bookmark& b : bookmarks) b = Bookmark{-1, -1};
    for (HighScoreEntry& e : high_scores) {
        e = HighScoreEntry{};
        CopyText(e.name, "No entry");
    }
    for (int32_t i = 0; i < kOpponentProfileCount; ++i) {
        OpponentProfile& p = opponent_profiles[i];
        p = OpponentProfile{};
        p.turn_interval = kProfiles[i].turn_interval;
        p.percent_a = kProfiles[i].percent_a;
        p.percent_b = kProfiles[i].percent_b;
        p.value_100 = 100;
        p.founding_year = 1959;
        p.start_capital = kProfiles[i].start_capital;
        CopyText(p.name, kProfiles[i].name);
    }
    CopyText(company_names[0], "Player 1");
    cash_shown[0] = cash[0];
    ResetGameCounters();
}

void CGameState::Destroy() {
    ReleaseGameImages(images);
}

void CGameState::ResetNewGameSettings() {
    city_size_choice = 0;
    names_list_number = 0;
    mine_kind = 0;
    forest_style = 0;
    forest_density = 0;
    way_kind = 2;
    ng_land = 2;
    ng_mountains = 2;
    ng_forests = 2;
    ng_towns = 2;
    ng_site_distance = 2;
    // found_city_size stays.
    regen_cities = 1;
    regen_industries = 1;
    regen_woods = 1;
    regen_world = 1;
    selected_building_type = -1;
    placement_city = 0;
    growth_target = 0;
}

const char* CGameState::DataPath(int32_t group) const {
    if (group < 0 || group >= kDataPathGroups) return "";
    int32_t copy = install_index;
    if (copy < 0 || copy >= kDataPathCopies) copy = 0;
    return data_paths[group * kDataPathCopies + copy];
}

const char* CGameState::SeasonFolder(int32_t season_number) const {
    if (season_number < 1 || season_number > 3) return "";
    return season_folders[season_number - 1];
}
