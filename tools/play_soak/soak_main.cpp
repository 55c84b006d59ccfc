// The random-play soak: plays the whole program at random, run after run,
// for a given time, and reports every sanitizer report, hang, broken cash
// ledger, hidden modal, second world view, save that does not load back the
// same, screen with no way back and breach of the rule that keeps trains apart
// that it meets.
//
//   fv-play-soak --data FOLDER [--minutes N] [--seed S] [--screen WxH]
//                [--run R] [--known] [--actions N]
//
// Each run is a child process that starts the program on the headless back
// end in a copy of the data folder, from the title or (a share of the runs)
// from a busy game left last, and plays up to N actions from the generator
// seeded with the seed and the run number. --run R plays run R alone and
// prints its actions: a finding of "seed S run R" comes back with
// --seed S --screen WxH --run R. --known keeps out the faults already known
// (Escape into an edit field) and lists their findings without failing.
// Prints a table of the runs, the actions, the screens reached and the
// findings; the exit status is 1 when there was a finding, 2 on bad options.

#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <new>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "soak_run.h"
#include "state/game_state.h"

namespace fs = std::filesystem;

namespace {

struct Options {
    double minutes = 1.0;
    uint64_t seed = 1;
    int32_t width = 1024, height = 768;
    int32_t only_run = -1;
    bool known = false;
    int32_t max_actions = 600;
    std::string data;
};

// A frame not reached for this long is a hang.
constexpr auto kHangLimit = std::chrono::seconds(90);

int Usage(const char* problem) {
    std::fprintf(stderr,
                 "fv-play-soak: %s\nusage: fv-play-soak --data FOLDER [--minutes N] [--seed S] "
                 "[--screen 640x480|800x600|1024x768] [--run R] [--known] [--actions N]\n",
                 problem);
    return 2;
}

bool ParseOptions(int argc, char** argv, Options& o, std::string& problem) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool has_value = i + 1 < argc;
        if (arg == "--known") {
            o.known = true;
            continue;
        }
        if (!has_value) {
            problem = "missing value of " + arg;
            return false;
        }
        const std::string value = argv[++i];
        if (arg == "--minutes") {
            o.minutes = std::atof(value.c_str());
        } else if (arg == "--seed") {
            o.seed = std::strtoull(value.c_str(), nullptr, 10);
        } else if (arg == "--run") {
            o.only_run = std::atoi(value.c_str());
        } else if (arg == "--actions") {
            o.max_actions = std::atoi(value.c_str());
        } else if (arg == "--data") {
            o.data = value;
        } else if (arg == "--screen") {
            if (value == "640x480") {
                o.width = 640, o.height = 480;
            } else if (value == "800x600") {
                o.width = 800, o.height = 600;
            } else if (value == "1024x768") {
                o.width = 1024, o.height = 768;
            } else {
                problem = "the screen is 640x480, 800x600 or 1024x768";
                return false;
            }
        } else {
            problem = "unknown option " + arg;
            return false;
        }
    }
    if (o.data.empty()) {
        problem = "--data names the stand-in data folder";
        return false;
    }
    if (!fs::exists(fs::path(o.data) / ".complete")) {
        problem = "no complete data folder in " + o.data;
        return false;
    }
    if (o.minutes <= 0 || o.max_actions <= 0) {
        problem = "--minutes and --actions must be positive";
        return false;
    }
    return true;
}

