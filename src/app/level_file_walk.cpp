// The walk over a level file's records. The check and the reading run the
// same code: in the check every record is read into scratch values and
// checked, also against each other, and nothing of the running game changes; in the reading the
// same values are checked again and go into the game, with the steps a load takes between the
// records.

#include <cstring>
#include <memory>
#include <vector>

#include "app/level_file.h"
#include "app/level_records.h"
#include "cities/city_level.h"
#include "cities/city_manager.h"
#include "economy/building_level.h"
#include "game/opponent_level.h"
#include "state/data_tables.h"
#include "state/game_state.h"
#include "state/le_io.h"
#include "state/map_field.h"
#include "state/market_events.h"
#include "state/statistics.h"
#include "transport/vehicle.h"
#include "transport/vehicle_level.h"
#include "transport/vehicle_lookup.h"
#include "view/world_view.h"
#include "world/way_network.h"

namespace {

bool CameraValid(double x, double y, int32_t zoom) {
    const auto inRange = [](double v) { return v >= -kCameraLimit && v <= kCameraLimit; };
    return inRange(x) && inRange(y) && (zoom == 1 || zoom == 2 || zoom == 4 || zoom == 16);
}

// A running event is used only when it names a record of the table or one of
// the two special values; anything else means no event.
int8_t KnownActiveEvent(int8_t value) {
    const bool known = value == -1 || value == -2 || (value >= 0 && value < kMarketEventSlots);
    return known ? value : int8_t{-1};
}

// Adds every city car of the vehicle list to its city's car count.
void CountCityCars() {
    if (g_pCityManager == nullptr) return;
    for (const VehicleListNode* node = g_pVehicleList; node != nullptr; node = node->next) {
        const CVehicle* vehicle = node->vehicle;
        if (vehicle == nullptr || vehicle->vehicle_class != kVehicleCityCar) continue;
        if (CCity* city = g_pCityManager->City(vehicle->owner)) ++city->car_count;
    }
}

// The vehicles a check walk read from the file, found by their numbers.
class FileVehicles : public CVehicleLookup {
  public:
    explicit FileVehicles(const std::vector<std::unique_ptr<CVehicle>>& vehicles)
        : vehicles_(vehicles) {}
    CVehicle* FindVehicleByNumber(int32_t number) const override {
        for (const auto& vehicle : vehicles_) {
            if (vehicle->vehicle_class != kVehicleCityCar && vehicle->number == number) {
                return vehicle.get();
            }
        }
        return nullptr;
    }
    int32_t VehicleNumber(const CVehicle& vehicle) const override { return vehicle.number; }

  private:
    const std::vector<std::unique_ptr<CVehicle>>& vehicles_;
};

class LevelWalk {
  public:
    LevelWalk(plat::FileHandle file, LevelWalkMode mode, LevelWalkPart part)
        : file_(file),
          reading_(mode == LevelWalkMode::Read),
          level_(part == LevelWalkPart::LevelStart),
          whole_records_(part == LevelWalkPart::PreparedGame),
          gs_(*g_pGameState) {}

    bool Run() {
        if (!MeasureFile()) return false;
        if (!Head() || !Grid() || !Network() || !CashAndSeason() || !ObjectRecords()) return false;
        if (!Calendar() || !ViewAndNames()) return false;
        StatisticsAndCounters();
        if (!MarketEvents()) return false;
        if (level_) return !cut_;
        return Opponents() && Tail() && !cut_;
    }

  private:
    // A mission or scenario may end early, between two records: the records
    // it lacks read as missing, as in a saved game of an older version. One
    // that ends inside a record was cut and is refused. Notes a file that
    // ends inside one of the records of `sizes` that follow each other from
    // `start`.
    void NoteEndInside(int64_t start, std::initializer_list<int64_t> sizes) {
        if (!whole_records_ || start < 0) return;
        for (const int64_t size : sizes) {
            if (size_ > start && size_ < start + size) cut_ = true;
            start += size;
        }
    }
    // The same for the record that begins here.
    void NoteEndInside(int64_t size) { NoteEndInside(Here(), {size}); }
    int32_t Here() const { return plat::SeekFile(file_, 0, plat::SeekFrom::Current); }

