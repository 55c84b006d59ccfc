#include "state/world_images.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "platform/file.h"
#include "state/data_tables.h"
#include "state/game_state.h"
#include "state/sound_events.h"

namespace {

// Types whose pictures have an animated variant (rotation 0 only).
constexpr int32_t kAnimatedTypes[] = {11, 12, 17, 18, 28, 29, 30, 31};
constexpr int32_t kFirstStoreType = 21;
constexpr int32_t kLastStoreType = 26;
constexpr int32_t kFirstCityPicture = 34;
// Animation sheets 7 and 8 belong to no building and are never read.
constexpr int32_t kAnimationNumbers[] = {1, 2, 3, 4, 5, 6, 9, 10, 11, 12};
// Sheet 5 animates the wood industry, whose picture is optional too: not
// every data folder carries it.
constexpr int32_t kOptionalAnimation = 5;

struct ViewSize {
    int32_t screen_height, width, height;
};
constexpr ViewSize kViewSizes[] = {{768, 860, 766}, {600, 636, 598}, {480, 476, 478}};

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...) {
    char buffer[600];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    return buffer;
}

CGameState& State() {
    return *g_pGameState;
}
GameImages& Images() {
    return g_pGameState->images;
}
const char* Path(int32_t group) {
    return State().DataPath(group);
}
const char* Season() {
    return State().SeasonFolder(State().season);
}
int32_t HumanColour() {
    return State().player_colors[0];
}

bool IsAnimatedType(int32_t type) {
    for (int32_t t : kAnimatedTypes)
        if (t == type) return true;
    return false;
}

bool IsStore(int32_t type) {
    return type >= kFirstStoreType && type <= kLastStoreType;
}

bool IsPlayerColoured(int32_t type) {
    return IsStore(type) || State().building_types[type].player_coloured != 0;
}

void LoadRaw(RawImage& image, const std::string& path) {
    image.Free();
    image.LoadJgd(path);
}

// A picture not every data folder carries: when it is not there its entry
// stays empty, is not drawn, and no box asks for it. One that is there but
// damaged still raises the box.
void LoadOptionalRaw(RawImage& image, const std::string& path) {
    image.Free();
    if (plat::FileExists(path)) image.LoadJgd(path);
}

// The factory types (motor, wood, electronics and jewelry industries) and
// the warehouse: the map draws them like the other company buildings, but
// not every data folder has their pictures.
bool HasOptionalPicture(int32_t type) {
    return (type >= kTypeMotorIndustry && type <= kTypeElectronicsIndustry) ||
           type == kTypeJewelryIndustry || type == kTypeDepot;
}

// Of the player-coloured types every data folder has the human player's
// depots, station heads and first two stores; the opponents' colours (the
// map draws each building in its owner's colour) and the other four stores
// are optional.
bool ColourPictureRequired(int32_t type, int32_t colour) {
    return colour == HumanColour() && type <= kTypeSportsStore;
}

void CopyRaw(RawImage& target, const RawImage& source) {
    target.Free();
    if (!source.Loaded()) return;
    const size_t bytes = size_t(source.width) * size_t(source.Rows());
    target.memory.reset(new uint8_t[bytes]);
    std::memcpy(target.memory.get(), source.pixels, bytes);
    target.pixels = target.memory.get();
    target.width = source.width;
    target.height = source.height;
}

void LoadVehicleSheets() {
    GameImages& im = Images();
    const int32_t colour = HumanColour();
    LoadRaw(im.vehicle_sheets[kTruckSheet], Format("%s\\lk%d.jgd", Path(kPathBase), colour));
    LoadRaw(im.vehicle_sheets[kTrainSheet], Format("%s\\lo%d.jgd", Path(kPathBase), colour));
    LoadRaw(im.vehicle_sheets[kWagonSheet], Format("%s\\wa%d.jgd", Path(kPathBase), colour));
    // The city cars' sheet: the city traffic drives with it, but not every
    // data folder has it.
    LoadOptionalRaw(im.vehicle_sheets[kCityCarSheet], Format("%s\\ck.jgd", Path(kPathBase)));
}

