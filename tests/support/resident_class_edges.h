#pragma once
// The residents a city building houses at the ends of the building numbers'
// classes: each class houses its residents up to its last number, and the
// numbers from 42 on house none.

#include <cstdint>
#include <utility>

namespace fvtest {

// {city building number, its residents}.
inline constexpr std::pair<int32_t, int32_t> kResidentsAtClassEdges[] = {
    {10, 9}, {11, 40}, {20, 40}, {28, 80}, {34, 160}, {38, 320}, {41, 640}, {42, 0}};

}  // namespace fvtest