    // The file's length bounds the skip over surplus market events.
    bool MeasureFile() {
        const int32_t here = plat::SeekFile(file_, 0, plat::SeekFrom::Current);
        size_ = plat::SeekFile(file_, 0, plat::SeekFrom::End);
        return here >= 0 && size_ >= 0 &&
               plat::SeekFile(file_, here, plat::SeekFrom::Begin) == here;
    }

    // Records 1 to 3.
    bool Head() {
        int32_t mode = 0;
        int32_t built[6] = {};
        int32_t votes = 0;
        if (!le::ReadI32(file_, mode) || le::ReadI32Array(file_, built, 6) != sizeof built ||
            !le::ReadI32(file_, votes)) {
            return false;
        }
        if (mode < kModeEditor || mode > kModeMission) return false;
        if (!reading_) return true;
        // A file read while the editor runs stays in the editor.
        if (gs_.game_mode != kModeEditor) gs_.game_mode = mode;
        std::memcpy(gs_.built_counts, built, sizeof built);
        if (!level_) gs_.board_votes = votes;
        return true;
    }

    // Record 4.
    bool Grid() {
        std::vector<uint8_t> bytes(kFieldGridBytes);
        if (le::ReadBytes(file_, bytes.data(), kFieldGridBytes) != kFieldGridBytes) return false;
        if (!reading_) {
            references_.grid = std::move(bytes);
            return true;
        }
        for (int32_t i = 0; i < kMapFieldCount; ++i) {
            for (int32_t b = 0; b < 12; ++b) gs_.fields[i].bytes[b] = bytes[size_t(i) * 12 + b];
        }
        return true;
    }

    // Record 5: the network checks its own record; the check loads it into a
    // network of its own.
    bool Network() {
        if (reading_ && g_pWayNetwork != nullptr) return g_pWayNetwork->Load(file_);
        scratch_network_ = std::make_unique<CWayNetwork>();
        references_.network = scratch_network_.get();
        return scratch_network_->Load(file_);
    }

    static constexpr int64_t kMaxCash = int64_t{1} << 62;

    // Records 6 and 7.
    bool CashAndSeason() {
        int64_t cash[kPlayerCount] = {};
        for (int64_t& value : cash) {
            if (!le::ReadI64(file_, value)) return false;
            // No game comes near this; beyond it the monthly bookings would
            // overflow.
            if (value > kMaxCash || value < -kMaxCash) return false;
        }
        int32_t season = 0;
        if (!le::ReadI32(file_, season) || season < 1 || season > 3) return false;
        if (!reading_) return true;
        std::memcpy(gs_.cash, cash, sizeof cash);
        gs_.cash_shown[0] = gs_.cash[0];
        ClearTransientFieldBits();
        gs_.season = season;
        ReloadSeasonDependentTables();
        return true;
    }

    // Records 8 to 10; the check then tests every reference between the
    // records read so far. A file that ends anywhere from the season (record
    // 7) to here is refused, while one that ends after the cities loads: the
    // grid already read names buildings and cities by their numbers, and
    // city cars name their cities. Taken as missing, like the later records,
    // these records would leave fields and cars pointing at building slots
    // and cities that were never read, and the first lookup through one
    // would find no object where the game needs one.
    bool ObjectRecords() {
        if (!reading_) {
            return SkipBuildingRecords(file_, &references_.building_types,
                                       &references_.building_anchors) &&
                   SkipVehicleRecords(file_, &references_.vehicles) &&
                   SkipCityRecords(file_, &references_.cities) && LevelReferencesSound(references_);
        }
        if (!ReadBuildingRecords(file_) || !ReadVehicleRecords(file_) || !ReadCityRecords(file_)) {
            return false;
        }
        CountCityCars();
        AfterLoadCities();
        return true;
    }

    // Record 11. A file may end here: what is missing counts as 0.
    bool Calendar() {
        NoteEndInside(12);
        int32_t week = 0;
        int32_t month = 0;
        int32_t year = 0;
        if (!le::ReadI32(file_, week)) week = 0;
        if (!le::ReadI32(file_, month)) month = 0;
        if (!le::ReadI32(file_, year)) year = 0;
        if (week < 0 || week > 3 || month < 0 || month > 11) return false;
        if (year < 0 || year > kLastGameYear) return false;
        if (!reading_) return true;
        gs_.week = week;
        gs_.month = month;
        gs_.year = year;
        AfterLoadAllBuildings();
        return true;
    }

