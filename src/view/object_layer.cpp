// The object layers: buildings cut into per-field strips, stations, depot
// roofs, city buildings and their plots, slope foundations, trees, tunnel
// fronts and bridges, in the painter's order of the field scan.

#include <algorithm>
#include <deque>
#include <optional>
#include <utility>
#include <vector>

#include "economy/building_table.h"
#include "state/game_state.h"
#include "state/lookup_tables.h"
#include "state/map_field.h"
#include "view/ground_painter.h"
#include "view/map_layers.h"
#include "view/world_view.h"

namespace {

struct Strip {
    int32_t reference;  // T
    int32_t depth;      // d
    int32_t column;     // c
    bool back_edge;
};

// The strip of a W x D footprint that the field (u, v) of it draws.
Strip StripOf(int32_t r, int32_t w, int32_t d, int32_t u, int32_t v, int32_t h) {
    switch (r & 3) {
        case 0:
            return {h - 16 * (w + d), u + v, u - v + d - 1, u == 0 || v == 0};
        case 1:
            return {h - 16 * (w + 1), u - v, (w - 1 - u) + (d - 1 - v), u == 0 || v == d - 1};
        case 2:
            return {h - 32, -(u + v), (w - 1 - u) + v, u == w - 1 || v == d - 1};
        default:
            return {h - 16 * (d + 1), v - u, u + v, u == w - 1 || v == 0};
    }
}

constexpr int32_t kHighestGround = 15;  // the four bits of a field's height

}  // namespace

PictureReach FieldPictureReach(const SPIEL_FELD& view) {
    const GameImages& im = g_pGameState->images;
    // A tree (72 rows, standing at most 24 rows below its field's place)
    // when no building picture is taller.
    int32_t tallest = 96;
    for (const RawImage& picture : im.building_pictures)
        tallest = std::max(tallest, picture.Rows());
    for (const auto& colours : im.colour_pictures) {
        for (const RawImage& picture : colours) tallest = std::max(tallest, picture.Rows());
    }
    const int32_t z = view.zoom;
    // A few pixels more than the pictures' own offsets, for the divisions
    // that truncate each offset separately.
    return PictureReach{(8 * kHighestGround + tallest) / z + 4, 48 / z + 2, 2, 66 / z + 2};
}

namespace {

// Draws one field's objects, cut to a clip rectangle; with a terrain pass
// (scrolling) its ground first, cut the same way except the platform plates,
// which are drawn whole.
//
// While scrolling, every picture is cut to the area drawn anew, not only the
// city buildings: the layers outside it already hold what a full pass draws,
// and a picture drawn there again would lie over the pictures of the fields
// in front of it that are cut (a city building, a way, the ground). Inside
// the area, cleared before, the cut pictures are a full pass's.
class ObjectPainter {
  public:
    // With `scrolled`, the pass of a scroll: ground first, and a field whose
    // pictures cannot reach the clip rectangle is passed over. The painter
    // with `labels` collects the name labels and signs of the fields.
    ObjectPainter(SPIEL_FELD& view, const ClipRect& clip, const PictureReach* scrolled, bool labels)
        : view_(view),
          gs_(*g_pGameState),
          im_(gs_.images),
          t_(*g_pLookupTables),
          r_(view.zoom == kOverviewZoomLevel ? 0 : gs_.rotation & 3),
          z_(view.zoom),
          clip_(clip),
          labels_(labels) {
        if (scrolled != nullptr) {
            reach_ = *scrolled;
            ground_.emplace(view, &clip_);
        }
    }
    ObjectPainter(const ObjectPainter&) = delete;  // the ground painter holds &clip_
    ObjectPainter& operator=(const ObjectPainter&) = delete;

