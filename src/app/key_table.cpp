#include "app/key_table.h"

#include <vector>

#include "platform/messages.h"

namespace {

constexpr uint8_t kShift = plat::kAccelShift;
constexpr uint8_t kCtrlAlt = plat::kAccelControl | plat::kAccelAlt;
constexpr uint8_t kAll = plat::kAccelShift | plat::kAccelControl | plat::kAccelAlt;

std::vector<plat::Accelerator> Entries() {
    std::vector<plat::Accelerator> keys = {
        // Panel headings and tools.
        {0, 'A', 40335},
        {0, 'B', 40329},
        {0, 'E', 40401},
        {0, 'F', 40361},
        {0, 'G', 40331},
        {0, 'H', 40333},
        {0, 'I', 40330},
        {0, 'K', 40400},
        {0, 'L', 40323},
        {0, 'M', 40316},
        {0, 'N', 40336},
        {0, 'O', 40325},
        {0, 'P', 40365},
        {0, 'Q', 40322},
        {0, 'R', 40334},
        {0, 'S', 40324},
        {0, 'W', 40332},
        {0, 'Z', 40399},
        // Zoom levels and display toggles.
        {0, '1', 40337},
        {0, '2', 40338},
        {0, '3', 40339},
        {0, '4', 40340},
        {0, '5', 40089},
        {0, '6', 40090},
        {0, '7', 40091},
        {0, '8', 40327},
        {0, '9', 40328},
        {0, '0', 40326},
        // The view and the panel.
        {kShift, '1', 40176},
        {kShift, '2', 40177},
        {kShift, '3', 40178},
        {kShift, '4', 40179},
        {kShift, '5', 40180},
        {kShift, '6', 40181},
        {kShift, '7', 40317},
        {kShift, 'K', 40182},
        {kShift, 'L', 40183},
        {0, VK_ADD, 40184},
        {0, VK_SUBTRACT, 40185},
        {0, VK_MULTIPLY, 40192},
        {kShift, 'F', 40193},
        {kShift, 'S', 40194},
        // Build orientation.
        {0, VK_SPACE, 40195},
        {0, VK_UP, 40196},
        {0, VK_RIGHT, 40197},
        {0, VK_DOWN, 40198},
        {0, VK_LEFT, 40199},
        {kShift, 'M', 40211},
        {kShift, 'G', 40212},
        {0, 'C', 40314},
        {0, 'D', 40015},
        {kCtrlAlt, 'D', 40153},
        {0, 'J', 40373},
        {0, 'T', 40372},
        {0, 'U', 40374},
        {0, 'V', 40375},
        {kShift, 'P', 40105},
        {kShift, 'R', 999},
        {kShift, 'W', 40030},
        {plat::kAccelAlt, 'X', 40387},
    };
    // The stored map positions: F1..F10 jump, Shift+F1..F10 store.
    for (int32_t n = 0; n < 10; ++n) {
        keys.push_back({0, VK_F1 + n, static_cast<uint16_t>(40341 + n)});
        keys.push_back({kShift, VK_F1 + n, static_cast<uint16_t>(40351 + n)});
    }
    // Twelve commands on one key combination; only the first is reached.
    for (uint16_t command :
         {40035, 40100, 40088, 40076, 40099, 40085, 40084, 40152, 40032, 307, 40144, 40033}) {
        keys.push_back({kAll, VK_TAB, command});
    }
    return keys;
}

}  // namespace

const plat::AcceleratorTable& KeyTable() {
    static const plat::AcceleratorTable table(Entries());
    return table;
}
