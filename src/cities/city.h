#pragma once
// One city: a 27 x 27 field area with its zone rings and street plan, the
// growth state that turns the area into streets and city buildings step by
// step, its residents and evaluation, and the list of stores it drives each
// month. City buildings and streets live in the field grid only: a city
// building is a number in `stadtb` of a field, a city street a field of way
// type 1; both carry the city number in `stadtnum`.
//
// The class is implemented over several files, one per job (records and
// names, growth, layout, streets, evaluation and traffic, stores). The
// clean-up operations and the store refresh are virtual so that tests of
// other subsystems can stand in for a city.

#include <cstdint>
#include <vector>

#include "platform/file.h"

constexpr int32_t kCitySlots = 63;  // city number n (1..63) is slot n - 1
constexpr int32_t kCityAreaSize = 27;
constexpr int32_t kCityAreaCells = kCityAreaSize * kCityAreaSize;
constexpr int32_t kCityNameLength = 35;

// City-building numbers (`stadtb`): classes 0..5 house residents (1..41),
// 42..47 are small buildings without residents, 48..53 building sites.
constexpr int32_t kLastResidentialBuilding = 41;
constexpr int32_t kFirstBuildingSite = 0x30;
constexpr int32_t kLastBuildingSite = 0x35;
constexpr int32_t kCityBuildingNumbers = 53;

// Caps of the growth lists: the oversize list and each candidate list (the
// street candidates use a list of the candidate size).
constexpr int32_t kOversizeListCap = 231;
constexpr int32_t kCandidateListCap = 232;
constexpr int32_t kCandidateLists = 6;

// Class 0..7 of a city-building number: 0 for 1..10, 1 for 11..20, 2 for
// 21..28, 3 for 29..34, 4 for 35..38, 5 for 39..41, 6 for 42..47, 7 from 48
// on (the building sites). 0 for the numbers below 1.
int32_t GetCityBuildingClass(int32_t b);

struct CityCell {
    int32_t dx;
    int32_t dy;
};

class CCity {
  public:
    // A city record of number 1..63 with area origin (x, y); nothing is laid
    // out. The caller reads the body from a file next, or founds the city:
    // it puts the record in its slot and runs LayOut, which makes (x, y) the
    // centre of the area.
    CCity(int32_t number, int32_t x, int32_t y);
    // An empty record (number 0, origin (0, 0)).
    CCity() : CCity(0, 0, 0) {}
    virtual ~CCity() = default;
    CCity(const CCity&) = delete;
    CCity& operator=(const CCity&) = delete;

    // --- Records and fields (city.cpp, city_record.cpp) ----------------
    // Frees the store list.
    virtual void ClearBuildingList();
    // Gives the name back and removes every trace of the city from its area:
    // city buildings, the city number and the city streets with their network
    // nodes and links. Other ways, company buildings and terrain stay.
    virtual void ClearFields();
    // Adds `amount` to the zone value of the cell of field (x, y), when the
    // field lies in the area; a result below 0 is stored as -1.
    void AddToGrid(int32_t x, int32_t y, int32_t amount);
    // True when the rectangle (x, y)-(x + w, y + h) meets the rectangle
    // origin-(origin + 26), right and bottom edges exclusive.
    bool OverlapsRect(int32_t x, int32_t y, int32_t w, int32_t h) const;
    // The city body of the level file.
    void Save(plat::FileHandle file) const;
    // Reads the body; false for a short or damaged record (an area off the
    // map, a street plan value that is no piece, a negative terminal count).
    // Then clears the pending site and evaluates the city.
    bool Load(plat::FileHandle file);
    // Reads and checks the body only, touching nothing outside the object.
    bool ReadBody(plat::FileHandle file);

    // --- Growth (city_growth.cpp, city_layout.cpp) ---------------------
    // One growth tick; always 1.
    int32_t Tick();
    void ResetCandidateLists();
    // Fills the candidate lists, the class matrix and the residents from the
    // area; the sum of the six last indices (-6 when every list is empty).
    int32_t ScanArea();
    // Puts up or enlarges one building: 1 when placed, 0 or -2 when not.
    int32_t PlaceBuildings();
    void ShrinkOversizedBuilding();
    // True when the pending site became its building.
    bool FinishBuildingSite();
    // The initial layout of a new city: it draws its street plan, lays its
    // start street, takes a name and grows to its start size; 1 when a start
    // street was laid.
    int32_t LayOut();
    // The editor's growth of an existing city by one size stage.
    void GrowOneStage();

