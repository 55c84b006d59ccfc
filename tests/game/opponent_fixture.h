#pragma once
// A game state with its three opponents for the opponent tests, a vehicle
// list stand-in that knows vehicles by number, and file helpers that write a
// record to bytes and read bytes back.

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>

#include "game/opponent.h"
#include "game/opponent_fill.h"
#include "game/opponent_roster.h"
#include "platform/file.h"
#include "platform/temp_folder.h"
#include "state/game_state.h"
#include "support/game_scope.h"
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
        scope_.Set(g_pVehicleLookup, nullptr);
        RecreateOpponents();
    }

    CGameState& state() { return scope_.state(); }
    COpponent& opponent(int slot) { return *state().opponents[slot]; }
    // The bytes `write(file)` puts into a new file.
    template <typename Write>
    std::string Written(Write write) {
        plat::FileHandle file = plat::OpenFile(folder_.Path() + "/out", plat::OpenMode::Create);
        EXPECT_NE(file, plat::kInvalidFile);
        write(file);
        plat::CloseFile(file);
        return folder_.Read("out");
    }
    // `read(file)` on a file of `bytes`; `left` gets the bytes not read.
    template <typename Read>
    auto ReadBack(const std::string& bytes, Read read, int32_t* left = nullptr) {
        plat::FileHandle file = plat::OpenFile(folder_.Write("in", bytes), plat::OpenMode::Read);
        EXPECT_NE(file, plat::kInvalidFile);
        auto result = read(file);
        if (left != nullptr) {
            const int32_t here = plat::SeekFile(file, 0, plat::SeekFrom::Current);
            *left = plat::SeekFile(file, 0, plat::SeekFrom::End) - here;
        }
        plat::CloseFile(file);
        return result;
    }

    fvtest::GameScope scope_;
    TempFolder folder_;
};

}  // namespace fvtest
