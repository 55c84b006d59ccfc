#pragma once
// The building table as the main loop uses it. The buildings subsystem owns
// this class and completes it (the operation is declared abstract only until
// it exists); until then g_ppBuildings stays null and the call is skipped.

class CBuildingTable {
  public:
    virtual ~CBuildingTable() = default;
    // The monthly update of every raw-material site (building types 10..13).
    virtual void UpdateRawMaterialSites() = 0;
};

inline CBuildingTable* g_ppBuildings = nullptr;
