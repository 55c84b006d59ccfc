#pragma once
// The terrain object: height editing of the field corners with its costs and
// previews, the writing of a placed building into the grid, area demolition
// and the world generator. Its constructor creates the way network, the
// tool-preview marker and the construction helper.
//
// The world generator raises land from the landscape templates, gives every
// field its ground kind and populates the world with cities, forests and
// raw-material sites. It runs synchronously and reports its progress to the
// generation-progress screen when one is open:
//
//   g_pTerrain->GenerateLandscape();  // the whole world, phase by phase
//   g_pTerrain->GenerateWoods();      // or one phase alone (the editor)
//
// Every random choice goes through plat::Rand (one fresh draw per use, in
// the order the code makes them), so a seed gives the same world every time.

#include <cstdint>
#include <memory>

#include "world/landscape_templates.h"

class CTerrain {
  public:
    // Creates g_pWayNetwork, g_pTileMarker and g_pBuildHelper and resets the
    // field grid; the destructor frees all three.
    CTerrain();
    ~CTerrain();
    CTerrain(const CTerrain&) = delete;
    CTerrain& operator=(const CTerrain&) = delete;

    // --- Height editing -----------------------------------------------------
    // Raise or lower corner (x, y) one step for player p, pushing the corners
    // around it so that every corner stays within one step of its eight
    // neighbours. Refused (nothing changes, `refused` = 1) when a way, a
    // building, a bridge, a tunnel portal or a tunnel roof too thin would be
    // touched. Each step costs 1000 (2000 for filling water), nothing in the
    // editor.
    void RaiseLand(int32_t x, int32_t y, int32_t p);
    void LowerLand(int32_t x, int32_t y, int32_t p);
    // The brush: raise the lowest (lower the highest) corners of the n x n
    // square from (x, y), n being the control panel's brush size.
    void EditRaiseLand(int32_t x, int32_t y);
    void EditLowerLand(int32_t x, int32_t y);
    // Height steps a change of one corner would make (its price / 1000), or
    // -1 when it would be refused. Writes no height.
    int32_t PreviewRaiseCost(int32_t x, int32_t y);
    int32_t PreviewLowerCost(int32_t x, int32_t y);
    // The same summed over the brush square; -1 when one corner is refused.
    int32_t GetRaiseCost(int32_t x, int32_t y);
    int32_t GetLowerCost(int32_t x, int32_t y);
    // Recomputes the slope shape and the ground kind of field (x, y).
    void UpdateSlopeShapes(int32_t x, int32_t y);

    // --- Structures ---------------------------------------------------------
    // Writes building `id` of the current construction kind with its
    // north-west field on (x, y) and a floor of w x h fields into the grid:
    // ways and city buildings under it give way (and are paid for), depots
    // and stations are joined to the network. Makes no test of its own.
    void PlaceStructure(int32_t x, int32_t y, int32_t id, int32_t w, int32_t h);
    // What PlaceStructure of the same kind and footprint charges for clearing
    // the site: the ways it removes and the city buildings it displaces, by
    // the same walk run as a count (a station keeps a fitting track line and
    // does not pay for it). The track a station lays on the empty fields of
    // its kept line is building, not clearing, and is not counted. Changes
    // nothing.
    int64_t PreviewStructureCost(int32_t x, int32_t y, int32_t w, int32_t h) const;

    // --- Demolition -------------------------------------------------------
    // Clears the rectangle from the drag start to the current field, at most
    // 10 fields a side (the current field is pulled to within 9 fields of the
    // start and written back): forest, city buildings, player 0's buildings,
    // roads, tracks, bridges and tunnels, each at its price. `player` is the
    // one who demolishes and pays: a computer opponent may clear its own
    // fields as player 0 clears what nobody owns.
    void DemolishArea(int32_t start_x, int32_t start_y, int32_t& cur_x, int32_t& cur_y,
                      int32_t player = 0);
    // The same walk as a count: what DemolishArea would take from player 0's
    // cash for the rectangle (the current field pulled in the same way), or
    // -1 when something in it may not go (another player's field, a vehicle
    // on a way, bridge or tunnel, an occupied station or depot, a
    // raw-material site outside the editor, an attraction, a city building
    // without a price). Changes nothing.
    int64_t DemolitionCost(int32_t start_x, int32_t start_y, int32_t& cur_x, int32_t& cur_y,
                           int32_t player = 0);

    int32_t preview_steps = 0;  // step count of the running preview
    int32_t refused = 0;        // 1 after a refused height change or preview
    int32_t obstacle_x = 0;     // first obstacle of a refused change of player 0
    int32_t obstacle_y = 0;
    int32_t lowering = 0;  // 1 while a lowering or its preview runs

    // --- World generator ---------------------------------------------------
    // The whole generation: the land passes, then ground kinds, cities,
    // woods and raw-material sites. Expects a reset grid without cities or
    // company buildings. Without a readable template file nothing at all is
    // generated.
    void GenerateLandscape();
    // Slope shape and ground kind of every field.
    void AssignGroundKinds();
    // `teile_diff` := GetSlopeShape on every field.
    void RefreshAllSlopeShapes();

    // --- Populating ----------------------------------------------------------
    // One phase each; each drives its own progress stage (1, 2, 3).
    void GenerateCities();
    void GenerateWoods();
    void GenerateIndustries();
    // A forest of radius max(|x2 - x|, |y2 - y|) around (x, y) with the
    // density class `forest_density` of the game state.
    void PlantForest(int32_t x, int32_t y, int32_t x2, int32_t y2);
    // Removes every forest (only fields that carry one are touched).
    void ClearForests();

    // The loaded templates while GenerateLandscape runs, else null.
    LandscapeTemplateSet* template_data = nullptr;

  private:
    enum class Direction { Raise, Lower };
    void ChangeLand(Direction direction, int32_t x, int32_t y, int32_t p);
    void EditLand(Direction direction, int32_t x, int32_t y);
    int32_t PreviewCost(Direction direction, int32_t x, int32_t y);
    int32_t GetBrushCost(Direction direction, int32_t x, int32_t y);
    // Marks the corners a change of (x, y) pushes along; returns how many
    // it marked plus, when raising, one more for each of height 0.
    int32_t MarkPushedCorners(Direction direction, int32_t x, int32_t y);
    // Tests the fields marked changed around (x, y); sets `refused` at the
    // first obstacle (and, for player 0, its refusal mark).
    void CheckChangedFields(int32_t x, int32_t y, bool forPlayer0);
    void Cascade(Direction direction, int32_t x, int32_t y, int32_t p, int32_t brush);

    // Owns the template block while GenerateLandscape runs.
    std::unique_ptr<LandscapeTemplateSet> template_handle_;
};

extern CTerrain* g_pTerrain;

// Does nothing; the world view's mouse-up handler calls it.
void EmptyTerrainStub(int32_t, int32_t, int32_t, int32_t);
