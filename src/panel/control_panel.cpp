#include "panel/control_panel.h"

#include "state/messages.h"
#include "transport/vehicle_references.h"

HAUPTDIALOG::HAUPTDIALOG() {
    RegisterVehicleReference(&selected_vehicle);
}

HAUPTDIALOG::~HAUPTDIALOG() {
    UnregisterVehicleReference(&selected_vehicle);
}

void HAUPTDIALOG::RefreshInfoPanel() {
    plat::SendMessage(this, kMsgRefreshInfoPanel);
}

std::optional<int32_t> HAUPTDIALOG::StructureInfoBuilding() {
    if (structure_info == nullptr) return std::nullopt;
    return structure_info->shown_building;
}

void HAUPTDIALOG::RedrawStructureInfo() {
    if (structure_info != nullptr) structure_info->DrawFigures();
}

void HAUPTDIALOG::OpponentNews(int32_t slot) {
    plat::SendMessage(this, kMsgOpponentNews, static_cast<plat::WParam>(slot), 0);
}
