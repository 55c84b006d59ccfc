#pragma once
// Landscape template files "1berge", "2berge" and "3berge" (one per season
// folder) for the world generator: height stamps of the kinds 1, 2, 3, 5, 8,
// 11 and 14 — low land masses, hills, mountains and peaks up to height 14.
//
// File layout (little-endian): int32 N; N entries of 16 bytes (uint8 kind,
// 3 unused bytes, int32 size_x, int32 size_y, int32 data_offset), sorted by
// kind; then the height bytes, cell (i, k) of an entry at data_offset +
// i * size_y + k, the last entry's data last.
//
// The stamps are stepped: each height level is an axis-aligned rectangle with
// a terrace round the one above, so that nearly all land is flat or a ramp
// along an axis, which ways can use; only the lowest level, whose edge is
// shore and water anyway, has a rounded outline.
//
// Every stamp is smooth enough to keep the map's rule that neighbouring
// corners differ by at most one step: each cell differs from its eight
// neighbours by at most 1, and the outermost cells are at most 1 high.

#include <cstdint>
#include <vector>

namespace standin {

struct LandscapeStamp {
    int kind;
    int sizeX, sizeY;
    std::vector<uint8_t> heights;  // sizeX * sizeY, row i then cell k
};

// The stamps of a season's file (season 1..3), sorted by kind.
std::vector<LandscapeStamp> MakeLandscapeStamps(int season);
std::vector<uint8_t> EncodeLandscapeFile(const std::vector<LandscapeStamp>& stamps);

}  // namespace standin
