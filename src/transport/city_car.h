#pragma once
// CCityCar: the city traffic. A car without owner, schedule or cargo that
// drives at random over the streets of its city, keeps to a lane, waits
// behind other road vehicles and at busy junctions, and after 20 city-street
// fields vanishes and reappears on another free street field of its city.

#include <cstdint>

#include "transport/vehicle.h"

// Bytes of a city car's record.
constexpr uint32_t kCityCarRecordSize = 132;

// Lets the cities make their traffic cars as CCityCar objects (start-up).
void InstallCityCarMaker();

// Relocation attempts of the current series, shared by all cars.
inline int32_t g_CityCarPlaceAttempts = 0;

class CCityCar : public virtual CVehicle {
  public:
    // A car of city `city` (1..63) on the street field (x, y), registered in
    // the vehicle list.
    CCityCar(int32_t x, int32_t y, const char* name, int32_t model, int32_t city);
    // Room for a car record about to be read (no map effect, not listed).
    explicit CCityCar(VehicleLoadOnly);
    ~CCityCar() override;

    // One frame; answers 0.
    int32_t Move() override;
    void Save(plat::FileHandle file) override;
    bool Load(plat::FileHandle file) override;
    bool ReadFields(plat::FileHandle file) override;
    // Relocation to a free street field of the car's city.
    void PlanRoute() override;
    // The decision at the middle of a field.
    void Drive() override;
    void UpdateSpeed() override;

  private:
    // Heading, lane and mark on the car's field by its road piece; false
    // (and no mark) when the piece gives no heading, the way does not lead
    // that way or the lane is taken.
    bool SetUpOnField();
    // Gives up the car's marks and relocates (a series of at most ten tries).
    void Relocate();
    void UpdateDrawLayer();
};