uint64_t Mix(uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

// The data folder's files linked into the work folder; the saved games and
// the settings file are the work folder's own.
bool MakeWork(const Options& o, std::string& work) {
    const fs::path base = fs::temp_directory_path();
    std::string pattern = (base / "fv-play-soak-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) return false;
    work = pattern;
    const fs::path data = fs::absolute(o.data);
    for (const fs::directory_entry& e : fs::directory_iterator(data)) {
        const std::string name = e.path().filename().string();
        if (name == "save" || name == "ferrovane.ini") continue;
        std::error_code ec;
        fs::create_symlink(e.path(), fs::path(work) / name, ec);
        if (ec) return false;
    }
    return true;
}

void WriteText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// The saved games every run finds: the busy game and the busy mission in
// two slots; the busy game (or mission) left last for a run that starts
// from it.
void PrepareSaves(const std::string& work, soak::Start start) {
    const fs::path save = fs::path(work) / "save";
    std::error_code ec;
    fs::remove_all(save, ec);
    fs::remove(fs::path(work) / "ferrovane.ini", ec);
    fs::create_directories(save);
    fs::copy_file(fs::path(work) / "busy_game.lvl", save / "2.lvl", ec);
    WriteText(save / "2.dir", "Busy game");
    fs::copy_file(fs::path(work) / "busy_mission.lvl", save / "5.lvl", ec);
    WriteText(save / "5.dir", "Busy mission");
    if (start == soak::Start::BusyGame)
        fs::copy_file(fs::path(work) / "busy_game.lvl", save / "lastsave.lvl", ec);
    if (start == soak::Start::BusyMission)
        fs::copy_file(fs::path(work) / "busy_mission.lvl", save / "lastsave.lvl", ec);
}

bool MakeBusySave(const std::string& work, const std::string& name, int32_t mode) {
    const fs::path log = fs::path(work) / ("busy-" + name + ".log");
    const pid_t pid = fork();
    if (pid == 0) {
        const int fd = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd >= 0) dup2(fd, 2), dup2(fd, 1);
        const bool ok = soak::WriteBusySave(work, name, mode);
        _exit(ok ? 0 : 1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    std::error_code ec;
    fs::rename(fs::path(work) / "save" / name, fs::path(work) / name, ec);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0 && !ec) return true;
    std::fprintf(stderr, "fv-play-soak: the busy game %s could not be written (see %s)\n",
                 name.c_str(), log.c_str());
    return false;
}

// Whether a sanitizer's report is one of the faults known already: the
// endless hand-back of Escape between an edit field and its screen, and
// find's division when no zoom was asked for.
bool KnownReport(const fs::path& log) {
    std::ifstream in(log);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (text.find("stack-overflow") != std::string::npos &&
        text.find("EditControl::OnChar") != std::string::npos)
        return true;
    return text.find("division by zero") != std::string::npos &&
           (text.find("Find") != std::string::npos || text.find("find") != std::string::npos);
}

// The sanitizer's report in a run's log (its first lines), or its tail.
std::string ReportOf(const fs::path& log) {
    std::ifstream in(log);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    size_t from = lines.size() > 30 ? lines.size() - 30 : 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].find("ERROR: AddressSanitizer") != std::string::npos ||
            lines[i].find("ERROR: LeakSanitizer") != std::string::npos ||
            lines[i].find("runtime error:") != std::string::npos ||
            lines[i].find("AddressSanitizer:DEADLYSIGNAL") != std::string::npos) {
            from = i;
            break;
        }
    }
    std::string out;
    for (size_t i = from, n = 0; i < lines.size() && n < 24; ++i) {
        if (lines[i].find("/usr/include/") != std::string::npos) continue;
        out += "      " + lines[i] + "\n";
        ++n;
    }
    return out;
}

struct RunResult {
    int32_t run = 0;
    const char* start = "";
    int32_t actions = 0;
    int32_t screens = 0;
    std::string end;
    std::string finding;  // empty: none
    bool known = false;
};

const char* StartName(soak::Start s) {
    return s == soak::Start::Title      ? "title"
           : s == soak::Start::BusyGame ? "busy game"
                                        : "busy mission";
}

