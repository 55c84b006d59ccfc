// One run of the random-play soak (see soak_run.h): the program as the
// player meets it, driven by random input, checked after every action.

#include "soak_run.h"

#include <cxxabi.h>
#include <unistd.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <typeinfo>
#include <vector>

#include "app/app_globals.h"
#include "app/game_app.h"
#include "app/interface_hooks.h"
#include "app/level_file.h"
#include "app/level_records.h"
#include "app/main_frame.h"
#include "cities/city.h"
#include "cities/city_manager.h"
#include "economy/building_factory.h"
#include "economy/building_table.h"
#include "gfx/buttons.h"
#include "panel/control_panel.h"
#include "platform/app.h"
#include "platform/compositor.h"
#include "platform/edit_control.h"
#include "platform/headless/headless_backend.h"
#include "platform/input.h"
#include "platform/random.h"
#include "platform/window_system.h"
#include "screens/flow/title_screen.h"
#include "state/game_files.h"
#include "state/game_state.h"
#include "state/map_field.h"
#include "state/messages.h"
#include "state/statistics.h"
#include "support/full_redraw.h"
#include "transport/train.h"
#include "view/scroll_strip.h"
#include "view/world_view.h"
#include "world/way_network.h"

namespace soak {

namespace {

constexpr uint32_t kFrameMs = 26;
// Mouse moves reach the view only some time after the last one it took.
constexpr uint32_t kMoveDelay = 300;
// A screen marked open with nothing showing for this many checks in a row
// (and frames) is a hidden modal, not a screen on its way.
constexpr int32_t kHiddenChecks = 6;
constexpr int32_t kHiddenFrames = 240;
// Steps of Escape, Enter and clicks that must lead back home.
constexpr int32_t kWayBackSteps = 40;
// The view is compared with a full redraw after about one action in this
// many, and after every scroll and save, after this many frames (2 s) with
// nothing in front.
constexpr uint64_t kViewCheckEvery = 8;
constexpr int32_t kViewCheckFrames = 77;
constexpr uint64_t kViewCheckSeed = 0x5EED0F71E3ull;

std::string TypeName(const plat::Window* w) {
    int status = 0;
    char* name = abi::__cxa_demangle(typeid(*w).name(), nullptr, nullptr, &status);
    std::string out = status == 0 && name != nullptr ? name : typeid(*w).name();
    std::free(name);
    return out;
}

plat::Point Centre(const plat::Rect& r) {
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// The level files the program reads, counted: the cash ledger starts again
// after a load.
class CountingFiles : public GameFiles {
  public:
    LevelLoadResult LoadLevel(const std::string& path) override {
        ++loads;
        return ::LoadLevel(path);
    }
    LevelLoadResult LoadSavedGame(const std::string& path) override {
        ++loads;
        return ::LoadSavedGame(path);
    }
    bool SaveGameFile(const std::string& path) override {
        ++saves;
        return ::SaveGameFile(path);
    }
    bool SaveLastGame() override {
        ++saves;
        return ::SaveLastGame();
    }
    bool WriteDescription(const std::string& path, const std::string& text) override {
        return plat::ReplaceFile(path, text.data(), static_cast<uint32_t>(text.size()));
    }
    int64_t loads = 0;
    int64_t saves = 0;
};

uint64_t g_new_game_seed = 0;
uint32_t NewGameSeed() {
    return static_cast<uint32_t>(g_new_game_seed);
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>());
}

// The first difference of two saves of one game from `from` on that is not a
// value every load sets to -1 (a 32-bit -1 in the second file over the
// differing byte); -1 when there is none.
int64_t FirstRealDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b,
                            size_t from = 0) {
    for (size_t i = from; i < std::min(a.size(), b.size()); ++i) {
        if (a[i] == b[i]) continue;
        bool reset = false;
        for (size_t j = i >= 3 ? i - 3 : 0; j <= i && j + 4 <= b.size() && !reset; ++j) {
            reset = b[j] == 0xFF && b[j + 1] == 0xFF && b[j + 2] == 0xFF && b[j + 3] == 0xFF;
        }
        if (!reset) return static_cast<int64_t>(i);
    }
    return a.size() == b.size() ? -1 : static_cast<int64_t>(std::min(a.size(), b.size()));
}

uint32_t U32At(const std::vector<uint8_t>& f, size_t at) {
    if (at + 4 > f.size()) return 0;
    return f[at] | (f[at + 1] << 8) | (f[at + 2] << 16) | (uint32_t(f[at + 3]) << 24);
}

// Where a byte of a level file lies: the part of the file, and within the
// buildings their record. `buildings` is set when it lies in the buildings.
std::string PartOf(const std::vector<uint8_t>& f, size_t at, bool* buildings) {
    *buildings = false;
    constexpr size_t kGrid = 32;  // mode, built counts, board votes
    if (at < kGrid) return "the header";
    if (at < kGrid + kFieldGridBytes) {
        const size_t field = (at - kGrid) / 12;
        return "the field grid (field " + std::to_string(field % 256) + "," +
               std::to_string(field / 256) + " byte " + std::to_string((at - kGrid) % 12) + ")";
    }
    const size_t network = kGrid + kFieldGridBytes;
    const size_t cash = network + 4 + size_t{U32At(f, network)} * (4 + kWayNodeRecordSize);
    if (at < cash) return "the way network";
    if (at < cash + 36) return "the cash and season";
    size_t record = cash + 40;
    const uint32_t count = U32At(f, cash + 36);
    for (uint32_t i = 0; i < count && record < f.size(); ++i) {
        const int32_t type = f[record];
        const int32_t size = RecordSizeOfType(type);
        if (size < 0) break;
        const size_t end = record + kBuildingHeaderSize + static_cast<size_t>(size);
        if (at < end) {
            *buildings = true;
            return "the buildings (record " + std::to_string(i) + " of type " +
                   std::to_string(type) + ", byte " + std::to_string(at - record) + ")";
        }
        record = end;
    }
    return "the vehicles or a later part (the buildings end at " + std::to_string(record) + ")";
}

class Player {
  public:
    Player(const RunSetup& setup, RunReport& report)
        : setup_(setup),
          report_(report),
          rng_(setup.seed),
          view_checks_(setup.seed ^ kViewCheckSeed),
          host_({setup.width, setup.height}),
          stepper_(app_, host_) {}