    void Field(const ScanField& sf) {
        MapField& f = gs_.fields[FieldIndex(sf.x, sf.y)];
        const int32_t h = TopCornerHeight(r_, sf.x, sf.y);
        const int32_t x = sf.screen_x;
        const int32_t yo = sf.y_base - (8 / z_) * h - 1;
        const int32_t type = FieldBuildingType(f);
        const CBuilding* b =
            type >= 0 && g_ppBuildings != nullptr ? g_ppBuildings->At(f.geb_num()) : nullptr;
        if (b != nullptr && labels_) view_.AddLabelItems(type, sf.x, sf.y, x, yo);
        if (!Reaches(sf)) return;
        const int32_t shape = t_.tile_shapes[r_][f.teile_diff() % kSlopeCodeCount];
        if (ground_) ground_->Field(f, sf);
        if (b != nullptr) Building(*b, sf, type, x, yo);
        const bool city_building =
            f.stadtnum() > 0 && !f.no_building_mask() && !f.building_flag() && f.stadtb() > 0;
        if (city_building) CityBuilding(f, x, yo, shape);
        if (!city_building && f.forest_flag()) Trees(f, x, yo, shape);
        if (f.tportal()) TunnelFront(x, yo, shape);
        if (f.bridge_flag()) Bridge(f, x, yo);
    }

  private:
    WinGBitmap& B() { return im_.object_layer_b; }

    // Whether the pictures of the field can meet the clip rectangle.
    bool Reaches(const ScanField& sf) const {
        if (!reach_) return true;
        return sf.screen_x - reach_->left < clip_.right &&
               sf.screen_x + reach_->right > clip_.left &&
               sf.y_base - reach_->above < clip_.bottom && sf.y_base + reach_->below > clip_.top;
    }

    void ClippedRaw(WinGBitmap& layer, const RawImage& src, int32_t x, int32_t y, int32_t sx,
                    int32_t sy, int32_t w, int32_t h) {
        layer.BlitRawKeyedClip(src, x, y, sx, sy, w, h, 0, z_, clip_.left, clip_.right, clip_.top,
                               clip_.bottom);
    }
    void ClippedImage(WinGBitmap& layer, const PaletteImage& src, int32_t x, int32_t y, int32_t sx,
                      int32_t sy, int32_t w, int32_t h) {
        layer.BlitImageKeyedClip(src, x, y, sx, sy, w, h, 0, z_, clip_.left, clip_.right, clip_.top,
                                 clip_.bottom);
    }

    void Building(const CBuilding& b, const ScanField& sf, int32_t type, int32_t x, int32_t yo) {
        int32_t bx = b.anchor_x;
        int32_t by = b.anchor_y;
        const MapField* anchor = FieldAt(bx, by);
        const int32_t colour = gs_.player_colors[anchor != nullptr ? anchor->spieler() : 0];
        if (type <= 3) {
            ClippedRaw(B(), im_.BuildingPicture(type, colour), x, yo - 14 / z_ - 11 / z_ + 1, 0, 56,
                       64, 56);
            return;
        }
        const RawImage* picture = &im_.BuildingPicture(type, colour);
        int32_t w = gs_.building_types[type].floor_width;
        int32_t d = gs_.building_types[type].floor_depth;
        int32_t height = picture->Rows();
        bool row_of_station = false;
        if (type >= 6 && type <= 9) {
            // Every row (column) of a station is a 4 x 1 (1 x 4) building.
            const bool along_y = type == 6 || type == 8;
            if (along_y) {
                w = 4;
                d = 1;
                by = sf.y;
            } else {
                w = 1;
                d = 4;
                bx = sf.x;
            }
            const bool head = along_y ? sf.y == b.anchor_y : sf.x == b.anchor_x;
            if (!head) {
                picture = &im_.building_pictures[along_y ? 5 : 4];
                height = picture->Rows() / 2;
            }
            row_of_station = true;
        }
        const Strip strip = StripOf(r_, w, d, sf.x - bx, sf.y - by, height);
        const int32_t src_x = 32 * strip.column;
        if (strip.back_edge || row_of_station) {
            const int32_t rows = strip.reference + 16 * strip.depth + 32;
            ClippedRaw(B(), *picture, x, yo - strip.reference / z_ - 16 * strip.depth / z_, src_x,
                       0, 64, rows);
        } else {
            ClippedRaw(B(), *picture, x, yo, src_x, strip.reference + 16 * strip.depth, 64, 32);
        }
    }

