// The city-names reader: an input is the names file of a list; every name
// read is a string that ends within its field.

#include <cstdint>
#include <cstring>
#include <string>

#include "cities/city_manager.h"
#include "fuzz_game.h"
#include "state/game_state.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const int32_t list = static_cast<int32_t>(size % 5);
    g_pGameState->names_list_number = list;
    fvfuzz::WriteInput("Names" + std::to_string(list + 1) + ".txt", data, size);
    CCityManager& cities = *g_pCityManager;
    std::memset(cities.names, 0x5A, sizeof cities.names);
    cities.LoadNames();
    for (const auto& name : cities.names) {
        fvfuzz::Require(std::memchr(name, 0, sizeof name) != nullptr, "names end in their field");
    }
    return 0;
}