    int Play();

  private:
    // --- Random choices -------------------------------------------------------
    int32_t Pick(int32_t n) { return n <= 1 ? 0 : static_cast<int32_t>(rng_() % uint64_t(n)); }
    bool Chance(int32_t percent) { return Pick(100) < percent; }
    plat::Point PointIn(const plat::Rect& r) {
        const int32_t w = std::max(1, r.right - r.left), h = std::max(1, r.bottom - r.top);
        return {r.left + Pick(w), r.top + Pick(h)};
    }

    // --- Driving the program -------------------------------------------------------
    // One frame of the main loop; false once the program has ended.
    bool Frame();
    void Frames(int32_t n);
    void Click(plat::Point p, plat::MouseButton b = plat::MouseButton::Left);
    void Drag(plat::Point from, plat::Point to);
    void Key(int32_t vk, uint8_t ch);
    void Type(const std::string& text);
    void KeepAnswersQueued();
    void Note(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // --- What is in front ------------------------------------------------------
    HAUPTFENSTER* MainFrame() const {
        return dynamic_cast<HAUPTFENSTER*>(plat::CurrentApplication() != nullptr
                                               ? plat::CurrentApplication()->mainWindow
                                               : nullptr);
    }
    bool IsChrome(const plat::Window* w) const;
    // Screens and popups showing, the front one first.
    std::vector<plat::Window*> Showing() const;
    // Buttons and other controls of a window that take clicks.
    void Controls(plat::Window* w, std::vector<plat::Window*>& out) const;
    bool TitleInFront() const;
    // Whether a click can reach the window: its middle or one of its
    // controls lies over it. The window over it otherwise.
    bool Reachable(plat::Window* w, plat::Window** over) const;
    bool Home() const;
    int32_t WorldViews() const;
    // No city and no building.
    static bool EmptyWorld();
    void Reached(const std::string& name);

    // --- Actions ---------------------------------------------------------------------
    void Act();
    void ActOnScreen(plat::Window* front);
    void ActInGame();
    void ActAnyKey();
    void ActTyping();
    void ClickBuilding();
    // A scroll strip at the view's edge: a line step, held for several
    // steps, or a page by the right button.
    void ActScroll();
    void ActSave();
    // The save made since the last look (the player's, through the panel,
    // or the year's autosave); empty when none.
    std::string Saved();

    // --- Checks ----------------------------------------------------------------------
    // False after a finding (the run ends).
    bool Check();
    bool CheckLedger();
    // The first breach of the rule that keeps trains apart seen after a
    // frame, if any.
    bool CheckTrainsApart();
    bool CheckRoundTrip();
    bool CheckWayBack();
    // After a scroll or a save a redraw request left standing does not put
    // the check off: the next tick drops it, and the view shows what it shows.
    bool CheckViewAgainstFullRedraw();
    // After a screen closed, back in the game: the panel on the screen is
    // the panel drawn anew.
    bool CheckPanelAgainstRedraw(const std::string& closed);
    // The screens showing, by their window's serial number.
    std::map<uint64_t, std::string> ShowingScreens() const;
    bool Finding(bool known, const char* format, ...) __attribute__((format(printf, 3, 4)));
    bool StartBusy();
    bool ReachTitle();

    const RunSetup& setup_;
    RunReport& report_;
    std::mt19937_64 rng_;
    // When the view is compared with a full redraw: a generator of its own,
    // so that the actions stay those of the run's seed.
    std::mt19937_64 view_checks_;
    plat::HeadlessBackend host_;
    CGameApp app_;
    plat::ApplicationStepper stepper_;
    CountingFiles files_;
    bool ended_ = false;
    int64_t frames_ = 0;
    // The first breach of the rule that keeps trains apart, with the frame
    // and the action it came in; empty while none was seen.
    std::string trains_apart_breach_;
    size_t answers_queued_ = 0;
    std::set<std::string> reached_;
    std::deque<std::string> last_actions_;
    // The ledger: cash less the overall profit and the credit, per game.
    bool ledger_valid_ = false;
    int32_t ledger_ = 0;
    int64_t ledger_loads_ = 0;
    const plat::Window* ledger_view_ = nullptr;
    int32_t ledger_mode_ = 0;
    int32_t hidden_checks_ = 0;
    int64_t hidden_since_frame_ = 0;
    int32_t empty_checks_ = 0;
    int32_t covered_checks_ = 0;
    int64_t covered_since_frame_ = 0;
    int32_t round_trips_ = 0;
    // A scroll or a save whose picture is still to be compared, named.
    std::string scroll_due_, save_due_;
    int64_t saves_seen_ = 0;
    std::filesystem::file_time_type autosave_time_{};
};

bool Player::Frame() {
    if (ended_) return false;
    host_.AdvanceClock(kFrameMs);
    ++frames_;
    report_.heartbeat.fetch_add(1, std::memory_order_relaxed);
    if (!stepper_.Turn()) ended_ = true;
    // Checked after every frame, since a breach may last a frame or two
    // only; reported by the next check.
    if (!ended_ && trains_apart_breach_.empty()) {
        if (std::string breach = TrainsApartBreach(); !breach.empty()) {
            trains_apart_breach_ = breach + " (frame " + std::to_string(frames_) + ", during \"" +
                                   report_.action + "\")";
        }
    }
    return !ended_;
}

void Player::Frames(int32_t n) {
    for (int32_t i = 0; i < n && Frame(); ++i) {
    }
}

void Player::KeepAnswersQueued() {
    // Message boxes get a random answer of the kinds a player gives.
    static constexpr int32_t kAnswers[] = {IDOK, IDCANCEL, IDYES, IDNO, IDRETRY};
    while (answers_queued_ < host_.MessageBoxes().size() + 2) {
        host_.QueueMessageBoxAnswer(kAnswers[Pick(5)]);
        ++answers_queued_;
    }
}

void Player::Note(const char* format, ...) {
    char text[sizeof report_.action];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    std::snprintf(report_.action, sizeof report_.action, "%s", text);
    last_actions_.emplace_back(text);
    if (last_actions_.size() > 12) last_actions_.pop_front();
    if (setup_.verbose) std::printf("  %5d %s\n", report_.actions, text);
}

void Player::Click(plat::Point p, plat::MouseButton b) {
    host_.AdvanceClock(kMoveDelay);
    host_.InjectMouseMove(p);
    host_.RunUntilIdle();
    host_.AdvanceClock(700);  // never a double click
    host_.InjectClick(p, b);
    host_.RunUntilIdle();
}

void Player::Drag(plat::Point from, plat::Point to) {
    host_.AdvanceClock(kMoveDelay);
    host_.InjectMouseMove(from);
    host_.RunUntilIdle();
    host_.InjectMouseButton(plat::MouseButton::Left, true);
    host_.RunUntilIdle();
    Frames(2);
    host_.AdvanceClock(kMoveDelay);
    host_.InjectMouseMove({(from.x + to.x) / 2, (from.y + to.y) / 2});
    host_.RunUntilIdle();
    host_.AdvanceClock(kMoveDelay);
    host_.InjectMouseMove(to);
    host_.RunUntilIdle();
    Frames(2);
    host_.InjectMouseButton(plat::MouseButton::Left, false);
    host_.RunUntilIdle();
}

void Player::Key(int32_t vk, uint8_t ch) {
    host_.AdvanceClock(40);
    host_.InjectKeyPress(vk, ch);
    host_.RunUntilIdle();
}

void Player::Type(const std::string& text) {
    for (size_t i = 0; i < text.size(); ++i) {
        host_.InjectChar(static_cast<uint8_t>(text[i]));
        // A long text goes through the queue in pieces.
        if (i % 64 == 63) host_.RunUntilIdle();
    }
    host_.RunUntilIdle();
}

bool Player::IsChrome(const plat::Window* w) const {
    if (w == MainFrame() || w == g_pHauptDialog || w == g_pSpielFeld) return true;
    const std::string name = TypeName(w);
    return name == "ScrollStrip" || name == "DEBUG_FENSTER" || name == "SPIEL_FELD";
}

std::vector<plat::Window*> Player::Showing() const {
    std::vector<plat::Window*> out;
    const plat::WindowSystem& ws = plat::WindowSystem::Get();
    for (auto it = ws.topLevel.rbegin(); it != ws.topLevel.rend(); ++it) {
        plat::Window* w = *it;
        if (plat::IsWindow(w) && w->IsWindowVisible() && !IsChrome(w)) out.push_back(w);
    }
    if (HAUPTFENSTER* frame = MainFrame(); frame != nullptr && plat::IsWindow(frame)) {
        const std::vector<plat::Window*>& kids = frame->Children();
        for (auto it = kids.rbegin(); it != kids.rend(); ++it) {
            plat::Window* w = *it;
            if (plat::IsWindow(w) && w->IsWindowVisible() && !IsChrome(w)) out.push_back(w);
        }
    }
    return out;
}

void Player::Controls(plat::Window* w, std::vector<plat::Window*>& out) const {
    for (plat::Window* child : w->Children()) {
        if (!plat::IsWindow(child) || !child->IsWindowVisible() || !child->IsWindowEnabled())
            continue;
        out.push_back(child);
        Controls(child, out);
    }
}

bool Player::Reachable(plat::Window* w, plat::Window** over) const {
    const auto inside = [w](plat::Window* at) {
        for (; at != nullptr; at = at->GetParent()) {
            if (at == w) return true;
        }
        return false;
    };
    std::vector<plat::Window*> points{w};
    Controls(w, points);
    *over = nullptr;
    for (plat::Window* p : points) {
        plat::Window* at = plat::WindowFromPoint(Centre(p->GetWindowRect()));
        if (inside(at)) return true;
        if (*over == nullptr) *over = at;
    }
    return false;
}

bool Player::TitleInFront() const {
    const std::vector<plat::Window*> showing = Showing();
    return !showing.empty() && dynamic_cast<FS_START*>(showing.front()) != nullptr;
}

// A running game with nothing over it, or the title.
bool Player::Home() const {
    if (TitleInFront()) return true;
    const CGameState* gs = g_pGameState;
    return g_pSpielFeld != nullptr && gs != nullptr && gs->screen_open == 0 && Showing().empty();
}

int32_t Player::WorldViews() const {
    // Every world view that has a window, wherever it stands.
    int32_t views = 0;
    for (const auto& [window, serial] : plat::WindowSystem::Get().live) {
        const auto* view = dynamic_cast<const SPIEL_FELD*>(window);
        if (view != nullptr && plat::IsWindow(view)) ++views;
    }
    return views;
}

bool Player::EmptyWorld() {
    if (g_pCityManager != nullptr) {
        for (const CCity* city : g_pCityManager->cities) {
            if (city != nullptr) return false;
        }
    }
    if (g_ppBuildings != nullptr) {
        for (int32_t n = 1; n < kBuildingSlots; ++n) {
            if (g_ppBuildings->At(n) != nullptr) return false;
        }
    }
    return true;
}

void Player::Reached(const std::string& name) {
    if (!reached_.insert(name).second) return;
    if (report_.screen_count >= kMaxScreens) return;
    std::snprintf(report_.screens[report_.screen_count], kNameBytes, "%s", name.c_str());
    ++report_.screen_count;
}

bool Player::Finding(bool known, const char* format, ...) {
    char text[600];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    std::string recent;
    for (const std::string& a : last_actions_) recent += "\n      " + a;
    std::snprintf(report_.finding, sizeof report_.finding, "%s; last actions:%s", text,
                  recent.c_str());
    report_.known = known ? 1 : 0;
    return false;
}

// --- Actions -----------------------------------------------------------------------------

void Player::ActAnyKey() {
    static constexpr struct {
        int32_t vk;
        uint8_t ch;
    } kKeys[] = {{VK_ESCAPE, 27}, {VK_RETURN, 13}, {VK_SPACE, ' '}, {VK_LEFT, 0},
                 {VK_RIGHT, 0},   {VK_UP, 0},      {VK_DOWN, 0},    {VK_BACK, 8},
                 {VK_TAB, 9},     {VK_PRIOR, 0},   {VK_NEXT, 0},    {VK_HOME, 0},
                 {VK_END, 0},     {VK_DELETE, 0},  {VK_ADD, '+'},   {VK_SUBTRACT, '-'}};
    const int32_t kind = Pick(4);
    if (kind == 0) {
        const auto& k = kKeys[Pick(std::size(kKeys))];
        if (setup_.known && k.vk == VK_ESCAPE &&
            dynamic_cast<plat::EditControl*>(plat::GetFocus()) != nullptr)
            return Note("key Escape skipped (an edit field has the focus)");
        Note("key %d", k.vk);
        Key(k.vk, k.ch);
    } else if (kind == 1) {
        const int32_t digit = Pick(10);
        Note("key %d", digit);
        Key('0' + digit, static_cast<uint8_t>('0' + digit));
    } else if (kind == 2) {
        const int32_t letter = Pick(26);
        Note("key %c", 'A' + letter);
        Key('A' + letter, static_cast<uint8_t>('a' + letter));
    } else {
        const int32_t f = Pick(12);
        Note("key F%d", f + 1);
        Key(VK_F1 + f, 0);
    }
}

void Player::ActTyping() {
    std::string text;
    const int32_t kind = Pick(4);
    static const char* const kWords[] = {"Rail Co", "Ferro",   "Nordbahn",
                                         "X",       "Lager 7", "Stadt am See"};
    if (kind == 0) {
        text = kWords[Pick(std::size(kWords))];
    } else if (kind == 1) {
        for (int32_t i = 0; i < 5000; ++i) text += static_cast<char>('a' + Pick(26));
    } else if (kind == 2) {
        for (int32_t i = 0, n = 1 + Pick(40); i < n; ++i)
            text += static_cast<char>(0x80 + Pick(0x80));
    } else {
        for (int32_t i = 0, n = 1 + Pick(20); i < n; ++i) {
            uint8_t c = static_cast<uint8_t>(Pick(32));
            if (setup_.known && c == 27) c = 26;
            if (c == 13 || c == 27) c = 1;  // Enter and Escape come as keys below
            text += static_cast<char>(c);
        }
    }
    const bool edit = dynamic_cast<plat::EditControl*>(plat::GetFocus()) != nullptr;
    const int32_t end = Pick(3);  // Enter, Escape, nothing
    const bool escape = end == 1 && !(setup_.known && edit);
    Note("type %zu bytes (%s)%s%s", text.size(),
         kind == 0   ? "plain"
         : kind == 1 ? "long"
         : kind == 2 ? "high bytes"
                     : "control",
         end == 0 ? " then Enter"
         : escape ? " then Escape"
                  : "",
         edit ? " into an edit field" : "");
    Type(text);
    if (end == 0) Key(VK_RETURN, 13);
    if (escape) Key(VK_ESCAPE, 27);
}

void Player::ActOnScreen(plat::Window* front) {
    const std::string name = TypeName(front);
    const plat::Rect rect = front->GetWindowRect();
    const int32_t roll = Pick(100);
    if (roll < 40) {
        std::vector<plat::Window*> controls;
        Controls(front, controls);
        if (!controls.empty()) {
            plat::Window* c = controls[Pick(static_cast<int32_t>(controls.size()))];
            const auto* button = dynamic_cast<const BUTTONS*>(c);
            Note("click %s of %s",
                 button != nullptr ? ("button " + std::to_string(button->command_id)).c_str()
                                   : TypeName(c).c_str(),
                 name.c_str());
            return Click(Centre(c->GetWindowRect()));
        }
        const plat::Point p = PointIn(rect);
        Note("click %s at %d,%d", name.c_str(), p.x, p.y);
        return Click(p);
    }
    if (roll < 62) {
        const plat::Point p = PointIn(rect);
        Note("click %s at %d,%d", name.c_str(), p.x, p.y);
        return Click(p);
    }
    if (roll < 68) {
        const plat::Point p = PointIn(rect);
        Note("right click %s at %d,%d", name.c_str(), p.x, p.y);
        return Click(p, plat::MouseButton::Right);
    }
    if (roll < 72) {
        const plat::Point a = PointIn(rect), b = PointIn(rect);
        Note("drag over %s %d,%d to %d,%d", name.c_str(), a.x, a.y, b.x, b.y);
        return Drag(a, b);
    }
    if (roll < 84) return ActAnyKey();
    if (roll < 92) return ActTyping();
    if (roll < 95) {
        const plat::Point p = PointIn({0, 0, setup_.width, setup_.height});
        Note("click the screen at %d,%d", p.x, p.y);
        return Click(p);
    }
    if (roll < 96 && g_pSpielFeld != nullptr) return ActScroll();
    Note("wait");
    Frames(20 + Pick(200));
}

void Player::ClickBuilding() {
    SPIEL_FELD& view = *g_pSpielFeld;
    CGameState& gs = *g_pGameState;
    std::vector<int32_t> numbers;
    if (g_ppBuildings != nullptr) {
        for (int32_t n = 1; n < kBuildingSlots; ++n) {
            if (g_ppBuildings->At(n) != nullptr) numbers.push_back(n);
        }
    }
    if (numbers.empty()) return Note("no building to click");
    const int32_t number = numbers[Pick(static_cast<int32_t>(numbers.size()))];
    const CBuilding* b = g_ppBuildings->At(number);
    // One of the building's fields (a station's platform, say).
    int32_t x = b->anchor_x, y = b->anchor_y;
    for (int32_t k = 0; k < 8; ++k) {
        const int32_t fx = b->anchor_x + Pick(4), fy = b->anchor_y + Pick(4);
        const MapField* f = FieldAt(fx, fy);
        if (f != nullptr && f->building_flag() && static_cast<int32_t>(f->geb_num()) == number) {
            std::tie(x, y) = std::tuple(fx, fy);
            break;
        }
    }
    // Mostly with the pointer, which opens the building's screen.
    HAUPTDIALOG* panel = g_pHauptDialog;
    if (view.tool != kToolNone && panel != nullptr && gs.game_mode != kModeEditor && Chance(60)) {
        Note("panel heading %d (the pointer)", kHeadingNoTool);
        Click(panel->ClientToScreen(Centre(panel->heading_rects[kHeadingNoTool])));
        Frames(2);
        if (g_pSpielFeld != &view || !Showing().empty()) return;
    }
    // The camera over the field, as a bookmark puts it.
    view.JumpToField(x, y);
    const plat::Rect client = view.GetClientRect();
    const auto kept = std::tuple(view.cursor_x, view.cursor_y);
    std::optional<plat::Point> found;
    const plat::Point mid = Centre(client);
    for (int32_t dy = -90; dy <= 90 && !found; dy += 6) {
        for (int32_t dx = -120; dx <= 120; dx += 6) {
            const int32_t px = mid.x + dx, py = mid.y + dy;
            if (px < 8 || py < 8 || px >= client.right - 8 || py >= client.bottom - 8) continue;
            view.PickField(px, py);
            if (view.cursor_x == x && view.cursor_y == y) {
                found = plat::Point{px, py};
                break;
            }
        }
    }
    std::tie(view.cursor_x, view.cursor_y) = kept;
    if (!found) return Note("building at %d,%d not found in the view", x, y);
    const bool right = Chance(15);
    Note("%s the building at %d,%d", right ? "right click" : "click", x, y);
    Click(view.ClientToScreen(*found), right ? plat::MouseButton::Right : plat::MouseButton::Left);
}

void Player::ActScroll() {
    std::vector<plat::Window*> strips;
    for (const auto& [window, serial] : plat::WindowSystem::Get().live) {
        auto* strip = dynamic_cast<const ScrollStrip*>(window);
        if (strip != nullptr && plat::IsWindow(strip) && strip->IsWindowVisible())
            strips.push_back(const_cast<ScrollStrip*>(strip));
    }
    if (strips.empty()) return Note("no scroll strip");
    // In the order of their places, so that a run replays alike.
    std::ranges::sort(strips, [](const plat::Window* a, const plat::Window* b) {
        const plat::Rect ra = a->GetWindowRect(), rb = b->GetWindowRect();
        return std::pair(ra.top, ra.left) < std::pair(rb.top, rb.left);
    });
    const plat::Rect strip = strips[Pick(static_cast<int32_t>(strips.size()))]->GetWindowRect();
    const SPIEL_FELD& view = *g_pSpielFeld;
    const std::tuple from(view.centre_x, view.centre_y, view.zoom);
    const plat::Point p = PointIn(strip);
    const int32_t kind = Pick(3);
    if (kind == 2) {
        Note("page by the scroll strip at %d,%d", p.x, p.y);
        Click(p, plat::MouseButton::Right);
    } else {
        // The first step comes after a tenth of a second, the next ones
        // every frame.
        const int32_t frames = kind == 0 ? 4 : 5 + Pick(75);
        Note("%s the scroll strip at %d,%d (%d frames)", kind == 0 ? "one line by" : "hold", p.x,
             p.y, frames);
        host_.AdvanceClock(kMoveDelay);
        host_.InjectMouseMove(p);
        host_.RunUntilIdle();
        Frames(frames);
    }
    // Off the strip, which stops it.
    host_.InjectMouseMove(Centre(plat::Rect{0, 0, setup_.width, setup_.height}));
    host_.RunUntilIdle();
    if (g_pSpielFeld != &view) return;
    Note("the view's centre went from %.1f,%.1f to %.1f,%.1f at zoom %d", std::get<0>(from),
         std::get<1>(from), view.centre_x, view.centre_y, std::get<2>(from));
    static constexpr const char* kKinds[] = {"a line scroll", "an edge strip held",
                                             "a page scroll"};
    scroll_due_ = kKinds[kind];
}

void Player::ActSave() {
    HAUPTDIALOG* panel = g_pHauptDialog;
    if (panel == nullptr) return Note("no panel to save from");
    Note("save through the save screen");
    plat::SendMessage(panel, WM_COMMAND, kCmdSave);
    Frames(2);
    Key(VK_RETURN, 13);
}

std::string Player::Saved() {
    std::error_code error;
    const auto autosave =
        std::filesystem::last_write_time(setup_.work + "/save/autosave.lvl", error);
    const std::string saved = files_.saves != saves_seen_            ? "the player's save"
                              : !error && autosave != autosave_time_ ? "the autosave"
                                                                     : "";
    saves_seen_ = files_.saves;
    if (!error) autosave_time_ = autosave;
    return saved;
}

void Player::ActInGame() {
    HAUPTDIALOG* panel = g_pHauptDialog;
    SPIEL_FELD* view = g_pSpielFeld;
    const int32_t roll = Pick(100);
    if (roll < 20 && panel != nullptr) {
        std::vector<int32_t> headings;
        for (int32_t h = 0; h < kPanelHeadingCount; ++h) {
            const plat::Rect& r = panel->heading_rects[h];
            if (r.right > r.left && r.bottom > r.top) headings.push_back(h);
        }
        if (!headings.empty()) {
            const int32_t h = headings[Pick(static_cast<int32_t>(headings.size()))];
            Note("panel heading %d", h);
            return Click(panel->ClientToScreen(Centre(panel->heading_rects[h])));
        }
    }
    if (roll < 42 && panel != nullptr && panel->entry_count > 0) {
        const int32_t row = Pick(std::min(panel->entry_count, kPanelRowCount));
        Note("panel row %d (command %d) of heading %d", row, panel->entry_command[row],
             panel->current_heading);
        const plat::Rect& r = panel->row_rects[row];
        return Click(panel->ClientToScreen(plat::Point{(r.left + r.right) / 2, r.top + 8}));
    }
    if (roll < 46 && panel != nullptr) {
        const plat::Point p = PointIn(panel->GetWindowRect());
        Note("click the panel at %d,%d", p.x, p.y);
        return Click(p);
    }
    if (roll < 56 && view != nullptr) {
        const plat::Point p = PointIn(view->GetWindowRect());
        const bool right = Chance(20);
        Note("%s the view at %d,%d", right ? "right click" : "click", p.x, p.y);
        return Click(p, right ? plat::MouseButton::Right : plat::MouseButton::Left);
    }
    if (roll < 62 && view != nullptr) return ActScroll();
    if (roll < 68 && view != nullptr) {
        const plat::Point a = PointIn(view->GetWindowRect());
        const plat::Point b{a.x + Pick(160) - 80, a.y + Pick(120) - 60};
        Note("drag over the view %d,%d to %d,%d", a.x, a.y, b.x, b.y);
        return Drag(a, b);
    }
    if (roll < 78 && view != nullptr) return ClickBuilding();
    if (roll < 86) return ActAnyKey();
    if (roll < 89) return ActTyping();
    if (roll < 95) {
        const int32_t n = 50 + Pick(1500);
        Note("let the game run %d frames", n);
        return Frames(n);
    }
    if (roll < 96) return ActSave();
    const plat::Point p = PointIn({0, 0, setup_.width, setup_.height});
    Note("click the screen at %d,%d", p.x, p.y);
    Click(p);
}

void Player::Act() {
    KeepAnswersQueued();
    ++report_.actions;
    if (Pick(1000) < 3) {
        Note("close the window");
        host_.InjectCloseRequest();
        host_.RunUntilIdle();
        return;
    }
    const std::vector<plat::Window*> showing = Showing();
    for (const plat::Window* w : showing) Reached(TypeName(w));
    if (!showing.empty()) {
        ActOnScreen(showing.front());
    } else if (g_pSpielFeld != nullptr) {
        ActInGame();
    } else {
        const int32_t roll = Pick(3);
        if (roll == 0) {
            ActAnyKey();
        } else {
            const plat::Point p = PointIn({0, 0, setup_.width, setup_.height});
            Note("click the screen at %d,%d", p.x, p.y);
            Click(p);
        }
    }
    Frames(1 + Pick(12));
}

// --- Checks --------------------------------------------------------------------------------

bool Player::CheckLedger() {
    const CGameState* gs = g_pGameState;
    if (gs == nullptr || g_pSpielFeld == nullptr || gs->game_mode == kModeEditor) {
        ledger_valid_ = false;
        return true;
    }
    const int32_t ledger =
        static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(gs->cash[0])) -
                             static_cast<uint32_t>(g_Statistics.PairThis(kPairOverallProfit, 0)) -
                             static_cast<uint32_t>(g_Credit));
    const bool same_game = ledger_valid_ && files_.loads == ledger_loads_ &&
                           ledger_view_ == g_pSpielFeld && ledger_mode_ == gs->game_mode;
    if (same_game && ledger != ledger_) {
        return Finding(false,
                       "the cash ledger moved by %d: cash %lld, overall profit %d, credit %d",
                       ledger - ledger_, static_cast<long long>(gs->cash[0]),
                       g_Statistics.PairThis(kPairOverallProfit, 0), g_Credit);
    }
    ledger_valid_ = true;
    ledger_ = ledger;
    ledger_loads_ = files_.loads;
    ledger_view_ = g_pSpielFeld;
    ledger_mode_ = gs->game_mode;
    return true;
}

