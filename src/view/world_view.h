#pragma once
// SPIEL_FELD: the world view, the window in which the player plays. It owns
// the camera (zoom 1, 2, 4 or the 1:16 overview, four rotations), draws the
// map from layered buffers (ground, two keyed object layers, the composite),
// turns mouse positions into fields and clicks into the tools' actions, and
// scrolls by the edge strips. There is one while a game runs, in
// g_pSpielFeld; the simulation reaches it through its view hooks (the frame
// installs it with SetWorldView).
//
// Its constructor makes the city container and the building table; its
// destructor deletes them with the vehicles, the strips and the panel and
// clears their globals. Test doubles that only watch the calls construct it
// with kWatchOnly, which owns nothing.

#include <cstdint>
#include <list>
#include <memory>
#include <vector>

#include "gfx/blit.h"
#include "gfx/blit_dc.h"
#include "gfx/layer_sweep.h"
#include "platform/window.h"
#include "view/draw_list.h"
#include "view/field_animation.h"
#include "view/mark_overlay.h"

class CGameState;
class CVehicle;
class HAUPTDIALOG;
class ScrollStrip;
struct WinGBitmap;

// Tool numbers of the view.
constexpr int32_t kToolYearSummary = -8;  // the year's accounts closed the panel's list
constexpr int32_t kToolRaiseLower = 0;
constexpr int32_t kToolDemolish = 1;
constexpr int32_t kToolTrack = 3;
constexpr int32_t kToolBuilding = 11;
constexpr int32_t kToolRoad = 12;
constexpr int32_t kToolForest = 16;
constexpr int32_t kToolSites = 17;
constexpr int32_t kToolCity = 18;
constexpr int32_t kInformationTool = 20;
constexpr int32_t kToolRectangle = 25;
constexpr int32_t kToolPlatform = 28;
constexpr int32_t kToolOverviewZoom = 85;
constexpr int32_t kToolNone = 99;

// The field a tool other than 0 works on, from the picked field of tool 0
// (which works on field corners): the same in rotation 0, one step back in
// the other rotations.
void AdjustCorner(int32_t rotation, int32_t& x, int32_t& y);

// Whether a screen rectangle (left, right, top, bottom; all -1 for none, as
// a vehicle part not drawn yet) meets a view of width x height.
bool RectMeetsView(const int32_t r[4], int32_t width, int32_t height);

constexpr int32_t kOverviewZoomLevel = 16;
constexpr int32_t kViewLeft = 162;  // the panel stands left of the view

// A closed interval given by two bounds in either order.
struct ClampRange {
    double first = 0.0;
    double second = 0.0;
    double Clamp(double v) const;
};

struct PartView;

class SPIEL_FELD : public plat::Window {
  public:
    SPIEL_FELD();
    ~SPIEL_FELD() override;

    // The window at x = 162 over the rest of the screen, with the per-size
    // constants, the start camera and blackened buffers.
    bool CreateView(plat::Window* parent);
    // The per-size constants for the game state's screen height.
    void ApplyScreenSize();

    // --- Redraw cycle ---------------------------------------------------
    // Rebuilds the layers whose redraw flags are set, composes, presents and
    // clears both flags.
    virtual void RedrawView();
    virtual void ForceFullRedraw();
    virtual void FlushPendingRedraw();
    // Copies a rectangle of the composite to the window, grown by a pixel.
    void PresentRect(plat::Rect& rect);
    virtual void BlackenBackBuffers();
    // The system palette was changed by `window`: unless that is the view,
    // its two palettes are selected and realized again.
    void OnPaletteChanged(const plat::Window* window);
    // Called by every writer of the background and object layers before it
    // draws: the frames keep the layers' composition while they stay alike.
    static void LayersChanged();

    // --- Camera -----------------------------------------------------------
    void SetRangeA(double first, double second) { range_a = {first, second}; }
    void SetRangeB(double first, double second) { range_b = {first, second}; }
    void SetValueA(double v) { value_a = range_a.Clamp(v); }
    void SetValueB(double v) { value_b = range_b.Clamp(v); }
    double GetValueA() const { return value_a; }
    double GetValueB() const { return value_b; }
    virtual void SetupProjection();
    void ResetCamera();
    // After the camera was moved to a new place (a jump rather than a
    // scroll): the projection set up and every layer drawn anew there.
    void RedrawAfterJump();
    // The camera centred on field (x, y), then RedrawAfterJump.
    void JumpToField(int32_t x, int32_t y);
    // 1 when field (x, y) lies in the visible part of the view (margin 4).
    virtual int32_t IsTileInView(int32_t x, int32_t y);
    virtual int32_t GetSoundPan(int32_t x, int32_t y);
    // The centre field.
    int32_t CentreP() const;
    int32_t CentreQ() const;
    int32_t Shift() const;

