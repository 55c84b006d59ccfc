#pragma once
// A game state with its three opponents for the opponent tests, a vehicle
// list stand-in that knows vehicles by number, and a temporary folder for the
// record files.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "game/opponent.h"
#include "game/opponent_roster.h"
#include "state/game_state.h"
#include "support/game_state_scope.h"
#include "transport/vehicle_lookup.h"

namespace fvtest {

// Vehicles are never dereferenced by the opponent code: fake vehicles are
// distinct addresses in a byte array.
class FakeVehicleList : public CVehicleLookup {
  public:
    CVehicle* Add(int32_t number) {
        CVehicle* vehicle = reinterpret_cast<CVehicle*>(&storage_[numbers_.size()]);
        numbers_[vehicle] = number;
        return vehicle;
    }
    CVehicle* FindVehicleByNumber(int32_t number) const override {
        for (const auto& [vehicle, n] : numbers_) {
            if (n == number) return vehicle;
        }
        return nullptr;
    }
    int32_t VehicleNumber(const CVehicle& vehicle) const override {
        auto it = numbers_.find(const_cast<CVehicle*>(&vehicle));
        return it != numbers_.end() ? it->second : -1;
    }

  private:
    char storage_[64] = {};
    std::map<CVehicle*, int32_t> numbers_;
};

class OpponentTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // Fake vehicles resolve to numbers only through a fake list.
        saved_lookup_ = g_pVehicleLookup;
        g_pVehicleLookup = nullptr;
        RecreateOpponents();
        std::string pattern =
            (std::filesystem::temp_directory_path() / "ferrovane-opponents-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) folder_ = pattern;
    }
    void TearDown() override {
        g_pVehicleLookup = saved_lookup_;
        std::error_code ignored;
        if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
    }

    CGameState& state() { return scope_.state(); }
    COpponent& opponent(int slot) { return *state().opponents[slot]; }
    std::string PathOf(const std::string& name) const { return folder_ + "/" + name; }
    std::string ReadBytes(const std::string& name) const {
        std::ifstream in(PathOf(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void WriteBytes(const std::string& name, const std::string& bytes) const {
        std::ofstream(PathOf(name), std::ios::binary) << bytes;
    }

    GameStateScope scope_;
    std::string folder_;
    CVehicleLookup* saved_lookup_ = nullptr;
};

}  // namespace fvtest
