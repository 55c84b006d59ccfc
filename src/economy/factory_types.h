#pragma once
// The six industries: each a CFactory of its own building type, with that
// type's slot count and floor (from the building-type table). The products
// an industry makes are the goods table's, which names each product's
// producer kind; the numbers beside each class are the ones it has there.

#include <cstdint>

#include "economy/factory.h"

class CMotorIndustry : public CFactory {  // type 14, products 32..34
  public:
    CMotorIndustry(int32_t x, int32_t y);
};

class CWoodIndustry : public CFactory {  // type 15, products 26..28
  public:
    CWoodIndustry(int32_t x, int32_t y);
};

class CElectronicsIndustry : public CFactory {  // type 16, products 35..43
  public:
    CElectronicsIndustry(int32_t x, int32_t y);
};

class CSportsIndustry : public CFactory {  // type 17, products 17..25
  public:
    CSportsIndustry(int32_t x, int32_t y);
};

class CToyIndustry : public CFactory {  // type 18, products 8..16
  public:
    CToyIndustry(int32_t x, int32_t y);
};

class CJewelryIndustry : public CFactory {  // type 19, products 29..31
  public:
    CJewelryIndustry(int32_t x, int32_t y);
};
