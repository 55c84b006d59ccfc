#pragma once
// What a train holds on the map and in the way network: the fields it has
// marked as occupied (both `belegt` bits) and the links it has reserved.
//
// A train marks a field when one of its units enters it and gives the mark up
// when none of its units stands there any more; it reserves a link before it
// drives onto it and releases the reservation once its last unit has left
// the link. Recording both lets every mark and every reservation be released
// exactly once, and only by the train that made it: a release of something
// the train does not hold changes nothing, and a link that another train
// holds is never taken.
//
// Flags that no train holds (set by the way network when it relinks a field
// under a train) are adopted by the first train that reserves the link and
// cleared by the first train that releases it, as if they were its own.
//
// Without this record, setting and clearing the marks and flags blindly would
// go wrong twice over: when TurnAround puts the engine and the wagons on the
// platform's other end, a field cleared for the unit that left it may be the
// field another unit was just put on, so a field under the train would look
// free to other trains; and when a removed train has the way network relink
// its fields, the flags of every link there go, so links other trains have
// reserved would be free to take. Held marks are cleared only when no unit
// stands on the field, and held links are set again after that relinking
// (ReassertAll).
//
// Neither set is saved: a loaded train marks its fields again (the loader has
// cleared every mark), and once every train is loaded each takes over the
// link flags that the way network's record kept and that its position and
// record imply (CTrain::TakeOverReservations).

#include <cstdint>

// A reserved link: leaving `node` by direction index `dir`; the far end is
// `far_node`, reached there by direction index `far_dir`. Either end names it.
struct TrainLink {
    int32_t node = 0;
    int32_t dir = 0;
    int32_t far_node = 0;
    int32_t far_dir = 0;
    // Its release waits until no unit of the train stands in it.
    bool release_waits = false;

    bool Names(int32_t n, int32_t i) const {
        return (node == n && dir == i) || (far_node == n && far_dir == i);
    }
};

struct TrainField {
    uint8_t x = 0;
    uint8_t y = 0;
};

class TrainHoldings {
  public:
    static constexpr int32_t kMaxFields = 16;
    static constexpr int32_t kMaxLinks = 16;

    TrainHoldings();
    ~TrainHoldings();
    TrainHoldings(const TrainHoldings&) = delete;
    TrainHoldings& operator=(const TrainHoldings&) = delete;

    // --- Field marks --------------------------------------------------------
    bool HoldsField(int32_t x, int32_t y) const;
    // Sets both `belegt` bits of (x, y) and records the field. Nothing off
    // the map.
    void MarkField(int32_t x, int32_t y);
    // Clears the mark of (x, y) when the train holds it.
    void ReleaseField(int32_t x, int32_t y);
    // Gives up every held field for which `stays(x, y)` is false.
    template <typename Stays>
    void ReleaseFieldsExcept(Stays stays) {
        for (int32_t i = field_count_ - 1; i >= 0; --i) {
            if (!stays(fields_[i].x, fields_[i].y)) ReleaseField(fields_[i].x, fields_[i].y);
        }
    }
    void ReleaseAllFields();
    int32_t FieldCount() const { return field_count_; }
    const TrainField& FieldAtIndex(int32_t i) const { return fields_[i]; }

    // --- Link reservations ---------------------------------------------------
    // True when the train holds the link leaving `node` by direction index
    // `dir` (as the network links it now).
    bool HoldsLink(int32_t node, int32_t dir) const;
    // True when any train holds that link.
    static bool AnyoneHoldsLink(int32_t node, int32_t dir);
    // Reserves the link. True when the train holds it afterwards; false when
    // the node has no link that way or another train holds it.
    bool ReserveLink(int32_t node, int32_t dir);
    // Releases the link when the train holds it, or when its flag is set and
    // no train holds it. Direction indexes outside 0..3 and node 0 do nothing.
    void ReleaseLink(int32_t node, int32_t dir);
    void ReleaseAllLinks();
    // A held link whose release must wait until no unit of the train stands
    // in it; reserving it again cancels the wait.
    void ReleaseWhenLeft(int32_t node, int32_t dir);
    bool AnyReleaseWaiting() const;
    // Releases the waiting links for which `standsIn(link)` is false.
    template <typename StandsIn>
    void ReleaseLeftLinks(StandsIn standsIn) {
        for (int32_t i = link_count_ - 1; i >= 0; --i) {
            const TrainLink link = links_[i];
            if (link.release_waits && !standsIn(link)) ReleaseLink(link.node, link.dir);
        }
    }
    int32_t LinkCount() const { return link_count_; }
    const TrainLink& LinkAtIndex(int32_t i) const { return links_[i]; }

    // Sets the flags of every link any train holds again (after the network
    // rebuilt links and so dropped their flags), and forgets held links that
    // no longer exist.
    static void ReassertAll();

  private:
    int32_t FindLink(int32_t node, int32_t dir) const;
    void ForgetLink(int32_t index);
    // Drops held links whose nodes no longer join as recorded.
    void ForgetVanishedLinks();

    TrainField fields_[kMaxFields];
    int32_t field_count_ = 0;
    TrainLink links_[kMaxLinks];
    int32_t link_count_ = 0;

    // Every live holdings object, for the question whether another train
    // holds a link.
    TrainHoldings* next_ = nullptr;
    TrainHoldings* prev_ = nullptr;
};
