#include "app/level_file_fixture.h"

#include "app/level_records.h"
#include "state/map_field.h"
#include "world/way_network.h"

namespace fvtest {

RecordOffsets OffsetsOf(const Bytes& file) {
    RecordOffsets at;
    at.network = at.grid + kFieldGridBytes;
    const uint32_t nodes = static_cast<uint32_t>(GetI32(file, at.network));
    at.cash = at.network + 4 + size_t{nodes} * (4 + kWayNodeRecordSize);
    // cash, season, empty buildings, empty vehicles, empty cities
    at.calendar = at.cash + 32 + 4 + 4 + 4 + 2048 + 4;
    at.camera = at.calendar + 12;
    at.names = at.camera + 20 + 4 + 1;
    at.event = at.names + 140;
    at.statistics = at.event + 2;
    at.counters = at.statistics + 6608;
    at.event_count = at.counters + 80 + 8;
    at.events = at.event_count + 4;
    at.opponents = at.events + 40 * 92;
    at.end = file.size();
    at.options = at.end - 24;
    at.bookmarks = at.options - 80;
    return at;
}

}  // namespace fvtest
