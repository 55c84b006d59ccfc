#pragma once
// The road and rail network as a graph: a node on every field where ways meet,
// end at a terminal or must be addressable by vehicles, and a link between two
// nodes that a way joins without passing another node. The one network object
// also holds the state of the route search, the field path of the current drag
// or plan and the way type chosen in the build menu.
//
// The class is implemented over several files, one per job (graph, file,
// route search, linking, path planning, pieces); further builders add their
// methods in files of their own.

#include <cstdint>
#include <functional>
#include <set>

#include "platform/file.h"
#include "world/route_open_list.h"

constexpr int32_t kMaxWayNodes = 8191;
constexpr int32_t kWayNodeSlots = kMaxWayNodes + 1;  // slot 0 is never used
constexpr uint8_t kNoBackDirection = 255;
constexpr int32_t kUnreachedDist = -8042;

// One node: per direction index N, E, S, W its neighbour, link cost, link flag
// and the direction index under which the neighbour holds the same link.
// Saved byte for byte (40 bytes) in the level file.
struct WayNode {
    int32_t ziel[4];
    int32_t cost[4];
    uint8_t belegt[4];
    uint8_t back[4];
};
constexpr uint32_t kWayNodeRecordSize = 40;

// Route search result per node: dist < 0 not settled (kUnreachedDist or minus
// the tentative cost), else the settled cost; prev the node before it on the
// path (0 = unreached or the start); dir the direction index taken at prev.
struct RouteRecord {
    int32_t dist;
    int32_t prev;
    int32_t dir;
};

// One field of the dragged or planned path.
struct PathCell {
    uint8_t x;
    uint8_t y;
    PathCell* next;
};

class CWayNetwork {
  public:
    CWayNetwork();
    ~CWayNetwork();
    CWayNetwork(const CWayNetwork&) = delete;
    CWayNetwork& operator=(const CWayNetwork&) = delete;

    // --- Graph -----------------------------------------------------------
    // Takes the lowest free node number for field (x, y), writes it into the
    // field's `knotennummer` and sets `knoten`. When all numbers are in use
    // the field gets no node (`knotennummer` 0) and the result is 0.
    int32_t CreateNode(int32_t x, int32_t y);
    // Joins a (direction index i) and b (direction index j) both ways, unless
    // a already leads to b under i and force linking is off.
    void LinkNodes(int32_t a, int32_t i, int32_t b, int32_t j, int32_t cost, int32_t flag);
    // Clears every link of a neighbour that points back to n, then frees n.
    // The field keeps its `knotennummer`; the caller clears it.
    void DeleteNode(int32_t n);
    // Clears link i of node n only; the far end is left to the caller.
    void ClearLink(int32_t n, int32_t i);
    // d is a direction bit (any other value is taken as an index). Sets or
    // clears the flag of that link at n and at its neighbour.
    void SetLinkFlag(int32_t n, int32_t d);
    void ClearLinkFlag(int32_t n, int32_t d);
    // Frees every node (a new map).
    void FreeAllNodes();
    // The node of a number, or null for a free or invalid number.
    WayNode* Node(int32_t n) const { return n > 0 && n < kWayNodeSlots ? nodes[n] : nullptr; }
    int32_t NodeCount() const;

    // --- Level file -------------------------------------------------------
    // Count, then per node in ascending number order its number and record.
    // A short write sets g_WriteError; writing goes on.
    void Save(plat::FileHandle file) const;
    // Replaces every node by those in the file. Returns false (and leaves the
    // network without nodes) for a damaged record: a short read, a count above
    // 8191, a number outside 1..8191 or repeated, a link target outside
    // 0..8191, a negative link cost or a back direction other than 0..3 and
    // 255.
    bool Load(plat::FileHandle file);

    // --- Field path ---------------------------------------------------------
    void PushPathCell(uint8_t x, uint8_t y);
    void FreePath();

    // --- Route search --------------------------------------------------------
    // Resets every route record, then (start > 0) runs the cheapest-path
    // search from start to exhaustion.
    void FindRoutes(int32_t start);
    // The same, never entering `excluded`, and not leaving it by a link whose
    // flag is 1.
    void FindRoutesExcluding(int32_t start, int32_t excluded);
    const RouteRecord& Route(int32_t n) const { return routes[n > 0 && n < kWayNodeSlots ? n : 0]; }
    // Open list of the search: a new entry goes in front of the first entry
    // that costs more; lowering an entry keeps its place; the first entry is
    // taken out first.
    void InsertOpenList(int32_t node, int32_t cost);
    int32_t UpdateOpenList(int32_t node, int32_t cost);
    int32_t PopOpenList();

    // --- Linking fields into the network ----------------------------------
    // Links the node of field (x, y) (made when missing) in direction bit d
    // with the node at the far end of the way.
    void LinkFromField(int32_t x, int32_t y, int32_t d);
    // Walks the track leaving (x, y) in direction bit d as linking does and
    // calls `each(x, y, passing)` for every field between (x, y) and the far
    // end; `passing` is true inside a tunnel or on a bridge, off its portals
    // and ends. The far end's node number, 0 when the walk ends without one.
    int32_t WalkTrackLink(int32_t x, int32_t y, int32_t d,
                          const std::function<void(int32_t, int32_t, bool)>& each) const;
    // The track link that runs through (x, y), a field between two nodes:
    // on the ground, or under or over it (`passing`: the tunnel's or the
    // bridge's link). Named from the node a walk along the track reaches
    // first, by the direction index under which that node holds the link
    // (`dir`). The node number; 0 on a node field or where no link runs
    // through.
    int32_t TrackLinkThrough(int32_t x, int32_t y, bool passing, int32_t& dir) const;
    // Follows the way leaving (x, y) in direction d to the node field at its
    // far end and links that field in all its way directions. 1 when done.
    int32_t RelinkField(int32_t x, int32_t y, int32_t d);
    // Follows the way leaving (x, y) in direction d to the node at its far
    // end and clears that node's link back towards (x, y).
    int32_t UnlinkFromField(int32_t x, int32_t y, int32_t d);

