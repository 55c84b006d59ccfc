#include "economy/factory_types.h"

#include "state/data_tables.h"

namespace {

constexpr FactoryKind kMotor{kTypeMotorIndustry, 32, 34, 8};
constexpr FactoryKind kWood{kTypeWoodIndustry, 26, 28, 4};
constexpr FactoryKind kElectronics{kTypeElectronicsIndustry, 35, 43, 13};
constexpr FactoryKind kSports{kTypeSportsIndustry, 17, 25, 13};
constexpr FactoryKind kToys{kTypeToyIndustry, 8, 16, 15};
constexpr FactoryKind kJewelry{kTypeJewelryIndustry, 29, 31, 6};

}  // namespace

CMotorIndustry::CMotorIndustry(int32_t x, int32_t y) : CFactory(x, y, kMotor) {}
CWoodIndustry::CWoodIndustry(int32_t x, int32_t y) : CFactory(x, y, kWood) {}
CElectronicsIndustry::CElectronicsIndustry(int32_t x, int32_t y) : CFactory(x, y, kElectronics) {}
CSportsIndustry::CSportsIndustry(int32_t x, int32_t y) : CFactory(x, y, kSports) {}
CToyIndustry::CToyIndustry(int32_t x, int32_t y) : CFactory(x, y, kToys) {}
CJewelryIndustry::CJewelryIndustry(int32_t x, int32_t y) : CFactory(x, y, kJewelry) {}