bool Player::CheckRoundTrip() {
    const CGameState* gs = g_pGameState;
    if (gs == nullptr || g_pSpielFeld == nullptr || gs->game_mode == kModeEditor ||
        gs->screen_open != 0 || !Showing().empty())
        return true;
    ++round_trips_;
    Note("save, load, save, load, save, load, save (round trip %d)", round_trips_);
    save_due_ = "the round trip's saves";
    // A load lists the vehicles in the reverse of the file's order: a loaded
    // game's save comes back the same after two more loads.
    std::vector<uint8_t> files[4];
    for (int32_t k = 0; k < 4; ++k) {
        const std::string name = "soak_" + std::to_string(k) + ".lvl";
        if (k > 0) {
            if (LoadSavedGame(SavedGamePath("soak_" + std::to_string(k - 1) + ".lvl")) !=
                LevelLoadResult::Loaded)
                return Finding(false, "a game just saved does not load");
            ++files_.loads;
        }
        if (!SaveGameFile(SavedGamePath(name)))
            return Finding(false, "the round trip's save %d failed", k + 1);
        files[k] = ReadBytes(setup_.work + "/save/" + name);
    }
    bool buildings = false;
    // A game that went through a load loads back the same.
    if (const int64_t at = FirstRealDifference(files[1], files[3]); at >= 0) {
        const size_t i = static_cast<size_t>(at);
        const std::string part = PartOf(files[1], i, &buildings);
        return Finding(false,
                       "two round trips of a loaded game differ at byte %zu in %s (%02x, then "
                       "%02x; sizes %zu and %zu), year %d month %d",
                       i, part.c_str(), files[1][i], i < files[3].size() ? files[3][i] : 0,
                       files[1].size(), files[3].size(), gs->year, gs->month);
    }
    // The game as it was played against the game loaded: a load sends cars
    // out by the residents it counts, but the buildings' values are kept.
    int64_t at = FirstRealDifference(files[0], files[1]);
    for (int32_t n = 0; at >= 0 && n < 4000; ++n) {
        const size_t i = static_cast<size_t>(at);
        const std::string part = PartOf(files[0], i, &buildings);
        if (buildings) {
            return Finding(true,
                           "save, load, save differ at byte %zu in %s (%02x before, %02x after "
                           "the load), year %d month %d",
                           i, part.c_str(), files[0][i], files[1][i], gs->year, gs->month);
        }
        if (part.rfind("the vehicles", 0) == 0) break;
        at = FirstRealDifference(files[0], files[1], i + 1);
    }
    return true;
}

