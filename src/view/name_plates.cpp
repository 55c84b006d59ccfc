// Name plates and production signs over the map: city names at each visible
// city's centre, the names of terminals and the kinds of factories and
// stores on plates in the owner's colour, and the current product of each
// factory. They are drawn into the front object layer at the end of the
// object pass, at full size whatever the zoom.

#include <algorithm>

#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "gfx/blit.h"
#include "gfx/font_tables.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "view/map_layers.h"
#include "view/world_view.h"

namespace {

constexpr int32_t kPlateHeight = 15;
constexpr int32_t kPlateBorderColumn = 191;  // the right border of every band
constexpr int32_t kCityPlateBand = 4;
constexpr int32_t kSignSize = 32;
constexpr int32_t kFirstSignProduct = 7;  // product p is sign column p - 7

const char* const kFixedLabels[] = {
    "CAR FACTORY",    "WOOD INDUSTRY",   "ELECTRONICS", "SPORTS INDUSTRY",
    "TOY FACTORY",    "JEWELRY",         "DEPOT",       "TOY STORE",
    "SPORTS STORE",   "FURNITURE STORE", "JEWELER",     "ELECTRONICS OUTLET",
    "CAR DEALERSHIP",
};
constexpr int32_t kFirstFixedLabel = 14;
constexpr int32_t kLastFixedLabel = 26;

int32_t ZoomOffset(int32_t zoom) {
    return zoom == 2 ? 16 : zoom == 4 ? 24 : 0;
}

// The field of a W x D footprint at (bx, by) that carries its label in
// rotation r; `w_less` and `d_less` move it one field in for the stations.
void LabelField(int32_t r, int32_t bx, int32_t by, int32_t w, int32_t d, int32_t w_less,
                int32_t d_less, int32_t& x, int32_t& y) {
    switch (r & 3) {
        case 0:
            x = bx, y = by;
            break;
        case 1:
            x = bx, y = by + d - 1 - d_less;
            break;
        case 2:
            x = bx + w - 1 - w_less, y = by + d - 1 - d_less;
            break;
        default:
            x = bx + w - 1 - w_less, y = by;
            break;
    }
}

// A plate of band `band` for a text `width` pixels wide with its top-left
// corner at (x, y), and the text on it. Names run wider than the sheet: the
// background is copied in pieces that never pass its border column. One
// copy of width + 7 columns would, for a name wider than 184 pixels, put the
// dark border column into the plate and leave the part beyond the sheet's
// 192 columns unpainted, the text standing on the map there.
void DrawPlate(const char* text, int32_t width, int32_t band, int32_t x, int32_t y) {
    GameImages& im = g_pGameState->images;
    const PixelSurface layer = im.object_layer_b.Surface();
    const ConstPixelSurface sheet = im.sign_sheet.Surface();
    const int32_t sy = band * kPlateHeight;
    for (int32_t done = 0; done < width + 7; done += kPlateBorderColumn) {
        const int32_t piece = std::min(kPlateBorderColumn, width + 7 - done);
        CopyPixels(layer, x + done, y, sheet, 0, sy, piece, kPlateHeight);
    }
    CopyPixels(layer, x + width + 7, y, sheet, kPlateBorderColumn, sy, 1, kPlateHeight);
    im.object_layer_b.DrawText(text, kFont1Advances, x + 4, y - 2, im.main_font);
}

}  // namespace

void SPIEL_FELD::AddLabelItems(int32_t type, int32_t field_x, int32_t field_y, int32_t x,
                               int32_t yo) {
    const CGameState& gs = *g_pGameState;
    if (zoom == kOverviewZoomLevel || g_ppBuildings == nullptr) return;
    const MapField* f = FieldAt(field_x, field_y);
    if (f == nullptr) return;
    const int32_t number = f->geb_num();
    CBuilding* b = g_ppBuildings->At(number);
    if (b == nullptr || type < 0 || type >= kBuildingTypeCount) return;
    const int32_t r = gs.rotation & 3;
    const int32_t w = gs.building_types[type].floor_width;
    const int32_t d = gs.building_types[type].floor_depth;
    const bool labelled = type < 10 || (type >= kFirstFixedLabel && type <= kLastFixedLabel);
    if (gs.show_building_names != 0 && labelled) {
        const bool along_y = type == 6 || type == 8;
        const bool along_x = type == 7 || type == 9;
        const int32_t w_less = along_x && r >= 2 ? 1 : 0;
        const int32_t d_less = along_y && (r == 1 || r == 2) ? 1 : 0;
        int32_t lx = 0;
        int32_t ly = 0;
        LabelField(r, b->anchor_x, b->anchor_y, w, d, w_less, d_less, lx, ly);
        if (lx == field_x && ly == field_y) {
            DrawItem item;
            item.left = x;
            item.top = yo - 19;
            item.dest_x = number;
            item.dest_y = type;
            item.kind = f->spieler();
            AddDrawItem(item);
        }
    }
    if (gs.show_production != 0 && type >= 14 && type <= 19) {
        int32_t sx = 0;
        int32_t sy = 0;
        LabelField(r, b->anchor_x, b->anchor_y, w, d, 0, 0, sx, sy);
        if (sx == field_x && sy == field_y) {
            DrawItem item;
            item.left = x + 32 / zoom - 16;
            item.top = yo - 4;
            item.group = b->GetProduct();
            item.has_sprite = 1;
            item.kind = f->spieler();
            AddDrawItem(item);
        }
    }
}