    void CityBuilding(const MapField& f, int32_t x, int32_t yo, int32_t shape) {
        const int32_t lift = shape == 2 || shape == 3 ? 8 / z_ : 0;
        if (shape >= 1 && shape <= 4) {
            ClippedRaw(B(), im_.slope_tiles, x, yo - lift + 1, 64 * (shape - 1), 0, 64, 40);
        }
        if (gs_.show_city_buildings != 0) {
            const int32_t index = 33 + f.stadtb();
            if (index >= kBuildingPictureCount) return;
            const RawImage& picture = im_.building_pictures[index];
            const int32_t h = picture.Rows();
            ClippedRaw(B(), picture, x, yo - (h - 32) / z_ - lift, 0, 0, 64, h);
        } else {
            ClippedRaw(B(), im_.slope_tiles, x, yo - lift + 1, 256, 0, 64, 40);
        }
    }

    void Trees(const MapField& f, int32_t x, int32_t yo, int32_t shape) {
        const uint16_t word = f.data_word();
        const int32_t tree_b = word & 0x7F;
        const int32_t tree_a = (word >> 7) & 0x7F;
        const int32_t variant = (word >> 14) & 3;
        const int32_t entry = 2 * shape + variant;
        static constexpr int32_t kNone[4] = {};
        const int32_t* o = entry < kTreeOffsetEntries ? t_.tree_offsets[entry] : kNone;
        const int32_t row = gs_.show_trees != 0 && gs_.opt_seasons != 0 ? 72 * gs_.month : 0;
        const PaletteImage& trees = im_.tree_image;
        if (tree_a > 0) {
            ClippedImage(B(), trees, x + o[0] / z_, yo + o[1] / z_ - 72 / z_, (tree_a - 1) * 44,
                         row, 44, 72);
        }
        if (tree_b > 0) {
            ClippedImage(B(), trees, x + o[2] / z_, yo + o[3] / z_ - 72 / z_, (tree_b - 1) * 44,
                         row, 44, 72);
        }
    }

    void TunnelFront(int32_t x, int32_t yo, int32_t shape) {
        const RawImage& slopes = im_.slope_tiles;
        switch (shape) {
            case 1:
                ClippedRaw(B(), slopes, x, yo, 320, 0, 64, 40);
                break;
            case 2:
                ClippedRaw(B(), slopes, x + 2 / z_, yo - 4 / z_, 384, 0, 64, 40);
                break;
            case 3:
                ClippedRaw(B(), slopes, x, yo + 2 / z_ - 8 / z_, 448, 0, 64, 40);
                break;
            case 4:
                ClippedRaw(B(), slopes, x, yo - z_, 512, 0, 64, 40);
                break;
            default:
                break;
        }
    }

    void Bridge(const MapField& f, int32_t x, int32_t yo) {
        const int32_t code = f.bridge_piece();
        if (code < 1 || code > 12) return;
        const int32_t row = (f.bridge_wegtyp() - 2) * 64;
        const int32_t* columns = view_.bridge_columns[r_];
        if (code < 9) {
            ClippedRaw(im_.object_layer_a, im_.bridge_tiles, x, yo - 16 / z_, columns[code - 1],
                       row, 64, 64);
            return;
        }
        // A piece in two halves: the back half from the next column, the
        // front half from its own. Code 12 has no next column: front only.
        if (code < 12) {
            ClippedRaw(im_.object_layer_a, im_.bridge_tiles, x, yo - 32 / z_, columns[code], row,
                       64, 64);
        }
        ClippedRaw(B(), im_.bridge_tiles, x, yo - 32 / z_, columns[code - 1], row, 64, 64);
    }

    SPIEL_FELD& view_;
    CGameState& gs_;
    GameImages& im_;
    const CLookupTables& t_;
    int32_t r_;
    int32_t z_;
    ClipRect clip_;
    bool labels_;
    std::optional<PictureReach> reach_;
    std::optional<GroundPainter> ground_;
};

// The rows (or columns) [first, last) of the view that a scroll along one
// axis must draw anew.
using Span = std::pair<int32_t, int32_t>;

// Puts the spans inside 0..extent and joins the ones that meet.
std::vector<Span> JoinedSpans(std::vector<Span> spans, int32_t extent) {
    for (Span& s : spans) s = {std::max(s.first, 0), std::min(s.second, extent)};
    std::erase_if(spans, [](const Span& s) { return s.first >= s.second; });
    std::sort(spans.begin(), spans.end());
    std::vector<Span> joined;
    for (const Span& s : spans) {
        if (!joined.empty() && s.first <= joined.back().second) {
            joined.back().second = std::max(joined.back().second, s.second);
        } else {
            joined.push_back(s);
        }
    }
    return joined;
}

}  // namespace

