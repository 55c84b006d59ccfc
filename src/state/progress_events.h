#pragma once
// What the world generator reports while it runs, for the screen that shows
// its progress: four stages (0 land, 1 cities, 2 woods, 3 industries), each a
// count of steps towards a total, and a lamp per stage that is lit when the
// stage is done. The generator calls Progress(); a do-nothing implementation
// answers while no progress screen is open, and the screen installs itself
// while it is.
//
//   Progress().Stage(1, city_count);    // caption of stage 1, bar at 0
//   for (...) { ...; Progress().Step(); }
//   Progress().StageDone(1);            // lamp 1 lit

#include <cstdint>

inline constexpr int32_t kGenStages = 4;

class ProgressEvents {
  public:
    virtual ~ProgressEvents() = default;
    // A run begins: stage 0, the bar at 0 of 1, every lamp out. Shown with
    // the next report.
    virtual void Reset() {}
    // A stage begins with `total` steps (at least 1): its caption, the bar at 0.
    virtual void Stage(int32_t /*stage*/, int32_t /*total*/) {}
    virtual void Step() {}
    // The lamp of the stage lit.
    virtual void StageDone(int32_t /*stage*/) {}
    // One stage runs on its own: its caption, the lamps of the stages
    // before it lit, its own out.
    virtual void Phase(int32_t /*stage*/) {}
    // A stage will be made anew: its lamp out. Shown with the next report.
    virtual void StageCleared(int32_t /*stage*/) {}
};

// The progress as numbers: the reports applied to a stage, a bar and the
// lamps. Shown() runs after each report that shows at once.
class GenerationProgress : public ProgressEvents {
  public:
    void Reset() override;
    void Stage(int32_t stage, int32_t total) override;
    void Step() override;
    void StageDone(int32_t stage) override;
    void Phase(int32_t stage) override;
    void StageCleared(int32_t stage) override;

    int32_t stage = 0;
    int32_t current = 0;  // steps of the running stage
    int32_t total = 0;
    int32_t stage_done[kGenStages] = {};  // lamp lit when above 0

  protected:
    virtual void Shown() {}
};

// The installed receiver (the do-nothing one when none is).
ProgressEvents& Progress();
// Installs `events`; null puts the do-nothing one back.
void SetProgressEvents(ProgressEvents* events);