    // Records 12 to 17; each record that did not arrive leaves its values.
    bool ViewAndNames() {
        NoteEndInside(Here(), {20, 4, 1, sizeof(gs_.company_names), 1, 1});
        double centre_x = 0.0;
        double centre_y = 0.0;
        int32_t zoom = 0;
        const bool camera = le::ReadDouble(file_, centre_x) && le::ReadDouble(file_, centre_y) &&
                            le::ReadI32(file_, zoom);
        if (camera && !CameraValid(centre_x, centre_y, zoom)) return false;

        int32_t rotation = 0;
        const bool has_rotation = le::ReadI32(file_, rotation);
        if (has_rotation && (rotation < 0 || rotation > 3)) return false;

        uint8_t colour = 0;
        const bool has_colour = le::ReadU8(file_, colour);
        if (has_colour && colour >= kPlayerCount) return false;

        char names[4][kCompanyNameLength];
        const bool has_names = le::ReadBytes(file_, names, sizeof names) == sizeof names;
        int8_t event = -1;
        const bool has_event = le::ReadI8(file_, event);
        uint8_t pause = 0;
        const bool has_pause = le::ReadU8(file_, pause);
        if (!reading_) return true;

        if (camera && g_pSpielFeld != nullptr) {
            g_pSpielFeld->centre_x = centre_x;
            g_pSpielFeld->centre_y = centre_y;
            g_pSpielFeld->zoom = zoom;
        }
        if (has_rotation) gs_.rotation = rotation;
        // A level start keeps the running game's colours and company names.
        if (has_colour && !level_) {
            for (int32_t k = 0; k < kPlayerCount; ++k) {
                gs_.player_colors[k] = static_cast<uint8_t>((colour + k) % kPlayerCount);
            }
        }
        if (has_names && !level_) {
            std::memcpy(gs_.company_names, names, sizeof names);
            for (auto& name : gs_.company_names) name[kCompanyNameLength - 1] = '\0';
        }
        if (has_event) gs_.active_event = KnownActiveEvent(event);
        if (has_pause) gs_.event_pause = pause;
        return true;
    }

    // Records 18 to 20; nothing here can be damaged.
    void StatisticsAndCounters() {
        NoteEndInside(Here(), {sizeof(StatisticsBlock), sizeof(NewGameCountersBlock), 8});
        StatisticsBlock statistics;
        const uint32_t statistics_bytes =
            le::ReadI32Array(file_, statistics.words, kStatisticsWords);
        NewGameCountersBlock counters;
        const uint32_t counter_bytes =
            le::ReadI32Array(file_, counters.words, kNewGameCounterWords);
        int32_t news[2];
        le::ReadI32Array(file_, news, 2);
        if (!reading_) return;

        if (statistics_bytes == sizeof statistics.words) {
            g_Statistics = statistics;
        } else {
            ClearStatistics();
        }
        if (level_) {
            for (int32_t i = 0; i < kOpponentCount; ++i) g_TakeOverCount[i] = 0;
        }
        if (counter_bytes == sizeof counters.words) {
            g_NewGameCounters = counters;
        } else {
            ResetGameCounters();
        }
        for (int32_t i = 0; i < kOpponentCount; ++i) {
            if (g_TakeOverCount[i] > 1) g_TakeOverCount[i] = 0;
        }
        for (int32_t& id : gs_.news_ids) id = -1;
        // Records missing from the file keep the built-in values.
        InitGoodsTable();
        InitMarketEvents();
    }

    // Records 21 and 22, then the goods that follow from them and the date.
    bool MarketEvents() {
        NoteEndInside(4);
        uint8_t raw[4];
        const uint32_t got = le::ReadBytes(file_, raw, 4);
        if (got == 4) {
            const int32_t count = static_cast<int32_t>(le::GetU32(raw));
            if (count == kOlderLayoutMarker) {
                // The older layout has no count: those bytes began the first record.
                if (plat::SeekFile(file_, -4, plat::SeekFrom::Current) < 0) return false;
                ReadEventRecords(kOlderLayoutEventCount);
            } else if (count < 0) {
                return false;
            } else {
                NoteEndInside(int64_t{count} * kMarketEventRecordSize);
                const int32_t kept = count < kMarketEventSlots ? count : kMarketEventSlots;
                if (ReadEventRecords(kept) && count > kept) SkipEventRecords(count - kept);
            }
        }
        if (!reading_) return true;

        ApplyRunningEventPrices();
        for (GoodsRecord& good : gs_.goods) {
            const bool due = level_ ? good.intro_year <= gs_.year
                                    : good.intro_year < gs_.year ||
                                          (good.intro_year == gs_.year && gs_.month >= 2);
            if (due) good.available = 1;
        }
        return true;
    }

