#pragma once
// The six store types: each a CStore with its own family of goods.

#include <cstdint>

#include "economy/store.h"

class CToyStore : public CStore {  // type 21, goods 8..16
  public:
    CToyStore(int32_t x, int32_t y, bool loading = false);
};

class CSportsStore : public CStore {  // type 22, goods 17..25
  public:
    CSportsStore(int32_t x, int32_t y, bool loading = false);
};

class CFurnitureStore : public CStore {  // type 23, goods 26..28
  public:
    CFurnitureStore(int32_t x, int32_t y, bool loading = false);
};

class CJeweler : public CStore {  // type 24, goods 29..31
  public:
    CJeweler(int32_t x, int32_t y, bool loading = false);
};

class CElectronicsOutlet : public CStore {  // type 25, goods 35..43
  public:
    CElectronicsOutlet(int32_t x, int32_t y, bool loading = false);
};

class CCarDealership : public CStore {  // type 26, goods 32..34
  public:
    CCarDealership(int32_t x, int32_t y, bool loading = false);
};
