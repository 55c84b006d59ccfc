#include "economy/building_factory.h"

#include "economy/building_kinds.h"
#include "economy/chemical_plant.h"
#include "economy/factory_types.h"
#include "economy/lumber_mill.h"
#include "economy/mine.h"
#include "economy/steel_mill.h"
#include "economy/store_types.h"
#include "economy/train_station.h"
#include "economy/truck_depot.h"
#include "economy/warehouse.h"

namespace {

CBuilding* NewOfType(int32_t type, int32_t x, int32_t y, bool loading, int32_t mine_product) {
    if (IsTruckDepotType(type)) return new CTruckDepot(x, y, !loading);
    if (IsStationType(type)) return new CTrainStation(x, y, !loading);
    if (IsAttractionType(type)) return new CBuilding(x, y);
    switch (type) {
        case kTypeMine:
            return loading ? CMine::ForLoading(x, y) : new CMine(x, y, mine_product);
        case kTypeLumberMill:
            return new CLumberMill(x, y, loading);
        case kTypeChemicalPlant:
            return new CChemicalPlant(x, y, loading);
        case kTypeSteelMill:
            return new CSteelMill(x, y, loading);
        case kTypeMotorIndustry:
            return new CMotorIndustry(x, y);
        case kTypeWoodIndustry:
            return new CWoodIndustry(x, y);
        case kTypeElectronicsIndustry:
            return new CElectronicsIndustry(x, y);
        case kTypeSportsIndustry:
            return new CSportsIndustry(x, y);
        case kTypeToyIndustry:
            return new CToyIndustry(x, y);
        case kTypeJewelryIndustry:
            return new CJewelryIndustry(x, y);
        case kTypeDepot:
            return new CDepot(x, y);
        case kTypeToyStore:
            return new CToyStore(x, y, loading);
        case kTypeSportsStore:
            return new CSportsStore(x, y, loading);
        case kTypeFurnitureStore:
            return new CFurnitureStore(x, y, loading);
        case kTypeJeweler:
            return new CJeweler(x, y, loading);
        case kTypeElectronicsOutlet:
            return new CElectronicsOutlet(x, y, loading);
        case kTypeCarDealership:
            return new CCarDealership(x, y, loading);
        default:
            return nullptr;
    }
}

constexpr int32_t FactoryRecord(int32_t slots) {
    return slots * static_cast<int32_t>(kGoodsSlotRecordSize) + 4;
}
constexpr int32_t StoreRecord(int32_t products) {
    // Per product: 4 + 4 + 3 x 48 + 12 + 1 + 16 bytes; then 17 bytes.
    return products * (4 + 4 + 3 * 48 + 12 + 1 + 16) + 17;
}

}  // namespace

CBuilding* CreateBuilding(int32_t type, int32_t x, int32_t y, bool loading, int32_t mine_product) {
    if (!HasBuildingClass(type)) return nullptr;
    CBuilding* building = NewOfType(type, x, y, loading, mine_product);
    if (building != nullptr) building->type = type;
    return building;
}

int32_t RecordSizeOfType(int32_t type) {
    if (!HasBuildingClass(type)) return -1;
    if (IsTruckDepotType(type)) return 35;
    if (IsStationType(type)) return 39;
    switch (type) {
        case kTypeMine:
            return 28;
        case kTypeLumberMill:
            return 523;
        case kTypeChemicalPlant:
            return 24;
        case kTypeSteelMill:
            return 64;
        case kTypeMotorIndustry:
            return FactoryRecord(8);
        case kTypeWoodIndustry:
            return FactoryRecord(4);
        case kTypeElectronicsIndustry:
        case kTypeSportsIndustry:
            return FactoryRecord(13);
        case kTypeToyIndustry:
            return FactoryRecord(15);
        case kTypeJewelryIndustry:
            return FactoryRecord(6);
        case kTypeDepot:
            return 180;
        case kTypeToyStore:
        case kTypeSportsStore:
        case kTypeElectronicsOutlet:
            return StoreRecord(9);
        case kTypeFurnitureStore:
        case kTypeJeweler:
        case kTypeCarDealership:
            return StoreRecord(3);
        default:
            return 0;  // attractions keep the base record: nothing
    }
}