    // --- Layers -------------------------------------------------------------
    virtual void DrawBackgroundLayer();
    virtual void DrawObjectLayer();
    // The pass of a scroll that moved the layers by (dx, dy) pixels: draws
    // anew the areas ScrollRedrawAreas gives, ground and objects, and
    // returns them for the caller to compose.
    std::vector<ClipRect> DrawObjectLayerScrolled(int32_t dx = 0, int32_t dy = 0);
    // The uncovered strip `scroll_strip`, and the bands of the view where
    // the pictures of the fields that the shift brought into the field scan
    // or took out of it reach: there the shifted layers are not a full
    // pass's. Bands across the view, joined where they meet.
    std::vector<ClipRect> ScrollRedrawAreas(int32_t dx, int32_t dy) const;
    virtual void DrawOverviewMap();
    // The draw-list passes: restores the listed rectangles, draws the moving
    // pictures in depth order and, with `present`, shows them.
    virtual void DrawVehicles(int32_t present);
    void AddDrawItem(const DrawItem& item);
    // Passes 1-7 over the items of draw_list; the list is empty afterwards.
    void RunDrawPasses(int32_t present);
    // The items of every vehicle and wagon, in list order; notes the start
    // sound of the frame (vehicle_drawing.cpp).
    void AddVehicleItems();
    // The items of the field animations in view whose picture meets the
    // view and whose frame changed, or whose last item drew another frame
    // (rotation 0); the sounds of the running one-shot types in view whose
    // frame changed; and one repair of the rectangle of a drawn picture
    // whose field left the view.
    void AddAnimationItems();
    // Whether the next vehicle frame has an animation picture to change: one
    // in view whose last item drew another frame, or one to repair.
    virtual bool AnimationsBehind();
    // The sounds AddAnimationItems plays, for a frame whose vehicles are not
    // drawn.
    void PlayOneShotSounds();
    // One animation step of every field animation (field_animations.cpp).
    virtual void TickAnimations();
    // Restarts the one-shot animations of one random type (March to October).
    void RandomAnimation();
    // Frees the overlay items; builds them from the field marks and draws
    // them over the window (mark_overlay.cpp).
    virtual void ClearOverlay();
    virtual void DrawMarkOverlay();
    virtual void ClearAnimations();
    // A new animation of `type` on (x, y) at the head of the list (its
    // in_view computed); types without a record (7, above 11) make none.
    virtual void AddAnimation(int32_t x, int32_t y, int32_t type);
    // Removes the first animation on (x, y); nothing when there is none.
    virtual void RemoveAnimationAt(int32_t x, int32_t y);
    // The animation stamps of rotation 0: every animation of a ground-level
    // type leaves its current frame in the background layer.
    void DrawAnimationStamps();

    // During the object pass, before a building field's strip: the name
    // label and production sign items of the building on (field_x, field_y),
    // placed at (x, yo), when the field is the one that carries them.
    void AddLabelItems(int32_t type, int32_t field_x, int32_t field_y, int32_t x, int32_t yo);
    // After the object pass: city plates, then the name plates and production
    // signs of the items (name_plates.cpp); the list is empty afterwards.
    void DrawPlatesAndSigns();

    // --- Input ---------------------------------------------------------------
    // Picks the field under a client point into cursor_x/cursor_y.
    void PickField(int32_t x, int32_t y);
    void OnMouseMove(plat::WParam flags);
    void OnLButtonDown(plat::WParam flags, plat::Point point);
    void OnLButtonUp(plat::WParam flags, plat::Point point);
    void OnRButtonDown(plat::WParam flags, plat::Point point);
    void OnVScroll(int32_t code, int32_t count);
    void OnHScroll(int32_t code, int32_t count);
    // Demolishes the rectangle from the drag start to the cursor field.
    void DemolishArea();

    // --- Display options ------------------------------------------------------
    // Each flips its option of the game state, does the option's extra work,
    // sets the layer flags it needs and redraws.
    void ToggleGrid();   // reloads the ground tiles, resumes the music
    void ToggleTrees();  // reloads the season's tree picture
    void ToggleCityBuildings();
    void ToggleCityNames();
    void ToggleBuildingNames();
    void ToggleProduction();
    // The toggle of a display command (kCmdShowGrid .. kCmdShowProduction);
    // false for any other command.
    bool OnDisplayCommand(uint16_t command);

    // --- State ---------------------------------------------------------------
    DrawList draw_list;
    std::list<ViewAnimation> animation_list;  // head first
    int32_t anim_idle_count = 0;
    int32_t bridge_columns[4][12] = {};
    ClampRange range_a;
    ClampRange range_b;
    double value_a = 0.0;
    double value_b = 0.0;
    int32_t redraw_pending = 1;
    int32_t bridge_mode = 0;
    int32_t platform_mode = 0;
    int32_t full_redraw = 0;
    int32_t tunnel_mode = 0;
    double vertical_range = 220.0;
    double horizontal_half_range = 123.0;
    int32_t half_extent_x = 21;
    int32_t half_extent_y = 5;
    int32_t drag_start_x = -1;  // -1 = no drag
    int32_t drag_start_y = -1;
    int32_t cursor_x = -1;
    int32_t cursor_y = -1;
    int32_t prev_cursor_x = -1;
    int32_t prev_cursor_y = -1;
    int32_t zoom = 1;  // 1, 2, 4 or 16
    int32_t tool = kToolNone;
    int32_t view_origin = 23;
    double centre_x = 0.0;  // the camera, saved in level files
    double centre_y = -12.0;
    // The band a scroll step uncovered (left, top, right, bottom).
    int32_t scroll_strip[4] = {};
    // The clip rectangle of the full object pass (left, top, right, bottom).
    int32_t clip[4] = {};
    int32_t sprite_pending = 0;
    // The mark overlay was built while vehicles are on the map, or a repaint
    // covered it, and waits for the next vehicle frame to draw it.
    bool overlay_pending = false;
    uint32_t last_pick_time = 0;
    int32_t suppress_release = 0;
    // Client point of the last vehicle hit test (the schedule opens for the
    // vehicle there).
    plat::Point last_hit_point{-1, -1};

