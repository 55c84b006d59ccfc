#include "state/progress_events.h"

namespace {

ProgressEvents g_NoProgress;
ProgressEvents* g_Progress = &g_NoProgress;

bool ValidStage(int32_t stage) {
    return stage >= 0 && stage < kGenStages;
}

}  // namespace

ProgressEvents& Progress() {
    return *g_Progress;
}

void SetProgressEvents(ProgressEvents* events) {
    g_Progress = events != nullptr ? events : &g_NoProgress;
}

void GenerationProgress::Reset() {
    stage = 0;
    current = 0;
    total = 1;
    for (int32_t& done : stage_done) done = 0;
}

void GenerationProgress::Stage(int32_t new_stage, int32_t new_total) {
    stage = new_stage;
    current = 0;
    total = new_total > 0 ? new_total : 1;
    Shown();
}

void GenerationProgress::Step() {
    ++current;
    Shown();
}

void GenerationProgress::StageDone(int32_t done) {
    if (!ValidStage(done)) return;
    stage_done[done] = 1;
    Shown();
}

void GenerationProgress::Phase(int32_t phase) {
    if (!ValidStage(phase)) return;
    stage = phase;
    for (int32_t s = 0; s < phase; ++s) stage_done[s] = 1;
    stage_done[phase] = 0;
    Shown();
}

void GenerationProgress::StageCleared(int32_t cleared) {
    if (ValidStage(cleared)) stage_done[cleared] = 0;
}