bool Player::CheckWayBack() {
    if (Home()) return true;
    const std::string from =
        Showing().empty() ? std::string("no screen") : TypeName(Showing().front());
    for (int32_t step = 0; step < kWayBackSteps && !ended_; ++step) {
        KeepAnswersQueued();
        const std::vector<plat::Window*> showing = Showing();
        const int32_t kind = step % 3;
        const bool edit = dynamic_cast<plat::EditControl*>(plat::GetFocus()) != nullptr;
        if (kind == 0 && !(setup_.known && edit)) {
            Note("way back: Escape");
            Key(VK_ESCAPE, 27);
        } else if (kind == 1) {
            Note("way back: Enter");
            Key(VK_RETURN, 13);
        } else if (!showing.empty()) {
            std::vector<plat::Window*> controls;
            Controls(showing.front(), controls);
            const plat::Point p =
                controls.empty()
                    ? PointIn(showing.front()->GetWindowRect())
                    : Centre(
                          controls[Pick(static_cast<int32_t>(controls.size()))]->GetWindowRect());
            Note("way back: click %s at %d,%d", TypeName(showing.front()).c_str(), p.x, p.y);
            Click(p);
        }
        Frames(10);
        if (ended_ || Home()) return true;
        if (!Check()) return false;
    }
    if (ended_ || Home()) return true;
    const std::vector<plat::Window*> showing = Showing();
    return Finding(false,
                   "no way back from %s within %d steps of Escape, Enter and clicks (now %s)",
                   from.c_str(), kWayBackSteps,
                   showing.empty() ? "no screen" : TypeName(showing.front()).c_str());
}