    // --- Streets (city_streets.cpp) -------------------------------------
    void PrepareStreetGrid();
    int32_t PieceFromPlan(int32_t dx, int32_t dy) const;
    void RefitPlanPiece(int32_t dx, int32_t dy);
    // Collects street candidates; sets new_street_last.
    void ExtendStreets();
    // Lays one random street candidate and links it into the network.
    void UpdateStreets();

    // --- Evaluation, residents, traffic (city_evaluation.cpp, city_traffic.cpp)
    int32_t Evaluate();
    void CountResidents();
    void SpawnTrafficCar();
    // A random free straight or ramp street field of the city, or (-1, -1).
    void FindStreetField(int32_t& x, int32_t& y);

    // --- Stores (city_stores.cpp) ----------------------------------------
    void MonthlyUpdate();
    virtual void RefreshStores(int32_t type);

    // Fields in the order of the game's design (the level file writes them
    // one by one, never the object).
    int32_t attraction_counts[5] = {};  // attractions of types 27..31 in the city
    // Stores collected by RefreshStores, front first (building numbers).
    std::vector<int32_t> store_list;
    int32_t evaluation = 0;
    int32_t countdown = 0;  // growth ticks until the next growth step
    int32_t car_count = 0;  // city traffic cars of this city on the vehicle list
    int32_t terminal_names_given = 0;
    int32_t reserved_words[3] = {};  // saved with terminal_names_given, no other use
    int32_t step_mode = -1;          // last index of the oversize list, -1 none
    int32_t step_count = 0;          // growth steps done
    int32_t name_index = -1;         // entry of the name list, -1 none
    int32_t layout_ok = 0;
    // Zone value per cell, [dx][dy]: the largest building class the cell may
    // hold (read capped at 5); the rings 0..5 plus the attraction amounts.
    int32_t zone_grid[kCityAreaSize][kCityAreaSize] = {};
    int32_t street_grid[kCityAreaSize][kCityAreaSize] = {};  // [dx][dy], piece + 1
    int32_t number = 0;
    int32_t origin_x = 0;  // field of area cell (0, 0)
    int32_t origin_y = 0;

    // Growth state, rebuilt by every step.
    CityCell oversize_list[kOversizeListCap] = {};
    CityCell candidates[kCandidateLists][kCandidateListCap] = {};
    int32_t candidate_last[kCandidateLists] = {-1, -1, -1, -1, -1, -1};
    CityCell street_candidates[kCandidateListCap] = {};
    int32_t class_matrix[6][6] = {};  // [zone value][building class]
    int32_t zone_cell_counts[6] = {};
    int32_t cell_total = 0;
    int32_t size_class = 0;
    int32_t failed_steps = 0;
    int32_t placements = 0;
    int32_t new_street_last = -1;

    int32_t pending_site_x = -1;
    int32_t pending_site_y = -1;
    int32_t pending_site_value = 0;
    int32_t residents = 0;
    int32_t in_view = 0;  // the world view's note whether the centre is visible
    char name[kCityNameLength] = {};

  private:
    void FillZoneRings();
    // Takes a free name of the manager's list (the initial layout).
    void ChooseName();
    // The growth-tick rule that makes traffic cars.
    void MakeTrafficByTick();
    // Creates one traffic car on a free street field; false when none.
    bool MakeTrafficCar();
    // Puts the city-building word (number b with the city number) on a field.
    void PutBuilding(int32_t x, int32_t y, int32_t b);
    int32_t LeastCountedNumber(int32_t first, int32_t last) const;
    // Links a changed street field and its neighbours into the network.
    void LinkStreetField(int32_t x, int32_t y);
    int32_t DrawListCell(int32_t list, int32_t wanted) const;
};
