// Reading and checking the landscape template files.

#include "world/landscape_templates.h"

#include <cstdio>

#include "platform/file.h"
#include "state/game_state.h"

namespace {

int32_t ReadInt32(std::span<const uint8_t> bytes, size_t at) {
    const uint32_t v =
        static_cast<uint32_t>(bytes[at]) | static_cast<uint32_t>(bytes[at + 1]) << 8 |
        static_cast<uint32_t>(bytes[at + 2]) << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
    return static_cast<int32_t>(v);
}

// Cells of an entry and the end of its data (64-bit: sizes come from a file).
int64_t CellCount(const LandscapeTemplate& t) {
    return static_cast<int64_t>(t.size_x) * static_cast<int64_t>(t.size_y);
}
int64_t DataEnd(const LandscapeTemplate& t) {
    return static_cast<int64_t>(t.data_offset) + CellCount(t);
}

}  // namespace

bool ParseLandscapeTemplates(std::span<const uint8_t> bytes, LandscapeTemplateSet* out) {
    if (out == nullptr || bytes.size() < 4) return false;
    const int32_t count = ReadInt32(bytes, 0);
    if (count < 1 || count > kMaxLandscapeTemplates) return false;
    const size_t table_end = 4 + static_cast<size_t>(count) * kLandscapeTemplateEntrySize;
    if (bytes.size() < table_end) return false;

    std::vector<LandscapeTemplate> entries(static_cast<size_t>(count));
    for (int32_t n = 0; n < count; ++n) {
        const size_t at = 4 + static_cast<size_t>(n) * kLandscapeTemplateEntrySize;
        LandscapeTemplate& t = entries[static_cast<size_t>(n)];
        t.kind = bytes[at];
        t.size_x = ReadInt32(bytes, at + 4);
        t.size_y = ReadInt32(bytes, at + 8);
        t.data_offset = ReadInt32(bytes, at + 12);
        if (t.kind < 1 || t.kind > kLandscapeTemplateKinds) return false;
        if (t.size_x < 0 || t.size_y < 0 || t.data_offset < 0) return false;
    }

    // The reader takes as much height data as the last entry needs; every
    // entry must lie inside it, and the file must hold all of it.
    const int64_t data_size = DataEnd(entries.back());
    if (data_size > static_cast<int64_t>(bytes.size() - table_end)) return false;
    for (const LandscapeTemplate& t : entries) {
        if (DataEnd(t) > data_size) return false;
    }

    out->entries = std::move(entries);
    out->heights.assign(bytes.begin() + static_cast<std::ptrdiff_t>(table_end),
                        bytes.begin() + static_cast<std::ptrdiff_t>(table_end) +
                            static_cast<std::ptrdiff_t>(data_size));
    return true;
}

bool ReadLandscapeTemplates(const std::string& path, LandscapeTemplateSet* out) {
    if (path.empty()) return false;
    const plat::FileHandle file = plat::OpenFile(path, plat::OpenMode::Read);
    if (file == plat::kInvalidFile) return false;
    const int32_t size = plat::SeekFile(file, 0, plat::SeekFrom::End);
    bool ok = size >= 0 && plat::SeekFile(file, 0, plat::SeekFrom::Begin) == 0;
    std::vector<uint8_t> bytes;
    if (ok) {
        bytes.resize(static_cast<size_t>(size));
        ok = plat::ReadFile(file, bytes.data(), static_cast<uint32_t>(size)) == size;
    }
    plat::CloseFile(file);
    return ok && ParseLandscapeTemplates(bytes, out);
}

std::string LandscapeTemplatePath(const CGameState& gs) {
    if (gs.season < 1 || gs.season > 3) return {};
    char path[3 * kDataPathLength];
    std::snprintf(path, sizeof path, "%s%s\\%d%s", gs.DataPath(kPathBase),
                  gs.SeasonFolder(gs.season), gs.season, "berge");
    return path;
}
