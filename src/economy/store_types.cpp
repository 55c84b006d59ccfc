#include "economy/store_types.h"

#include "state/data_tables.h"

namespace {

constexpr StoreKind kToys{kTypeToyStore, 8, 9, StatSeries::RevenueToys};
constexpr StoreKind kSports{kTypeSportsStore, 17, 9, StatSeries::RevenueSports};
constexpr StoreKind kFurniture{kTypeFurnitureStore, 26, 3, StatSeries::RevenueLumber};
constexpr StoreKind kJewelry{kTypeJeweler, 29, 3, StatSeries::RevenueJewelry};
constexpr StoreKind kElectronics{kTypeElectronicsOutlet, 35, 9, StatSeries::RevenueElectronics};
constexpr StoreKind kCars{kTypeCarDealership, 32, 3, StatSeries::RevenueCars};

}  // namespace

CToyStore::CToyStore(int32_t x, int32_t y, bool loading) : CStore(x, y, kToys, loading) {}
CSportsStore::CSportsStore(int32_t x, int32_t y, bool loading) : CStore(x, y, kSports, loading) {}
CFurnitureStore::CFurnitureStore(int32_t x, int32_t y, bool loading)
    : CStore(x, y, kFurniture, loading) {}
CJeweler::CJeweler(int32_t x, int32_t y, bool loading) : CStore(x, y, kJewelry, loading) {}
CElectronicsOutlet::CElectronicsOutlet(int32_t x, int32_t y, bool loading)
    : CStore(x, y, kElectronics, loading) {}
CCarDealership::CCarDealership(int32_t x, int32_t y, bool loading) : CStore(x, y, kCars, loading) {}
