#pragma once
// CBuilding: everything the player or the map places on fields that has
// behaviour of its own: truck depots, train stations, raw-material sites,
// factories, the warehouse, stores and city attractions (types 27..31, which
// are plain CBuilding objects). The building table (building_table.h) owns
// them; a building's number is its table slot, kept in the `geb_num` bits of
// every field it covers.
//
// The virtual operations below carry the base behaviour; each subclass
// overrides what it does. Amounts of goods are whole units unless an
// operation says that it works in portions (n / d units).

#include <cstdint>

class RecordWriter;
class RecordReader;

// Owners.
constexpr uint8_t kOwnerNobody = 255;      // raw-material sites
constexpr uint8_t kOwnerAttraction = 254;  // city attractions

class CBuilding {
  public:
    CBuilding() = default;
    CBuilding(int32_t x, int32_t y) : anchor_x(x), anchor_y(y) {}
    virtual ~CBuilding() = default;
    CBuilding(const CBuilding&) = delete;
    CBuilding& operator=(const CBuilding&) = delete;

    // The building's own record in the level file (after the table's header).
    // Load reads from a buffer holding exactly the record's bytes; the
    // classes that read an owner take it from their anchor field.
    virtual void Load(RecordReader& in);
    virtual void Save(RecordWriter& out) const;

    // Goods slot of a product, and a free slot; -1 when there is none.
    virtual int32_t FindGoodsSlot(int32_t product);
    virtual int32_t FindFreeGoodsSlot();
    virtual void NoOperation() {}
    // Terminals: production of the factories around them. Raw-material sites:
    // the monthly refill. Factories: production. Stores: the monthly sales.
    virtual void Update() {}
    // Stores: recounts the customers and the demand; returns the customers.
    virtual int32_t RecalcCustomers() { return 0; }

    // Hands goods to a buyer. Terminals: `amount` whole units from the
    // buildings around them, the denominator unused; the result is the whole
    // units handed out. Other buildings: `amount` portions of 1 / denominator
    // unit (a raw-material site charges the buyer for each portion); the
    // result is `amount`, or 0 when refused (nothing changes).
    virtual int32_t TakeGoods(int32_t product, int32_t amount, int32_t denominator, int32_t buyer);
    // Takes in goods. Terminals: shares `amount` units out over the buildings
    // around them and return `amount`. Other buildings: takes in the
    // sharers-th part of `amount` units.
    virtual int32_t PutGoods(int32_t product, int32_t amount, int32_t sharers);
    // Above 0 when the building takes the product in.
    virtual int32_t AcceptsProduct(int32_t product);

    // Vehicle occupancy of a terminal field.
    virtual int32_t IsTileOccupied(int32_t x, int32_t y) const;
    virtual void OccupyTile(int32_t x, int32_t y);
    virtual void ReleaseTile(int32_t x, int32_t y);

    // Adds (sign +1) or removes (sign -1) the building's effect on the zone
    // grid of city slot `city` (0..62). The base class holds the effect of the
    // city attractions.
    virtual void ApplyAttraction(int32_t city, int32_t sign);
    // Terminals: rebuild the list of buildings around them. Stores: add their
    // coverage to the shared city grid (see store.h).
    virtual void Refresh() {}
    // Train stations: platform rows 1..4; truck depots 1; others 0.
    virtual int32_t GetLength() const { return 0; }
    // Train stations: one platform row more; returns the price charged.
    virtual int32_t Extend() { return 0; }
    // Terminals: their name; null for the others.
    virtual const char* GetName() { return nullptr; }
    virtual void SetName(const char* name);

    virtual void SetProduct(int32_t product);
    virtual int32_t GetProduct() { return -1; }
    // Whole units of a product in stock; writes the exact amount into
    // numerator and denominator. Without a slot of the product the result is
    // 0 and both outputs stay as the caller set them.
    virtual int32_t GetStock(int32_t product, int32_t& numerator, int32_t& denominator);
    virtual int32_t GetUnitsSoldThisMonth(int32_t product);
    virtual int32_t GetProductProfitTotal(int32_t product);
    virtual int32_t GetPeriodFigure() { return 0; }
    virtual int32_t GetPeriodFigure2() { return 0; }
    // Monthly tables: month 0..11, 11 = the current month.
    virtual int32_t GetMonthlyDeliveries(int32_t month, int32_t product);
    virtual int32_t GetMonthlyProfit(int32_t month, int32_t product);
    virtual int32_t GetCapacity(int32_t which);
    // Fix-up after a game was read (after the calendar).
    virtual void AfterLoad() {}
    virtual int32_t GetProductCost(int32_t product);
    virtual void SetPriceSteps(int32_t product, int32_t step);
    virtual int32_t GetAdvertising() { return 0; }
    virtual void SetAdvertising(int32_t level);
    virtual int32_t GetSiteFlag() { return 1; }
    virtual void SetSiteFlag(int32_t flag);
    virtual int32_t GetMonthlyDemand(int32_t month, int32_t product);
    // Whole units delivered last month (which 0) or this month (which 1).
    virtual int32_t GetDeliveredUnits(int32_t which, int32_t product);
    // Demolition query of the demolition tool for field (x, y): the price, or
    // -1 when the building cannot be demolished. Marks the fields to go.
    virtual int32_t GetDemolitionCost(int32_t x, int32_t y);
    virtual void EndDemolitionQuery() {}

    // The owner from the player bits (`spieler`) of the anchor field; the
    // player's buildings take it so when they read their record.
    void SetOwnerFromAnchor();

    // North-west field of the footprint; for a train station the first field
    // of its head line.
    int32_t anchor_x = 0;
    int32_t anchor_y = 0;
    // Set while a terminal lists its neighbours or a city collects its
    // stores, so that a building on several scanned fields is taken once.
    int32_t scan_mark = 0;
    int32_t type = 0;              // building type 0..31
    uint8_t owner = kOwnerNobody;  // player 0..3, kOwnerNobody, kOwnerAttraction
};

// The player number in a building's owner byte, or -1 for nobody and the
// attractions.
inline int32_t OwnerPlayer(const CBuilding& b) {
    return b.owner < 4 ? b.owner : -1;
}