bool Player::CheckViewAgainstFullRedraw() {
    const auto open_view = [this] {
        const CGameState* gs = g_pGameState;
        return gs != nullptr && g_pSpielFeld != nullptr && gs->screen_open == 0 &&
               Showing().empty() && !ended_;
    };
    if (!open_view()) return true;
    // What the check follows: a scroll, a save, or neither.
    std::string after;
    for (const std::string* due : {&scroll_due_, &save_due_}) {
        if (due->empty()) continue;
        after += (after.empty() ? "after " : " and ") + *due;
    }
    Note("2 s of frames, then the view against a full redraw%s%s", after.empty() ? "" : " ",
         after.c_str());
    Frames(kViewCheckFrames);
    const CGameState& gs = *g_pGameState;
    // The screen presents only what changed: all of that together must be
    // the screen composed anew from the windows.
    plat::PresentNow();
    if (host_.LastPresentedScreen().pixels != plat::ComposeScreen().pixels) {
        return Finding(false, "the presented screen differs from the windows composed anew");
    }
    if (!open_view()) return true;
    scroll_due_.clear();
    save_due_.clear();
    const bool pending = gs.redraw_terrain != 0 || gs.redraw_objects != 0;
    if (pending && after.empty()) return true;
    const SPIEL_FELD& view = *g_pSpielFeld;
    // The bottom rows below the field scan's reach may differ, and so may
    // the black a full redraw leaves beyond the map's edges.
    const int32_t rows = fvtest::FirstRowBelowTheScan();
    const fvtest::ViewDifference d = fvtest::DifferenceFromFullRedraw(rows, true);
    if (d.pixels == 0) return true;
    return Finding(false,
                   "%s%sthe view differs from a full redraw in %d pixels within %d,%d-%d,%d (rows "
                   "0-%d of %dx%d compared, zoom %d, rotation %d, %d-%02d week %d; paused %d, "
                   "user pause %d, halted %d, goal %d, redraw pending %d)",
                   after.c_str(), after.empty() ? "" : ": ", d.pixels, d.box.left, d.box.top,
                   d.box.right, d.box.bottom, rows - 1, gs.view_width, gs.view_height, view.zoom,
                   gs.rotation, gs.year, gs.month + 1, gs.week, gs.paused, gs.user_pause,
                   gs.sim_halted, gs.goal_reached, pending ? 1 : 0);
}

