#pragma once
// The construction of an opponent's chain as a list of steps (step_lists[0]
// for building, step_lists[1] for repairs), worked off in turns within the
// turn's limits; a step that must wait for money stays at the front, one
// refused twice or waiting for a year abandons the chain (what stands stays
// for the next chain that fits it).

#include <cstdint>
#include <vector>

#include "game/opponent_build.h"
#include "game/opponent_chain.h"
#include "game/opponent_style.h"
#include "game/opponent_survey.h"

class COpponent;

class OpponentSteps {
  public:
    OpponentSteps(COpponent& opponent, const OpponentStyle& style, TurnBudget& budget)
        : o_(opponent), style_(style), budget_(budget) {}

    // A new chain from the survey's choice, with its build steps.
    void StartChain(const ChainChoice& choice);
    // Works off the build and repair steps within the turn's limits.
    void Run();
    // True while a chain is being built.
    bool Building() const;
    // Repair steps for a chain that delivered nothing: every road leg the
    // route search no longer finds is laid again, missing trucks bought.
    void PlanRepair(PlanNode& node);
    // Gives the chain up: its vehicles are scrapped, its steps dropped, the
    // combination set aside; its buildings stay for a later chain to use.
    void GiveUp(PlanNode& node);

    enum class Outcome { Done, Wait, Refused, OutOfTurn };

  private:
    // Runs the steps of one list; false when the turn's limits stopped it.
    void RunList(StepList& steps, bool repairs);
    Outcome Execute(BuildStep& step, Chain& chain, PlanNode& node);
    // Places the depot of the step's terminal beside the served building.
    Outcome PlaceDepot(const BuildStep& step, int32_t served, Chain& chain);
    // The depot at the other end of the road leg of a terminal's depot,
    // -1 none.
    int32_t PartnerDepot(const Chain& chain, int32_t terminal) const;
    // No room beside the building: an own depot there takes the terminal.
    Outcome AdoptDepot(int32_t served, int32_t terminal, Chain& chain);
    // A refused road: its far depot is placed again elsewhere (once); false
    // when there is no depot to move.
    bool PlaceAgain(BuildStep& road, Chain& chain, PlanNode& node, StepList& steps);
    // Places a depot or station of the chain on the site (one action) and
    // records it as the chain's terminal.
    Outcome PlaceTerminal(const Placement& placement, int32_t terminal, Chain& chain);
    Outcome LayRoad(int32_t from, int32_t to, const Chain& chain);
    // A station beside the served building whose track line leaves towards
    // the other end of the rail leg.
    Outcome PlaceStation(int32_t terminal, int32_t served, Chain& chain);
    // Track between the nearest ends of the two stations' first rows.
    Outcome LayTrack(int32_t from, int32_t to, const Chain& chain);
    // The chain takes over the opponent's idle store and factory the survey
    // chose, with the depots and stations a given-up chain left beside them.
    void UseAgain(const ChainChoice& choice, Chain& chain);
    // The cash the chain's steps keep back.
    int64_t ReserveOf(const Chain& chain) const;
    PlanNode* BuildingChain();
    PlanNode* ChainNode(int32_t id);
    void SendNews(PlanNode& node);

    COpponent& o_;
    const OpponentStyle& style_;
    TurnBudget& budget_;
};

// The field in front of a truck depot (where its road leaves), false when
// the number is no truck depot.
bool DepotFront(int32_t depot, int32_t& x, int32_t& y);
// Whether the way network joins the two terminals, depots or stations (one
// route search).
bool DepotsJoined(int32_t from, int32_t to);
// The depot sites around a floor (corners x0, y0 and x1, y1) whose front a
// road may come to, read off the map (no construction check), the front
// nearest (tx, ty) first.
std::vector<Placement> DepotSitesAround(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t tx,
                                        int32_t ty);