void LoadProductSigns() {
    Images().product_signs.ReloadJgd(Format("%s\\prosgn_%d.jgd", Path(kPathBase), HumanColour()));
}

void LoadBuildingPictures() {
    GameImages& im = Images();
    const int32_t rotation = State().rotation;
    const bool animated = rotation == 0 && State().opt_animations == 1;
    const int32_t human = HumanColour();
    for (int32_t type = 0; type < kBuildingTypeCount; ++type) {
        if (!IsPlayerColoured(type)) {
            const std::string path =
                BuildingPicturePath(type, rotation, 0, animated && IsAnimatedType(type));
            if (HasOptionalPicture(type)) {
                LoadOptionalRaw(im.building_pictures[type], path);
            } else {
                LoadRaw(im.building_pictures[type], path);
            }
            continue;
        }
        for (int32_t colour = 0; colour < kPlayerColourCount; ++colour) {
            const std::string path = BuildingPicturePath(type, rotation, colour, false);
            if (ColourPictureRequired(type, colour)) {
                LoadRaw(im.colour_pictures[type][colour], path);
            } else {
                LoadOptionalRaw(im.colour_pictures[type][colour], path);
            }
        }
        if (human >= 0 && human < kPlayerColourCount) {
            CopyRaw(im.building_pictures[type], im.colour_pictures[type][human]);
        } else {
            LoadRaw(im.building_pictures[type], BuildingPicturePath(type, rotation, human, false));
        }
    }
    for (int32_t n = kFirstCityPicture; n < kBuildingPictureCount; ++n) {
        LoadRaw(im.building_pictures[n], CityBuildingPicturePath(n, rotation));
    }
}

void LoadMissingAnimationSheets() {
    for (int32_t number : kAnimationNumbers) {
        WinGBitmap& sheet = Images().animation_sets[number - 1];
        if (sheet.Loaded()) continue;
        const std::string path = Format("%s\\ani_%d.jgd", Path(kPathVehicles), number);
        if (number != kOptionalAnimation || plat::FileExists(path)) sheet.LoadJgd(path);
    }
}

void FreeBuildingPictures() {
    GameImages& im = Images();
    for (RawImage& r : im.building_pictures) r.Free();
    for (auto& row : im.colour_pictures)
        for (RawImage& r : row) r.Free();
}

void HandBackMusic() {
    const WorldImageHooks& hooks = GetWorldImageHooks();
    if (hooks.resume_music == nullptr || State().level_start_pending != 0) return;
    if (State().screen_open == 0) {
        hooks.resume_music();
    } else if (!Sounds().InGameMusicPlaying()) {
        hooks.resume_music();
    }
}

}  // namespace

WorldImageHooks& GetWorldImageHooks() {
    static WorldImageHooks hooks;
    return hooks;
}

std::string BuildingPicturePath(int32_t type, int32_t rotation, int32_t colour, bool animated) {
    const char* stem = "";
    if (type >= 0 && type < kBuildingTypeCount) stem = State().building_types[type].image_suffix;
    const char* base = Path(kPathGraphics);
    if (IsStore(type)) return Format("%s%s\\v%d%s%d.jgd", base, Season(), rotation, stem, colour);
    if (type >= 0 && type < kBuildingTypeCount && IsPlayerColoured(type)) {
        return Format("%s%s\\g%d%s%d.jgd", base, Season(), rotation, stem, colour);
    }
    if (animated) return Format("%s%s\\g%d%sa.jgd", base, Season(), 0, stem);
    return Format("%s%s\\g%d%s.jgd", base, Season(), rotation, stem);
}

std::string CityBuildingPicturePath(int32_t number, int32_t rotation) {
    return Format("%s%s\\g%d_%d.jgd", Path(kPathGraphics), Season(), rotation, number);
}