std::map<uint64_t, std::string> Player::ShowingScreens() const {
    std::map<uint64_t, std::string> out;
    const plat::WindowSystem& ws = plat::WindowSystem::Get();
    for (plat::Window* w : Showing()) out.emplace(ws.live.at(w), TypeName(w));
    return out;
}

bool Player::CheckPanelAgainstRedraw(const std::string& closed) {
    HAUPTDIALOG* panel = g_pHauptDialog;
    if (panel == nullptr || !plat::IsWindow(panel) || !panel->IsWindowVisible() || !Home() ||
        TitleInFront()) {
        return true;
    }
    const fvtest::ViewDifference d = fvtest::PanelDifferenceFromRedraw();
    if (d.pixels == 0) return true;
    return Finding(false,
                   "after the %s closed the panel differs from the panel drawn anew in %d pixels "
                   "within %d,%d-%d,%d (heading %d, %d rows, tool %d)",
                   closed.c_str(), d.pixels, d.box.left, d.box.top, d.box.right, d.box.bottom,
                   panel->current_heading, panel->entry_count,
                   g_pSpielFeld != nullptr ? g_pSpielFeld->tool : -1);
}

bool Player::CheckTrainsApart() {
    if (trains_apart_breach_.empty()) return true;
    return Finding(false, "the trains are not kept apart: %s", trains_apart_breach_.c_str());
}