    // --- Tool previews and the mark overlay ------------------------------
    // The preview half of a pick: when the picked field differs from the
    // previous one, marks what the tool would touch, shows its cost in the
    // panel and redraws with the overlay. `flags` is the mouse key state.
    void UpdateToolPreview(plat::WParam flags);
    void AddOverlayItem(const OverlayItem& item) { overlay_list.push_back(item); }
    // Draws the overlay items onto the window (the last pass of a frame);
    // returns the number of field outlines drawn.
    int32_t DrawOverlayItems();
    // The items of the last DrawMarkOverlay, in the order they were added.
    std::vector<OverlayItem> overlay_list;

    // For doubles that only watch the calls: owns no containers.
    struct WatchOnlyTag {};
    static constexpr WatchOnlyTag kWatchOnly{};

  protected:
    explicit SPIEL_FELD(WatchOnlyTag);

    plat::LResult OnMessage(uint32_t message, plat::WParam wParam, plat::LParam lParam) override;
    // The cursor of the current tool.
    plat::CursorId ClassCursor() const override;

  private:
    void InitTables();
    void OnCreate();
    void OnPaint();
    // Composes background and both object layers inside a rectangle.
    void ComposeRect(int32_t left, int32_t top, int32_t right, int32_t bottom);
    // The picture set of an animation item; null for an empty one (its item
    // only repairs the rectangle).
    const WinGBitmap* AnimationSetOf(const DrawItem& item) const;
    // The sound of a running one-shot animation in view whose frame changed.
    void PlayOneShotSound(const ViewAnimation& a);
    // The items' rectangles as blocks to present (kept in present_blocks_).
    const std::vector<SamePlaceBlock>& ItemBlocks(const std::vector<DrawItem>& items);
    // Passes 1 and 2 of the draw list in one sweep down the composite, where
    // that gives the same pixels (zoom 1, no ground animation's cell to
    // draw); false, having drawn nothing, elsewhere. With `present_to` (the
    // window's pixels), the rectangles' finished pixels go there as well.
    bool RestoreAndDrawGroundTopDown(const std::vector<DrawItem>& items,
                                     const PixelSurface* present_to);
    void ShiftBuffers(int32_t dx, int32_t dy);
    void ScrollLine(bool vertical, int32_t code, int32_t count);
    void ScrollPage(bool vertical, int32_t code);
    void ScrollOverview(bool vertical, int32_t code);
    // The information tool, the no-tool click and the no-tool right click.
    void SelectAt(plat::Point point);
    void OpenAt(plat::WParam flags, plat::Point point);
    void ToggleVehicleAt(plat::Point point);
    // The vehicle at a client point when there are vehicles (the point is
    // kept as the last hit point), else null.
    CVehicle* HitVehicle(plat::Point point);
    // Tool 0: raise or lower at the cursor field (a brush square with a
    // brush above 1), then re-mark, redraw and show the costs.
    void ChangeGround(bool raise);
    // The release of the road and track tools (laying or a bridge).
    void ReleaseWay();
    // After a road, track or demolition release: the ground redrawn, the
    // previews cleared and the cursor field marked again.
    void FinishDragOnGround();
    void ToggleDisplayOption(int32_t CGameState::*option, bool terrain, bool objects);
    // The ground-level animations' cells over the background in depth
    // order.
    void StampGroundAnimations();
    int32_t start_sound_effect_ = 0;
    // The stamps of the ground-level animations, in depth order.
    DrawList stamp_list_;
    // The sweep of passes 1 and 2, its lists kept between frames.
    LayerSweep ground_sweep_;
    std::vector<SamePlaceBlock> present_blocks_;  // the per-rectangle presents of a frame
    int32_t start_sound_x_ = 0;
    int32_t start_sound_y_ = 0;

    bool owns_world_ = false;
    std::unique_ptr<ScrollStrip> strips_[8];
};

inline SPIEL_FELD* g_pSpielFeld = nullptr;

// What the view needs of the control-panel subsystem; null hooks mean there
// is no panel yet (the view then owns the edge strips itself).
struct ViewHooks {
    HAUPTDIALOG* (*create_panel)(SPIEL_FELD& view) = nullptr;
};
ViewHooks& GetViewHooks();