RunResult RunOne(const Options& o, const std::string& work, int32_t run,
                 std::chrono::steady_clock::time_point deadline, std::set<std::string>& screens) {
    soak::RunSetup setup;
    setup.seed = Mix(o.seed * 1000003ull + static_cast<uint64_t>(run));
    setup.run = run;
    setup.width = o.width;
    setup.height = o.height;
    const uint64_t kind = Mix(setup.seed) % 10;
    setup.start = kind < 6   ? soak::Start::Title
                  : kind < 9 ? soak::Start::BusyGame
                             : soak::Start::BusyMission;
    setup.known = o.known;
    setup.verbose = o.only_run >= 0;
    setup.max_actions = 100 + static_cast<int32_t>(Mix(setup.seed + 1) % uint64_t(o.max_actions));
    setup.work = work;
    PrepareSaves(work, setup.start);

    void* memory = mmap(nullptr, sizeof(soak::RunReport), PROT_READ | PROT_WRITE,
                        MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) {
        RunResult failed;
        failed.run = run;
        failed.end = "no shared memory";
        failed.finding = "the run could not be started (no shared memory)";
        return failed;
    }
    auto* report = new (memory) soak::RunReport;
    const fs::path log = fs::path(work) / ("run-" + std::to_string(run) + ".log");
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        const int fd = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd >= 0) {
            dup2(fd, 2);
            if (!setup.verbose) dup2(fd, 1);
        }
        const int status = soak::PlayRun(setup, *report);
        std::fflush(nullptr);
        std::exit(status);
    }
    RunResult r;
    r.run = run;
    r.start = StartName(setup.start);
    int status = 0;
    uint64_t beat = report->heartbeat.load();
    auto last_beat = std::chrono::steady_clock::now();
    bool hang = false, stop_sent = false;
    for (;;) {
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        const auto now = std::chrono::steady_clock::now();
        if (report->heartbeat.load() != beat) {
            beat = report->heartbeat.load();
            last_beat = now;
        }
        if (!stop_sent && now > deadline && o.only_run < 0) {
            report->stop.store(1);
            stop_sent = true;
        }
        if (!hang && now - last_beat > kHangLimit) {
            // The sanitizer prints where it hangs on SIGSEGV.
            hang = true;
            kill(pid, SIGSEGV);
            last_beat = now - kHangLimit + std::chrono::seconds(10);
        } else if (hang && now - last_beat > kHangLimit) {
            kill(pid, SIGKILL);
        }
    }
    r.actions = report->actions;
    r.screens = report->screen_count;
    for (int32_t i = 0; i < report->screen_count; ++i) screens.insert(report->screens[i]);
    r.end = report->end;
    const std::string where = "seed " + std::to_string(o.seed) + " run " + std::to_string(run) +
                              " action " + std::to_string(report->actions) + " (" + report->action +
                              ")";
    if (hang) {
        r.end = "hang";
        r.finding = "no frame for " + std::to_string(kHangLimit.count()) + " s at " + where + "\n" +
                    ReportOf(log);
    } else if (WIFEXITED(status) && (WEXITSTATUS(status) == 3 || WEXITSTATUS(status) == 5)) {
        r.finding = where + ": " + report->finding;
        r.known = WEXITSTATUS(status) == 5;
    } else if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        r.end = WIFSIGNALED(status) ? "signal " + std::to_string(WTERMSIG(status))
                                    : "status " + std::to_string(WEXITSTATUS(status));
        r.finding = "sanitizer or crash at " + where + "\n" + ReportOf(log);
        r.known = KnownReport(log);
    }
    if (r.finding.empty()) {
        std::error_code ec;
        fs::remove(log, ec);
    } else {
        r.finding += "\n      replay: tools/play-soak --seed " + std::to_string(o.seed) +
                     " --screen " + std::to_string(o.width) + "x" + std::to_string(o.height) +
                     " --run " + std::to_string(run) + "\n      log: " + log.string();
    }
    munmap(memory, sizeof(soak::RunReport));
    return r;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    std::string problem;
    if (!ParseOptions(argc, argv, o, problem)) return Usage(problem.c_str());
    std::string work;
    if (!MakeWork(o, work)) {
        std::fprintf(stderr, "fv-play-soak: no work folder\n");
        return 1;
    }
    fs::create_directories(fs::path(work) / "save");
    const auto started = std::chrono::steady_clock::now();
    if (!MakeBusySave(work, "busy_game.lvl", kModeGame) ||
        !MakeBusySave(work, "busy_mission.lvl", kModeMission))
        return 1;
    const auto deadline =
        started + std::chrono::milliseconds(static_cast<int64_t>(o.minutes * 60000.0));
    std::printf("play-soak: seed %llu, screen %dx%d, %.1f minutes%s, work folder %s\n",
                static_cast<unsigned long long>(o.seed), o.width, o.height, o.minutes,
                o.known ? ", known faults kept out" : "", work.c_str());
    std::printf("%5s  %-12s %7s %7s  %-20s %s\n", "run", "start", "actions", "screens", "end",
                "finding");
    std::vector<RunResult> results;
    std::set<std::string> screens;
    int64_t actions = 0;
    int32_t findings = 0, known = 0;
    for (int32_t run = o.only_run >= 0 ? o.only_run : 0;; ++run) {
        RunResult r = RunOne(o, work, run, deadline, screens);
        actions += r.actions;
        const bool counted = !r.finding.empty();
        if (counted && r.known) ++known;
        if (counted && !(r.known && o.known)) ++findings;
        std::printf("%5d  %-12s %7d %7d  %-20s %s\n", r.run, r.start, r.actions, r.screens,
                    r.end.c_str(), counted ? (r.known ? "known fault" : "FINDING") : "");
        if (counted) std::printf("      %s\n", r.finding.c_str());
        std::fflush(stdout);
        results.push_back(std::move(r));
        if (o.only_run >= 0 || std::chrono::steady_clock::now() >= deadline) break;
    }
    std::printf("\n%-10s %6s %9s %9s %9s %7s\n", "screen", "runs", "actions", "screens", "findings",
                "known");
    std::printf("%-10s %6zu %9lld %9zu %9d %7d\n",
                (std::to_string(o.width) + "x" + std::to_string(o.height)).c_str(), results.size(),
                static_cast<long long>(actions), screens.size(), findings, known);
    std::printf("screens reached (%zu):", screens.size());
    for (const std::string& s : screens) std::printf(" %s;", s.c_str());
    std::printf("\n");
    if (findings == 0) {
        std::error_code ec;
        fs::remove_all(work, ec);
    }
    return findings == 0 ? 0 : 1;
}