void SPIEL_FELD::DrawObjectLayer() {
    LayersChanged();
    CGameState& gs = *g_pGameState;
    clip[0] = 0;
    clip[1] = 0;
    clip[2] = gs.view_width;
    clip[3] = gs.view_height;
    draw_list.Clear();
    gs.images.object_layer_b.FillRect(0, 0, gs.view_width, gs.view_height, 0);
    gs.images.object_layer_a.FillRect(0, 0, gs.view_width, gs.view_height, 0);
    ObjectPainter painter(*this, ClipRect{clip[0], clip[2], clip[1], clip[3]}, nullptr, true);
    ScanFields(ViewScan(*this, zoom == kOverviewZoomLevel),
               [&](const ScanField& sf) { painter.Field(sf); });
    DrawPlatesAndSigns();
    DrawAnimationStamps();
}

std::vector<ClipRect> SPIEL_FELD::ScrollRedrawAreas(int32_t dx, int32_t dy) const {
    const CGameState& gs = *g_pGameState;
    // A band across the view's width (rows); one down its height (columns).
    const bool vertical = dx == 0 && scroll_strip[0] == 0 && scroll_strip[2] == gs.view_width;
    std::vector<Span> spans{vertical ? Span{scroll_strip[1], scroll_strip[3]}
                                     : Span{scroll_strip[0], scroll_strip[2]}};
    const int32_t shift = vertical ? dy : dx;
    if (shift != 0) {
        // The shifted layers hold the pictures of the fields the scan had
        // before, a full pass those of the fields it has now. They differ by
        // the fields along the two edges of the scan's places that the shift
        // moved over, wherever those fields' pictures reach: the strip alone
        // would leave a tall house or tree that comes into view at the
        // bottom without its top, and the top of one that left the scan
        // there standing.
        const ScanEdges edges = ScanPlaceEdges(ViewScan(*this));
        const PictureReach reach = FieldPictureReach(*this);
        const int32_t lo = std::min(shift, 0);
        const int32_t hi = std::max(shift, 0);
        const ScanEdge first = vertical ? edges.top : edges.left;
        const ScanEdge last = vertical ? edges.bottom : edges.right;
        const int32_t before = vertical ? reach.above : reach.left;
        const int32_t after = vertical ? reach.below : reach.right;
        spans.emplace_back(first.least + lo - before, first.most + hi - 1 + after);
        spans.emplace_back(last.least + lo + 1 - before, last.most + hi + after);
    }
    std::vector<ClipRect> areas;
    const int32_t extent = vertical ? gs.view_height : gs.view_width;
    for (const Span& s : JoinedSpans(std::move(spans), extent)) {
        areas.push_back(vertical ? ClipRect{0, gs.view_width, s.first, s.second}
                                 : ClipRect{s.first, s.second, 0, gs.view_height});
    }
    return areas;
}

std::vector<ClipRect> SPIEL_FELD::DrawObjectLayerScrolled(int32_t dx, int32_t dy) {
    LayersChanged();
    ClearOverlay();
    draw_list.Clear();
    const std::vector<ClipRect> areas = ScrollRedrawAreas(dx, dy);
    const PictureReach reach = FieldPictureReach(*this);
    GameImages& im = g_pGameState->images;
    std::deque<ObjectPainter> painters;
    for (const ClipRect& a : areas) {
        for (WinGBitmap* layer : {&im.background_layer, &im.object_layer_a, &im.object_layer_b}) {
            layer->FillRect(a.left, a.top, a.right - a.left, a.bottom - a.top, 0);
        }
        painters.emplace_back(*this, a, &reach, painters.empty());
    }
    ScanFields(ViewScan(*this, zoom == kOverviewZoomLevel), [&](const ScanField& sf) {
        for (ObjectPainter& painter : painters) painter.Field(sf);
    });
    DrawPlatesAndSigns();
    DrawAnimationStamps();
    return areas;
}
