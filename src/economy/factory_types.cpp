#include "economy/factory_types.h"

#include "state/data_tables.h"

namespace {

constexpr FactoryKind kMotor{kTypeMotorIndustry, 8};
constexpr FactoryKind kWood{kTypeWoodIndustry, 4};
constexpr FactoryKind kElectronics{kTypeElectronicsIndustry, 13};
constexpr FactoryKind kSports{kTypeSportsIndustry, 13};
constexpr FactoryKind kToys{kTypeToyIndustry, 15};
constexpr FactoryKind kJewelry{kTypeJewelryIndustry, 6};

}  // namespace

CMotorIndustry::CMotorIndustry(int32_t x, int32_t y) : CFactory(x, y, kMotor) {}
CWoodIndustry::CWoodIndustry(int32_t x, int32_t y) : CFactory(x, y, kWood) {}
CElectronicsIndustry::CElectronicsIndustry(int32_t x, int32_t y) : CFactory(x, y, kElectronics) {}
CSportsIndustry::CSportsIndustry(int32_t x, int32_t y) : CFactory(x, y, kSports) {}
CToyIndustry::CToyIndustry(int32_t x, int32_t y) : CFactory(x, y, kToys) {}
CJewelryIndustry::CJewelryIndustry(int32_t x, int32_t y) : CFactory(x, y, kJewelry) {}