bool Player::Check() {
    if (!CheckTrainsApart()) return false;
    const CGameState* gs = g_pGameState;
    if (gs == nullptr) return true;
    const int32_t views = WorldViews();
    if (views > 1) return Finding(true, "%d world views", views);
    if (views > 0 && TitleInFront()) return Finding(true, "a world view is alive behind the title");
    const bool marked = gs->screen_open != 0;
    if (marked && Showing().empty()) {
        if (hidden_checks_++ == 0) hidden_since_frame_ = frames_;
        if (hidden_checks_ >= kHiddenChecks && frames_ - hidden_since_frame_ >= kHiddenFrames)
            return Finding(false, "a screen is marked open with nothing showing (%lld frames)",
                           static_cast<long long>(frames_ - hidden_since_frame_));
    } else {
        hidden_checks_ = 0;
    }
    // A running game stands on a world with something in it (only the
    // editor starts on an empty one).
    if (g_pSpielFeld != nullptr && gs->game_mode != kModeEditor && Home() && EmptyWorld()) {
        if (++empty_checks_ >= 3) return Finding(true, "a running game on an empty world");
    } else {
        empty_checks_ = 0;
    }
    // The screen in front takes clicks: the world view or the panel does
    // not stand over it.
    const std::vector<plat::Window*> showing = Showing();
    plat::Window* over = nullptr;
    if (!showing.empty() && !Reachable(showing.front(), &over) &&
        (over == g_pSpielFeld || over == g_pHauptDialog)) {
        if (covered_checks_++ == 0) covered_since_frame_ = frames_;
        if (covered_checks_ >= kHiddenChecks && frames_ - covered_since_frame_ >= kHiddenFrames)
            return Finding(false, "%s stays open under the %s, where no click reaches it",
                           TypeName(showing.front()).c_str(),
                           over == g_pSpielFeld ? "world view" : "panel");
    } else {
        covered_checks_ = 0;
    }
    return CheckLedger();
}