void LoadStartupImages() {
    GameImages& im = Images();
    im.main_font.Load(Format("%s\\%s", Path(kPathBase), "font_1.jgd"), nullptr, 1);
    im.tile.LoadJgd(Format("%s\\%s", Path(kPathBase), "tile.jgd"));
    im.small_font.LoadJgd(Format("%s\\%s", Path(kPathBase), "font_2.jgd"));
    if (!im.palette_a && im.main_font.Loaded()) {
        im.palette_a = im.main_font.palette;
        im.palette_b = im.main_font.dc_palette;
    }
}

void LoadTileSheet() {
    GameImages& im = Images();
    im.tile_sheet_grid = State().show_grid != 0 ? 1 : 0;
    const char* tiles = im.tile_sheet_grid != 0 ? "tilesg.jgd" : "tiles.jgd";
    im.tile_sheet.Load(Format("%s%s\\%s", Path(kPathWorld), Season(), tiles), nullptr, 1);
    if (im.tile_sheet.Loaded()) {
        // One world palette for all world pictures: the tile sheet's.
        im.palette_a = im.tile_sheet.palette;
        im.palette_b = im.tile_sheet.dc_palette;
    }
}

void LoadWorldImages() {
    GameImages& im = Images();
    LoadTileSheet();
    im.sign_sheet.ReloadJgd(Format("%s\\%s", Path(kPathBase), "signs.jgd"));
    LoadProductSigns();
    LoadRaw(im.terrain_mask, Format("%s\\%s", Path(kPathBase), "t_mask.jgd"));
    LoadRaw(im.street_tiles, Format("%s\\%s", Path(kPathBase), "streets.jgd"));
    LoadRaw(im.overview_sheet, Format("%s\\%s", Path(kPathBase), "ueber.jgd"));
    if (GetWorldImageHooks().load_tree_images != nullptr) GetWorldImageHooks().load_tree_images();
    LoadRaw(im.slope_tiles, Format("%s\\%s", Path(kPathBase), "hang.jgd"));
    LoadRaw(im.bridge_tiles, Format("%s\\%s", Path(kPathBase), "bridge.jgd"));
    LoadRaw(im.sf_sheet, Format("%s\\sf.jgd", Path(kPathBase)));
    LoadVehicleSheets();
    FreeBuildingPictures();
    LoadBuildingPictures();
    if (State().opt_animations == 1) LoadMissingAnimationSheets();

    for (const ViewSize& size : kViewSizes) {
        if (State().screen_height == size.screen_height) {
            State().view_width = size.width;
            State().view_height = size.height;
        }
    }
}

void LoadObjectImages() {
    // A level read takes the tile sheet before it reaches the display
    // options. Without this, a game saved with the grid off would come back
    // with grid lines drawn while the option says off.
    GameImages& im = Images();
    if (im.tile_sheet.Loaded() && im.tile_sheet_grid != (State().show_grid != 0 ? 1 : 0)) {
        LoadTileSheet();
    }
    LoadVehicleSheets();
    LoadProductSigns();
    LoadBuildingPictures();
    if (State().rotation == 0 && State().opt_animations == 1) LoadMissingAnimationSheets();
    HandBackMusic();
}

void FreeWorldImages() {
    GameImages& im = Images();
    for (WinGBitmap& sheet : im.animation_sets) sheet.Free();
    im.sign_sheet.Free();
    im.product_signs.Free();
    for (RawImage* r : {&im.terrain_mask, &im.street_tiles, &im.overview_sheet, &im.slope_tiles,
                        &im.bridge_tiles, &im.sf_sheet}) {
        r->Free();
    }
    for (RawImage& r : im.vehicle_sheets) r.Free();
    im.tile_sheet.Free();
    FreeBuildingPictures();
}

void FreeWorldGraphics() {
    FreeWorldImages();
    for (auto& folder : State().season_folders) folder[0] = '\0';
}
