#pragma once
// Screens that show running figures of buildings: the factory overview is
// told when goods changed hands at a terminal, and the control panel's
// information panel and structure window redraw the building they show.

#include <cstdint>
#include <initializer_list>

class CBuilding;

// Sends the main frame the refresh message of the factory overview.
void NotifyGoodsMoved();
// When the information tool is active, the panel's selected object type is
// one of `object_types` and the panel shows `building`: the panel redraws its
// information.
void RefreshInfoPanelFor(const CBuilding& building, std::initializer_list<int32_t> object_types);
// When the structure information window shows `building`: it redraws its
// figures.
void RefreshStructureInfoFor(const CBuilding& building);