// --- The run ---------------------------------------------------------------------------------

bool Player::ReachTitle() {
    for (int32_t i = 0; i < 2000 && !TitleInFront(); ++i) {
        if (!Frame()) return false;
    }
    return TitleInFront();
}

bool Player::StartBusy() {
    // "Continue" on the title: the busy game is the game left last.
    if (!ReachTitle()) return Finding(false, "the title did not come");
    plat::Window* title = Showing().front();
    for (plat::Window* c : title->Children()) {
        const auto* button = dynamic_cast<const BUTTONS*>(c);
        if (button == nullptr || button->command_id != kCmdTitleContinue) continue;
        Note("title: Continue (the busy game)");
        Click(Centre(c->GetWindowRect()));
        Frames(20);
        return true;
    }
    return Finding(false, "the title has no Continue button");
}

int Player::Play() {
    GetFrameHooks().new_game_seed = &NewGameSeed;
    g_new_game_seed = rng_();
    if (!stepper_.Start()) {
        std::snprintf(report_.end, sizeof report_.end, "start refused");
        return 4;
    }
    plat::Srand(static_cast<uint32_t>(rng_()));
    InstallGameFiles(&files_);
    // Some runs pass the months quickly.
    static constexpr uint32_t kTicks[] = {15000, 15000, 3000, 800};
    g_TickLength = kTicks[Pick(4)];
    bool ok = true;
    if (setup_.start != Start::Title) ok = StartBusy();
    Saved();  // what the data folder held before
    const int32_t round_trip_every = 30 + Pick(30);
    const int32_t way_back_every = 50 + Pick(50);
    while (ok && !ended_ && report_.actions < setup_.max_actions &&
           report_.stop.load(std::memory_order_relaxed) == 0) {
        const std::map<uint64_t, std::string> before = ShowingScreens();
        Act();
        if (ended_) break;
        ok = Check();
        const std::map<uint64_t, std::string> after = ShowingScreens();
        for (const auto& [serial, name] : before) {
            if (ok && after.count(serial) == 0) ok = CheckPanelAgainstRedraw(name);
        }
        if (ok && report_.actions % round_trip_every == 0) ok = CheckRoundTrip() && Check();
        if (ok && report_.actions % way_back_every == 0) ok = CheckWayBack();
        if (const std::string saved = Saved(); !saved.empty() && save_due_.empty()) {
            save_due_ = saved;
        }
        const bool due = !scroll_due_.empty() || !save_due_.empty();
        if (ok && (view_checks_() % kViewCheckEvery == 0 || due)) {
            ok = CheckViewAgainstFullRedraw();
        }
    }
    // Frames after the last check (the program's end, the last view check).
    if (ok) ok = CheckTrainsApart();
    if (!ok) {
        std::snprintf(report_.end, sizeof report_.end, "finding");
        return report_.known != 0 ? 5 : 3;
    }
    if (!ended_) {
        // Every run ends with the window's close.
        Note("close the window (end of run)");
        host_.InjectCloseRequest();
        host_.RunUntilIdle();
        for (int32_t i = 0; i < 200 && !ended_; ++i) Frame();
        if (!ended_) {
            Finding(false, "the window's close did not end the program");
            std::snprintf(report_.end, sizeof report_.end, "finding");
            return 3;
        }
        std::snprintf(report_.end, sizeof report_.end, "closed at the end");
    } else {
        std::snprintf(report_.end, sizeof report_.end, "program ended");
    }
    const int code = stepper_.Finish();
    if (code != 0) {
        Finding(false, "the program ended with status %d", code);
        return 3;
    }
    return 0;
}

}  // namespace

int PlayRun(const RunSetup& setup, RunReport& report) {
    if (chdir(setup.work.c_str()) != 0) return 4;
    int status = 0;
    {
        auto player = std::make_unique<Player>(setup, report);
        status = player->Play();
        if (status != 0) {
            // After a finding the program is left as it is (no leak report
            // of a half-played game).
            std::fflush(nullptr);
            _exit(status);
        }
    }
    return status;
}

}  // namespace soak