    // Reads up to `count` whole records into the table; false when the file
    // ended first.
    bool ReadEventRecords(int32_t count) {
        for (int32_t i = 0; i < count; ++i) {
            NoteEndInside(kMarketEventRecordSize);
            MarketEvent event;
            if (ReadMarketEvent(file_, event) != kMarketEventRecordSize) return false;
            if (reading_) gs_.market_events[i] = event;
        }
        return true;
    }

    // Moves past surplus records, at most to the end of the file.
    void SkipEventRecords(int32_t count) {
        const int32_t here = plat::SeekFile(file_, 0, plat::SeekFrom::Current);
        if (here < 0) return;
        const int64_t target = int64_t{here} + int64_t{count} * kMarketEventRecordSize;
        const int64_t bounded = target < size_ ? target : size_;
        plat::SeekFile(file_, static_cast<int32_t>(bounded), plat::SeekFrom::Begin);
    }

    // Records 23 to 26. The check tests the plans against the buildings and
    // vehicles of the file.
    bool Opponents() {
        if (reading_) return ReadOpponentRecords(file_);
        const std::vector<int32_t> owners = FileBuildingOwners(references_);
        const auto owner_of = [&owners](int32_t number) {
            return number >= 0 && number < static_cast<int32_t>(owners.size()) ? owners[number]
                                                                               : -1;
        };
        FileVehicles vehicles(references_.vehicles);
        CVehicleLookup* running = g_pVehicleLookup;
        g_pVehicleLookup = &vehicles;
        int32_t records_end = -1;
        const bool sound = SkipOpponentRecords(file_, owner_of, &records_end);
        g_pVehicleLookup = running;
        // The active opponent, the take-over years and percentages.
        NoteEndInside(records_end, {4, 12, 12});
        return sound;
    }

    // Records 27 and 28. A file that ends before the display options gets the
    // take-over terms of a new game and no bookmarks.
    bool Tail() {
        NoteEndInside(Here(), {80, 24});
        int32_t marks[2 * kBookmarkCount];
        for (int32_t i = 0; i < kBookmarkCount; ++i) {
            marks[2 * i] = gs_.bookmarks[i].x;
            marks[2 * i + 1] = gs_.bookmarks[i].y;
        }
        le::ReadI32Array(file_, marks, 2 * kBookmarkCount);
        int32_t* const options[6] = {&gs_.show_grid,           &gs_.show_trees,
                                     &gs_.show_city_buildings, &gs_.show_city_names,
                                     &gs_.show_building_names, &gs_.show_production};
        int32_t values[6];
        for (int32_t i = 0; i < 6; ++i) values[i] = *options[i];
        const uint32_t option_bytes = le::ReadI32Array(file_, values, 6);
        if (!reading_) return true;

        for (int32_t i = 0; i < kBookmarkCount; ++i)
            gs_.bookmarks[i] = {marks[2 * i], marks[2 * i + 1]};
        for (int32_t i = 0; i < 6; ++i) *options[i] = values[i];
        if (option_bytes < 4) {
            ResetOpponentTakeOverTerms();
            for (Bookmark& mark : gs_.bookmarks) mark = {-1, -1};
        }
        return true;
    }

    plat::FileHandle file_;
    bool reading_;
    bool level_;
    bool whole_records_;
    bool cut_ = false;  // the file ends inside a record
    CGameState& gs_;
    int32_t size_ = 0;
    std::unique_ptr<CWayNetwork> scratch_network_;
    LevelReferences references_;
};

}  // namespace

bool WalkLevelFile(plat::FileHandle file, LevelWalkMode mode, LevelWalkPart part) {
    if (g_pGameState == nullptr) return false;
    return LevelWalk(file, mode, part).Run();
}
