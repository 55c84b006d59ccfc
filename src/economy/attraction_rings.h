#pragma once
// The effect of a building on a city's zone grid: values added on the rings
// of fields around its footprint. Ring 1 is the frame of fields next to the
// footprint (the rows above and below with the corners, the columns left and
// right); ring 2 the frame one field further out.

#include <cstdint>

class CBuilding;
class CCity;

// The city of slot 0..62, or null.
CCity* CityOfSlot(int32_t slot);

// Adds ring1 to every field of ring 1 and ring2 to every field of ring 2
// around the w x h footprint at (x, y), through the city's AddToGrid.
void AddAttractionRings(CCity& city, int32_t x, int32_t y, int32_t w, int32_t h, int32_t ring1,
                        int32_t ring2);

// The effect of raw-material sites and factories on any city: ring 1 gets
// -3 x sign and ring 2 -2 x sign around the building's footprint.
void AddIndustryRings(const CBuilding& building, int32_t city, int32_t sign);
