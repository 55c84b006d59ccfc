#pragma once
// Landscape templates: the height stamps from which the world generator
// raises land and mountains. One file per landscape type ("1berge",
// "2berge", "3berge" in the season folders), no extension, little-endian:
//
//   int32 N (1..1000)
//   N entries of 16 bytes: uint8 kind (1..14), 3 bytes not read,
//                          int32 size_x, int32 size_y, int32 data_offset
//   the height data: one byte per cell
//
// Cell (i, k) of an entry (0 <= i < size_x, 0 <= k < size_y) has its height
// at data_offset + i * size_y + k of the height data. The height data is as
// long as the last entry needs (its data_offset plus its cell count), so the
// last entry's cells are the last of the block. Entries are sorted by kind.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

class CGameState;

constexpr int32_t kMaxLandscapeTemplates = 1000;
constexpr int32_t kLandscapeTemplateKinds = 14;  // kinds 1..14
constexpr int32_t kLandscapeTemplateEntrySize = 16;

struct LandscapeTemplate {
    uint8_t kind = 0;
    int32_t size_x = 0;  // rows i (extent along x in orientation 0)
    int32_t size_y = 0;  // cells k per row (extent along y in orientation 0)
    int32_t data_offset = 0;
};

struct LandscapeTemplateSet {
    std::vector<LandscapeTemplate> entries;
    std::vector<uint8_t> heights;  // the height data block

    // Height byte of cell (i, k) of an entry (the parser has checked that
    // every cell of every entry lies inside the block).
    uint8_t Height(const LandscapeTemplate& t, int32_t i, int32_t k) const {
        return heights[static_cast<size_t>(t.data_offset) +
                       static_cast<size_t>(i) * static_cast<size_t>(t.size_y) +
                       static_cast<size_t>(k)];
    }
};

// Reads a whole template file from memory. False, with *out left as it was,
// for a file that is not valid: fewer than 1 or more than 1,000 entries, a
// kind outside 1..14, a negative size or offset, or an entry whose cells do
// not lie inside the height data that the file holds. Bytes after the height
// data are not read.
bool ParseLandscapeTemplates(std::span<const uint8_t> bytes, LandscapeTemplateSet* out);

// Reads and parses the file; false when it is missing, unreadable or invalid.
bool ReadLandscapeTemplates(const std::string& path, LandscapeTemplateSet* out);

// The template file of the game state's landscape type: the group-0 data
// folder, the season folder, "\", the season number and "berge". Empty for a
// season outside 1..3.
std::string LandscapeTemplatePath(const CGameState& gs);
