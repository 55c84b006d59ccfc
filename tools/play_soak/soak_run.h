#pragma once
// One run of the random-play soak: the whole program on the headless back
// end in a child process, played from a seeded generator, checked after
// every action. The parent watches the report in shared memory.

#include <atomic>
#include <cstdint>
#include <string>

namespace soak {

inline constexpr int32_t kMaxScreens = 200;
inline constexpr int32_t kNameBytes = 48;

// Written by the run, read by the parent (shared memory).
struct RunReport {
    std::atomic<uint64_t> heartbeat{0};  // raised on every frame
    std::atomic<int32_t> stop{0};        // set by the parent: end the run now
    int32_t actions = 0;
    char action[240] = {};   // what the last action was
    char finding[900] = {};  // empty: none
    int32_t known = 0;       // the finding is one of the faults already known
    char end[48] = {};       // how the run ended
    int32_t screen_count = 0;
    char screens[kMaxScreens][kNameBytes] = {};
};

// How a run starts.
enum class Start { Title, BusyGame, BusyMission };

struct RunSetup {
    uint64_t seed = 0;
    int32_t run = 0;
    int32_t width = 1024, height = 768;
    Start start = Start::Title;
    bool known = false;    // do not provoke the faults already known
    bool verbose = false;  // print every action
    int32_t max_actions = 600;
    std::string work;  // the data folder the program runs in
};

// The body of a run's child process; the answer is its exit status.
int PlayRun(const RunSetup& setup, RunReport& report);

// Writes the busy game as `name` in the saved-games folder of `work`, in
// `mode` (the game's mode number). True when written.
bool WriteBusySave(const std::string& work, const std::string& name, int32_t mode);

}  // namespace soak