void SPIEL_FELD::DrawPlatesAndSigns() {
    LayersChanged();
    CGameState& gs = *g_pGameState;
    if (zoom == kOverviewZoomLevel) return draw_list.Clear();
    GameImages& im = gs.images;
    const int32_t z = zoom;
    const int32_t s = Shift();
    if (gs.show_city_names != 0 && g_pCityManager != nullptr) {
        const int32_t r = gs.rotation & 3;
        int32_t a = 0;
        int32_t b = 0;
        ScanStart(ViewScan(*this), a, b);
        if (r == 3 && gs.screen_width <= 640) {
            a = CentreP() + (half_extent_y << s);
            b = CentreQ() - ((half_extent_x - 2) << s);
        }
        const int32_t e = ScreenOffsetE(gs.screen_width);
        const int32_t zoff = ZoomOffset(z);
        for (CCity* city : g_pCityManager->cities) {
            if (city == nullptr) continue;
            const int32_t ox = city->origin_x;
            const int32_t oy = city->origin_y;
            city->in_view = IsTileInView(ox + 13, oy + 13);
            if (city->in_view != 1) continue;
            const MapField* centre = FieldAt(ox + 13, oy + 13);
            const int32_t lift = 8 * (centre != nullptr ? centre->hoehe() : 0) / z;
            const int32_t far = ox + oy + 26;
            int32_t px = 0;
            int32_t py = 0;
            switch (r) {
                case 0:
                    px = ((ox - oy) - (a - b)) * 32 / z + e - 64 + zoff;
                    py = (far - (a + b)) * 16 / z - lift - 17;
                    break;
                case 1:
                    px = ((a + b) - far) * 32 / z + zoff - 91;
                    py = ((b - a) + (ox - oy)) * 16 / z - lift + 17;
                    break;
                case 2:
                    px = ((a - b) + (oy - ox)) * 32 / z + zoff - 91;
                    py = ((a + b) - far) * 16 / z - lift + 17;
                    break;
                default:
                    px = (far - (a + b)) * 32 / z + zoff - 91;
                    py = ((a - b) + (oy - ox)) * 16 / z - lift + 17;
                    break;
            }
            const int32_t width = static_cast<int32_t>(GetTextWidth(city->name, kFont1Advances));
            DrawPlate(city->name, width, kCityPlateBand, px, py);
        }
    }
    for (const DrawItem& item : draw_list.Items()) {
        if (item.has_sprite != 0) continue;
        const int32_t type = item.dest_y;
        const char* text = nullptr;
        if (type >= kFirstFixedLabel && type <= kLastFixedLabel) {
            text = kFixedLabels[type - kFirstFixedLabel];
        } else if (type != 4 && type != 5 && g_ppBuildings != nullptr) {
            CBuilding* b = g_ppBuildings->At(item.dest_x);
            text = b != nullptr ? b->GetName() : nullptr;
        }
        if (text == nullptr || text[0] == '\0') continue;
        const int32_t width = static_cast<int32_t>(GetTextWidth(text, kFont1Advances));
        const int32_t band = gs.player_colors[item.kind & 3];
        DrawPlate(text, width, band, item.left + 32 / z - (width + 8) / 2, item.top);
    }
    for (const DrawItem& item : draw_list.Items()) {
        // Only the player's own sign picture is loaded.
        if (item.has_sprite != 1 || item.kind != 0) continue;
        const int32_t column = item.group < kFirstSignProduct ? 0 : item.group - kFirstSignProduct;
        CopyPixels(im.object_layer_b.Surface(), item.left, item.top, im.product_signs.Surface(),
                   column * kSignSize, 0, kSignSize, kSignSize);
    }
    draw_list.Clear();
}
