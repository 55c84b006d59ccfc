// The field animations: the list, its timer step, the random restart of the
// one-shot types, their draw-list items and the stamps they leave in the
// ground picture.

#include "gfx/blit.h"
#include "platform/random.h"
#include "sound/sound_manager.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "view/map_layers.h"
#include "view/world_view.h"

namespace {

// clang-format off
constexpr AnimationType kTypes[kAnimationTypeCount] = {
    {16, 40, 0, 37, -116, 2, 8},
    {88, 76, 1, -18, 19, 2, 8},
    {108, 44, 1, -1, 32, 1, 16},
    {16, 32, 1, -12, 22, 2, 8},
    {112, 48, 1, 16, 22, 1, 16},
    {36, 52, 1, -42, 27, 1, 16},
    {88, 48, 1, 15, 26, 2, 8},
    {0, 0, 0, 0, 0, 0, 0},  // type 7 has no record
    {88, 44, 1, -10, 3, 1, 16},
    {60, 40, 1, 8, 5, 1, 16},
    {108, 48, 1, -34, 0, 1, 16},
    {148, 92, 1, -48, 0, 1, 16},
};
// clang-format on

// The sound of a one-shot type while it runs (types 8..11).
constexpr int32_t kOneShotSounds[4] = {27, 26, 28, 29};
constexpr int32_t kAnimationSoundChannel = 4;

// The zoom offset of the closed-form field placement.
int32_t ZoomOffset(int32_t zoom) {
    return zoom == 2 ? 16 : zoom == 4 ? 24 : 0;
}

// The rotation-0 corner of field (x, y) on screen, lifted by the field's
// own height.
void CornerRotation0(const SPIEL_FELD& view, int32_t x, int32_t y, int32_t& left, int32_t& top) {
    const CGameState& gs = *g_pGameState;
    ScanView scan = ViewScan(view);
    scan.rotation = 0;
    int32_t a = 0;
    int32_t b = 0;
    ScanStart(scan, a, b);
    const int32_t z = view.zoom;
    const MapField* f = FieldAt(x, y);
    const int32_t h = f != nullptr ? f->hoehe() : 0;
    left = ((x - y) - (a - b)) * 32 / z + ScreenOffsetE(gs.screen_width) - 64 + ZoomOffset(z);
    top = ((x + y) - (a + b)) * 16 / z - 8 * h / z - 17;
}

// The screen rectangle of an animation's picture (left, top, right,
// bottom), as its draw item and its stamp place it.
struct AnimationPlace {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

AnimationPlace PlaceOf(const SPIEL_FELD& view, const ViewAnimation& a) {
    const AnimationType& t = kTypes[a.type];
    const int32_t z = view.zoom;
    int32_t left = 0;
    int32_t top = 0;
    CornerRotation0(view, a.x, a.y, left, top);
    left += t.dx / z;
    top += t.dy / z;
    return {left, top, left + t.width / z, top + t.height / z};
}

// A draw item whose repair rectangle and destination are the picture's
// place; the caller adds the picture, if any.
DrawItem ItemOver(const AnimationPlace& p) {
    DrawItem item;
    item.left = item.dest_x = p.left;
    item.top = item.dest_y = p.top;
    item.right = p.right;
    item.bottom = p.bottom;
    return item;
}

bool MeetsView(const AnimationPlace& p) {
    const CGameState& gs = *g_pGameState;
    return p.right > 0 && p.bottom > 0 && p.left < gs.view_width && p.top < gs.view_height;
}

// Whether the view draws animation items and stamps: rotation 0, not the
// overview.
bool AnimationsDrawn(const SPIEL_FELD& view) {
    return (g_pGameState->rotation & 3) == 0 && view.zoom != kOverviewZoomLevel;
}

// Whether the animation's item is drawn in the next vehicle frame: its
// field is in view, its picture meets the view, and its frame changed in
// the last step, the last item drew another frame, or it is of type 0
// (drawn above everything, so after every repair).
bool ItemDue(const SPIEL_FELD& view, const ViewAnimation& a) {
    return a.in_view == 1 && (a.frame != a.prev_frame || a.frame != a.shown_frame || a.type == 0) &&
           MeetsView(PlaceOf(view, a));
}

// Whether a field that left the view still has a drawn picture to repair:
// a scroll shifts it along with the buffers, and no item draws it again.
bool RepairDue(const SPIEL_FELD& view, const ViewAnimation& a) {
    return a.in_view != 1 && a.shown_frame != kFrameNotShown && MeetsView(PlaceOf(view, a));
}

}  // namespace

const AnimationType* AnimationTypeOf(int32_t type) {
    if (type < 0 || type >= kAnimationTypeCount || kTypes[type].frame_count == 0) return nullptr;
    return &kTypes[type];
}

void SPIEL_FELD::AddAnimation(int32_t x, int32_t y, int32_t type) {
    const AnimationType* t = AnimationTypeOf(type);
    if (t == nullptr || !InMap(x, y)) return;
    ViewAnimation a;
    a.x = static_cast<uint8_t>(x);
    a.y = static_cast<uint8_t>(y);
    a.type = static_cast<uint8_t>(type);
    a.frame = type >= kFirstOneShotAnimation ? t->frame_count : 0;
    a.prev_frame = a.frame;
    a.countdown = t->delay;
    a.in_view = static_cast<uint8_t>(IsTileInView(x, y));
    animation_list.push_front(a);
    sprite_pending = 1;
}

void SPIEL_FELD::RemoveAnimationAt(int32_t x, int32_t y) {
    for (auto it = animation_list.begin(); it != animation_list.end(); ++it) {
        if (it->x == x && it->y == y) {
            animation_list.erase(it);
            break;
        }
    }
    sprite_pending = animation_list.empty() ? 0 : 1;
}

void SPIEL_FELD::ClearAnimations() {
    animation_list.clear();
    sprite_pending = 0;
}

void SPIEL_FELD::TickAnimations() {
    for (ViewAnimation& a : animation_list) {
        const AnimationType& t = kTypes[a.type];
        a.prev_frame = a.frame;
        if (a.type < kFirstOneShotAnimation) {
            if (a.countdown-- == 1) {
                a.frame = static_cast<uint8_t>((a.frame + 1) % t.frame_count);
                a.countdown = t.delay;
            }
            a.in_view = static_cast<uint8_t>(IsTileInView(a.x, a.y));
        } else if (a.frame != t.frame_count) {
            // A one-shot round is counted off on the tick that reaches its
            // last cell, and once no round is left the rest picture replaces
            // that cell on the same tick. So the final round never shows its
            // last cell: with 16 cells it ends 14 -> 16, not 15 -> 16. This
            // keeps one step for every tick and every round, the last one
            // included, rather than giving the final last cell an extra tick
            // no earlier round has; the sound and the drawing follow the
            // frame this step leaves.
            a.frame = static_cast<uint8_t>((a.frame + 1) % t.frame_count);
            a.in_view = static_cast<uint8_t>(IsTileInView(a.x, a.y));
            if (a.frame == t.frame_count - 1 && a.countdown > 0) --a.countdown;
            if (a.countdown == 0) a.frame = t.frame_count;
        }
    }
    if (++anim_idle_count >= kAnimationRestartTicks) RandomAnimation();
}

void SPIEL_FELD::RandomAnimation() {
    const int32_t month = g_pGameState->month;
    anim_idle_count = 0;
    if (month < 2 || month > 9) return;
    const int32_t type = (plat::Rand() & 3) + kFirstOneShotAnimation;
    for (ViewAnimation& a : animation_list) {
        if (a.type != type) continue;
        a.countdown = 9;
        a.frame = 1;
        a.in_view = static_cast<uint8_t>(IsTileInView(a.x, a.y));
    }
}

void SPIEL_FELD::AddAnimationItems() {
    if (!AnimationsDrawn(*this)) return;
    for (ViewAnimation& a : animation_list) {
        if (RepairDue(*this, a)) {
            // Its old rectangle repaired once, as a vehicle that left.
            AddDrawItem(ItemOver(PlaceOf(*this, a)));
        }
        if (a.in_view != 1) a.shown_frame = kFrameNotShown;
        PlayOneShotSound(a);
        if (!ItemDue(*this, a)) continue;
        const AnimationType& t = kTypes[a.type];
        const AnimationPlace place = PlaceOf(*this, a);
        a.shown_frame = a.frame;
        DrawItem item = ItemOver(place);
        item.src_x = t.width * a.frame;
        item.width = t.width;
        item.height = t.height;
        item.group = a.type;
        item.kind = static_cast<uint8_t>(10 + t.layer);
        AddDrawItem(item);
    }
}

void SPIEL_FELD::PlayOneShotSound(const ViewAnimation& a) {
    // Every running one-shot in view whose frame changed in the last step
    // sounds, whether or not its picture reaches into the view.
    if (a.in_view != 1 || a.frame == a.prev_frame || a.type < kFirstOneShotAnimation ||
        a.frame == 16 || a.countdown <= 2 || g_pSound == nullptr) {
        return;
    }
    g_pSound->PlayEffect(kOneShotSounds[a.type - kFirstOneShotAnimation], kAnimationSoundChannel,
                         GetSoundPan(a.x, a.y));
}

void SPIEL_FELD::PlayOneShotSounds() {
    if (!AnimationsDrawn(*this)) return;
    for (const ViewAnimation& a : animation_list) PlayOneShotSound(a);
}

bool SPIEL_FELD::AnimationsBehind() {
    if (!AnimationsDrawn(*this)) return false;
    for (const ViewAnimation& a : animation_list) {
        if (a.frame != a.shown_frame && ItemDue(*this, a)) return true;
        if (RepairDue(*this, a)) return true;
    }
    return false;
}

void SPIEL_FELD::DrawAnimationStamps() {
    LayersChanged();
    if (!AnimationsDrawn(*this)) return;
    for (ViewAnimation& a : animation_list) {
        a.in_view = static_cast<uint8_t>(IsTileInView(a.x, a.y));
    }
    StampGroundAnimations();
}

void SPIEL_FELD::StampGroundAnimations() {
    GameImages& im = g_pGameState->images;
    const CGameState& gs = *g_pGameState;
    stamp_list_.Clear();
    for (const ViewAnimation& a : animation_list) {
        const AnimationType& t = kTypes[a.type];
        if (t.layer == 0) continue;
        const AnimationPlace place = PlaceOf(*this, a);
        DrawItem item = ItemOver(place);
        item.src_x = a.frame * t.width;
        item.width = t.width;
        item.height = t.height;
        item.group = a.type;
        item.kind = t.layer;
        stamp_list_.Add(item, gs.view_width, gs.view_height);
    }
    for (const DrawItem& item : stamp_list_.Items()) {
        const BlitRect r{item.left, item.top, item.src_x, item.src_y, item.width, item.height};
        BlitKeyed(im.background_layer.Surface(), im.animation_sets[item.group].Surface(), r, 0,
                  zoom);
    }
    stamp_list_.Clear();
}
