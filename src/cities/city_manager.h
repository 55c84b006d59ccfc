#pragma once
// The city manager: owns every city of the map (63 slots, city number n in
// slot n - 1), the list of 128 city names read from a names file with their
// used flags, and the location words of terminal names. It founds and removes
// cities, forwards the growth tick and the monthly update to every city,
// names new terminals after the nearest city and writes and reads the
// cities' record of the level file.
//
// The operations that other subsystems call from their loops (tick, monthly
// update, founding and removing cities) are virtual so that their tests can
// stand in for the cities.

#include <cstddef>
#include <cstdint>

#include "cities/city.h"
#include "platform/file.h"

constexpr int32_t kCityNameCount = 128;
constexpr int32_t kCityNameSize = 20;  // 19 characters and the terminator
constexpr int32_t kLocationWordCount = 12;
// Size of the name-used block of the level file: 128 flags and reserved bytes.
constexpr uint32_t kNameBlockBytes = 2048;

// Results of GetOrCreateCityAt besides a slot index.
constexpr int32_t kNoCityCreated = -1;
constexpr int32_t kCityFieldOffMap = -2;

class CCityManager {
  public:
    CCityManager();
    virtual ~CCityManager() = default;
    CCityManager(const CCityManager&) = delete;
    CCityManager& operator=(const CCityManager&) = delete;

    // Deletes every city without touching the map (the view is closing) and
    // empties the slots.
    void FreeAll();
    // Reads "Names%d.txt" of the base data folder, the file number being the
    // names-list setting + 1. A missing file changes nothing; a short one
    // leaves the names past its end empty.
    void LoadNames();
    // A field of a city: that city grows by one size stage, the result is its
    // slot index. Otherwise a city is founded with (x, y) as its centre in the
    // first free slot: the slot index, or -1 when no slot is free or no start
    // street can be laid (nothing is left behind). -2 off the map.
    virtual int32_t GetOrCreateCityAt(int32_t x, int32_t y);
    // Removes the city owning field (x, y) with its fields; nothing off the
    // map or on a field of no city.
    virtual void RemoveCityAt(int32_t x, int32_t y);
    // Removes every city with its fields and frees every name.
    virtual void RemoveAllCities();
    // One growth tick of every city, in slot order.
    virtual void Tick();
    // The monthly update of every city, in slot order.
    virtual void MonthlyUpdate();
    // The name of a new terminal at (x, y) after the nearest city ("" when
    // there is none), written into out (size bytes, always terminated).
    void MakeTerminalName(int32_t x, int32_t y, char* out, size_t size);
    template <size_t N>
    void MakeTerminalName(int32_t x, int32_t y, char (&out)[N]) {
        MakeTerminalName(x, y, out, N);
    }
    // The pre-save step of the level writer: finishes every pending site.
    // True when a site became its building.
    bool FinishAllBuildingSites();
    // The post-load and new-game step: every city adjusts its traffic cars.
    void SpawnAllTrafficCars();

    // The cities' record of the level file.
    void Save(plat::FileHandle file) const;
    // Deletes every city (the map is loaded whole, so no field is touched)
    // and reads the cities back. False for a damaged record: a short read, a
    // count above 63, a city number outside 1..63 or used twice, or a damaged
    // city body; no city is left then.
    bool Load(plat::FileHandle file);
    // Walks over the record with the checks of Load and changes nothing.
    // With `present`, bit n-1 tells whether city n is in the record.
    static bool CheckRecord(plat::FileHandle file, uint64_t* present = nullptr);

    // The city of a city number 1..63, or null.
    CCity* City(int32_t number) const {
        return number >= 1 && number <= kCitySlots ? cities[number - 1] : nullptr;
    }

    CCity* cities[kCitySlots] = {};
    uint32_t name_used[kCityNameCount] = {};
    char names[kCityNameCount][kCityNameSize] = {};
    char location_words[kLocationWordCount][10] = {};
    // Set while the world generator's progress screen is open: no city makes
    // traffic cars meanwhile.
    int32_t traffic_held = 0;

  private:
    void DeleteAllCities();
};

inline CCityManager* g_pCityManager = nullptr;
