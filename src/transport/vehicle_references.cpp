#include "transport/vehicle_references.h"

#include <algorithm>
#include <vector>

#include "game/opponent_roster.h"
#include "transport/vehicle.h"

namespace {

std::vector<CVehicle**>& References() {
    static std::vector<CVehicle**> references;
    return references;
}

}  // namespace

void RegisterVehicleReference(CVehicle** slot) {
    std::vector<CVehicle**>& refs = References();
    if (slot != nullptr && std::find(refs.begin(), refs.end(), slot) == refs.end()) {
        refs.push_back(slot);
    }
}

void UnregisterVehicleReference(CVehicle** slot) {
    std::vector<CVehicle**>& refs = References();
    refs.erase(std::remove(refs.begin(), refs.end(), slot), refs.end());
}

void ForgetVehicle(const CVehicle* vehicle) {
    if (vehicle == nullptr) return;
    if (g_pVehicleAtTerminal == vehicle) g_pVehicleAtTerminal = nullptr;
    for (CVehicle** slot : References()) {
        if (*slot == vehicle) *slot = nullptr;
    }
    ForgetVehicleInOpponents(vehicle);
}