    // --- Automatic path planning -------------------------------------------
    // Plans a buildable field path from (x1, y1) to (x2, y2) for a road or a
    // track of the current way type. 1 with the path (from the field after the
    // start to the goal) in the path list, 0 with an empty path list.
    int32_t PlanRoadPath(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    int32_t PlanTrackPath(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    // Builds the path list back from the goal along the planner's labels,
    // never leaving the planning box. False when the labels do not lead back
    // to the start.
    bool TracePlannedPath(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t label);

    // --- Way pieces and station track ---------------------------------------
    // The piece (as `wegteil` - 1) for a road or track field from its
    // neighbours, slope, tunnel portal and bridge end. No side effects.
    // A level crossing keeps its piece.
    static uint8_t ChooseRoadPiece(int32_t x, int32_t y);
    static uint8_t ChooseTrackPiece(int32_t x, int32_t y);
    // Lays the four track fields of the station track row through (x, y),
    // charging `player` for new fields, and joins them to the network.
    void LayStationTrack(int32_t x, int32_t y, int32_t player);
    // What LayStationTrack would charge for the row through (x, y), changing
    // nothing. The fields of `laying` (field indices) without a way count as
    // carrying `wayType`: the drag's own count pays for those, so each
    // field is paid once, by whichever step lays it. `row` receives the
    // index of the row's first field (-1 when (x, y) lies on no row), so
    // that a caller counts each row once.
    static int32_t StationTrackCharge(int32_t x, int32_t y, const std::set<int32_t>& laying,
                                      uint8_t wayType, int32_t& row);

    // --- Laying ways along a dragged path ------------------------------------
    // Build-menu choice k (1..5): the way type to lay becomes k + 1.
    void SetWayType(uint8_t k);
    // Lays the path list (the fields after the drag start (x1, y1)) with the
    // road or track layers of the current way type, joins the new way to
    // the network, empties the list and plays the construction sound. A
    // path with a vehicle on one of its fields lays nothing. (x2, y2) are
    // not used: the path list ends at the drag's end.
    void LayRoadAlongPath(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    void LayTrackAlongPath(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    // Lay one straight segment from xa to xb on row y (AlongX) or from ya to
    // yb on column x (AlongY), in either direction. Roads are paid by the
    // acting player, tracks by `player`. 1 when laid, 0 when a field refused
    // it: then no way is laid, but the tested fields lose their forest, the
    // band around the segment is re-fitted and station rows on it get their
    // track.
    int32_t LayRoadAlongX(int32_t xa, int32_t xb, int32_t y);
    int32_t LayRoadAlongY(int32_t ya, int32_t yb, int32_t x);
    int32_t LayTrackAlongX(int32_t xa, int32_t xb, int32_t y, int32_t player);
    int32_t LayTrackAlongY(int32_t ya, int32_t yb, int32_t x, int32_t player);

    // --- Bridges and tunnels --------------------------------------------------
    // A straight bridge of the current way type from the drag start (x1, y1)
    // to its end (x2, y2), 2..10 fields, owned and paid by `player`. 1 when
    // built; 0 (nothing changed) when refused.
    int32_t BuildBridge(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t player);
    int32_t BuildBridgeAlongY(int32_t x, int32_t y1, int32_t x2, int32_t y2, int32_t player);
    int32_t BuildBridgeAlongX(int32_t x1, int32_t y, int32_t x2, int32_t y2, int32_t player);
    // A tunnel of the current way type from the ramp (x, y) through the hill
    // it rises into, paid by player 0. 1 when built; 0 (nothing changed)
    // when refused.
    int32_t BuildTunnel(int32_t x, int32_t y);

    // --- Removing ways --------------------------------------------------------
    // Removes the way of one field, unlinking it from the network, re-fitting
    // its neighbours and charging `player` the removal price.
    void DemolishWayField(int32_t x, int32_t y, int32_t player);
    // Removes the track under the four fields of the station track row
    // through (x, y); the station building stays.
    void DemolishStation(int32_t x, int32_t y, int32_t player);
    // Remove the whole tunnel whose portal, or the whole bridge whose end, is
    // (x, y), charged to player 0. Nothing is removed or charged when a
    // vehicle is on the run or its far end is not found. 1 when removed.
    int32_t DemolishTunnel(int32_t x, int32_t y);
    int32_t DemolishBridge(int32_t x, int32_t y);

    // Members in their order of the record.
    PathCell* path_list = nullptr;
    int32_t force_link = 0;
    WayNode* nodes[kWayNodeSlots] = {};
    RouteRecord routes[kWayNodeSlots] = {};
    uint8_t current_way_type = 2;  // way type 2..6 chosen in the build menu

  private:
    enum class PlanKind { Road, Track };
    int32_t PlanPath(PlanKind kind, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    void LayAlongPath(bool track, int32_t x1, int32_t y1);
    void LinkLaidPath();
    void SearchRoutes(int32_t start, int32_t excluded);

    RouteOpenList open_list_;
};

// The one network, created with the terrain object.
extern CWayNetwork* g_pWayNetwork;
