// The sound manager: effects on their channels, missing or damaged files,
// ambient sounds with scripted random numbers, the CD music with the real main
// frame and loop; and the program heard from start to play, all with the
// stand-in effects on the headless back end.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/game_app.h"
#include "app/main_frame.h"
#include "cities/city_manager.h"
#include "economy/building_table.h"
#include "panel/control_panel.h"
#include "platform/app.h"
#include "platform/backend.h"
#include "platform/headless/headless_backend.h"
#include "platform/headless/headless_music.h"
#include "platform/messages.h"
#include "platform/random.h"
#include "platform/sound.h"
#include "platform/temp_folder.h"
#include "sound/ambient_sounds.h"
#include "sound/sound_manager.h"
#include "sound_effects.h"
#include "state/data_tables.h"
#include "state/game_state.h"
#include "state/messages.h"
#include "state/world_images.h"
#include "support/frame_host.h"
#include "support/game_scope.h"
#include "view/world_view.h"
#include "world/construction_costs.h"

namespace soundtest {
namespace {

// Every field in view unless `only` names some; the pan is 10 x the field's x.
class StubView : public SPIEL_FELD {
  public:
    StubView() : SPIEL_FELD(kWatchOnly) {}
    void RedrawView() override {}
    void TickAnimations() override {}
    void DrawVehicles(int32_t) override {}
    int32_t IsTileInView(int32_t x, int32_t y) override {
        return only.empty() || std::count(only.begin(), only.end(), std::pair{x, y}) > 0;
    }
    int32_t GetSoundPan(int32_t x, int32_t) override { return x * 10; }
    std::vector<std::pair<int32_t, int32_t>> only;
};

class SoundTest : public ::testing::Test {
  protected:
    SoundTest() {
        std::snprintf(gs.data_paths[kPathSound * kDataPathCopies + gs.install_index],
                      kDataPathLength, "%s", (folder.Path() + "\\fx").c_str());
        for (int e = CSoundManager::kFirstEffect; e <= CSoundManager::kLastEffect; ++e) {
            static std::vector<uint8_t> made[CSoundManager::kLastEffect + 1];
            if (made[e].empty()) made[e] = standin::MakeSoundEffect(e);
            WriteSoundFile(e == 30 ? "fx_30.wav" : "fx_" + std::to_string(e) + "_1.wav", made[e]);
        }
        gs.sound_enabled = 1;
        for (int32_t track = 2; track <= 16; ++track) music.SetTrack(track, 10000);
        host.SetMusicDevice(&music);
        window.Create(nullptr, {0, 0, 10, 10}, WS_POPUP);
        plat::ClearRecordedSoundEvents();
        plat::SetRandSourceForTests([values = rand_] {
            if (values->empty()) return 0;
            const int32_t v = values->front();
            values->pop_front();
            return v;
        });
        ShowView(1);
    }
    ~SoundTest() override {
        plat::SetRandSourceForTests({});
        HideView();
        window.DestroyWindow();
    }
    // A manager made as the start-up makes it, notifying `window`.
    std::unique_ptr<CSoundManager> Make() { return std::make_unique<CSoundManager>(&window); }
    void WriteSoundFile(const std::string& name, const std::vector<uint8_t>& bytes) {
        folder.Write("fx/" + name, std::string(bytes.begin(), bytes.end()));
    }
    // The recorded events of an effect's buffer, then forgets every event.
    std::vector<plat::SoundEvent> TakeEvents(const CSoundManager& sound, int32_t effect) {
        std::vector<plat::SoundEvent> events;
        const plat::SoundBuffer* buffer = sound.Effect(effect);
        for (const plat::SoundEvent& e : plat::RecordedSoundEvents()) {
            if (buffer != nullptr && e.buffer == buffer->Id()) events.push_back(e);
        }
        plat::ClearRecordedSoundEvents();
        return events;
    }
    // Starts (value 0: played once) of an effect's buffer, then forgets every event.
    int32_t Starts(const CSoundManager& sound, int32_t effect) {
        const auto events = TakeEvents(sound, effect);
        return int32_t(std::count(
            events.begin(), events.end(),
            plat::SoundEvent{plat::SoundEventKind::Start, sound.Effect(effect)->Id(), 0}));
    }
    // Pulls `ms` milliseconds out of the mixer.
    void Render(uint32_t ms) {
        std::vector<int16_t> frames(size_t(plat::kAudioRate) * ms / 1000 * 2);
        host.RenderAudio(frames.data(), int(frames.size() / 2));
    }
    // Rand gives these values, then 0 forever.
    void ScriptRand(std::vector<int32_t> values) { rand_->assign(values.begin(), values.end()); }
    size_t RandLeft() const { return rand_->size(); }
    void ShowView(int32_t zoom) { view.zoom = zoom, g_pSpielFeld = &view; }
    void HideView() { g_pSpielFeld = nullptr; }
    plat::HeadlessBackend host;
    plat::HeadlessMusic music;
    fvtest::TempFolder folder;
    fvtest::GameScope scope;
    CGameState& gs = scope.state();
    StubView view;
    plat::Window window;

  private:
    std::shared_ptr<std::deque<int32_t>> rand_ = std::make_shared<std::deque<int32_t>>();
};

using plat::SoundEvent;
using plat::SoundEventKind;

// The events of an effect played at `volume` and `pan`.
std::vector<SoundEvent> Played(const plat::SoundBuffer* b, int32_t volume, int32_t pan = 0) {
    return {{SoundEventKind::Volume, b->Id(), volume},
            {SoundEventKind::Pan, b->Id(), pan},
            {SoundEventKind::Start, b->Id(), 0}};
}

TEST_F(SoundTest, ChannelsFollowOptionsZoomAndView) {
    struct Row {
        const char* what;
        int32_t zoom;  // 0: no world view
        int32_t ambient, vehicles, channel;
        int32_t volume;  // 1: nothing plays
    };
    const Row rows[] = {
        {"construction 1:1", 1, 1, 1, 0, 0},          {"construction 1:2", 2, 1, 1, 0, -800},
        {"surroundings 1:4", 4, 1, 1, 3, -1600},      {"animation 1:2", 2, 1, 1, 4, -800},
        {"vehicle 1:4", 4, 1, 1, 1, -1600},           {"news at every zoom", 4, 1, 1, 5, 0},
        {"overview: construction", 16, 1, 1, 0, 1},   {"overview: vehicle", 16, 1, 1, 1, 1},
        {"overview: news", 16, 1, 1, 5, 0},           {"channel 2", 1, 1, 1, 2, 1},
        {"ambient off: construction", 1, 0, 1, 0, 1}, {"ambient off: surroundings", 1, 0, 1, 3, 1},
        {"ambient off: news", 1, 0, 1, 5, 1},         {"ambient off: vehicle", 1, 0, 1, 1, 0},
        {"vehicles off: vehicle", 1, 1, 0, 1, 1},     {"vehicles off: construction", 1, 1, 0, 0, 0},
        {"no view: construction", 0, 1, 1, 0, 1},     {"no view: news", 0, 1, 1, 5, 0},
    };
    auto sound = Make();
    ASSERT_EQ(sound->ready, 1);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        sound->StopEffects();  // every slot free again
        sound->ResumeEffects();
        row.zoom == 0 ? HideView() : ShowView(row.zoom);
        gs.opt_ambient_sounds = row.ambient;
        gs.opt_vehicle_sounds = row.vehicles;
        plat::ClearRecordedSoundEvents();
        sound->PlayEffect(7, row.channel, -2500);
        EXPECT_EQ(TakeEvents(*sound, 7), row.volume == 1
                                             ? std::vector<SoundEvent>{}
                                             : Played(sound->Effect(7), row.volume, -2500));
    }
}

TEST_F(SoundTest, BusySlotsDropRequestsAndAStopKeepsThePosition) {
    auto sound = Make();
    sound->PlayEffect(22, 3, 0);
    sound->PlayEffect(24, 3, 0);  // the mill's saw still sounds
    EXPECT_EQ(std::tuple(Starts(*sound, 24), sound->channel_slots[3]), std::tuple(0, 22));
    Render(1300);  // the saw (1.2 s) has ended
    sound->PlayEffect(24, 3, 0);
    EXPECT_EQ(std::tuple(Starts(*sound, 24), sound->channel_slots[3]), std::tuple(1, 24));
    // Vehicles: slot 1, its overflow slot 2, then nothing.
    for (int32_t effect : {4, 5, 6}) sound->PlayEffect(effect, 1, 0);
    EXPECT_EQ(std::tuple(sound->channel_slots[2], Starts(*sound, 6)), std::tuple(5, 0));
    // The same effect as slot 1 is dropped even with slot 2 free.
    sound->StopEffects();
    sound->ResumeEffects();
    sound->PlayEffect(9, 1, 0);
    sound->PlayEffect(9, 1, 0);
    EXPECT_EQ(sound->channel_slots[2], -1);
    // A stop keeps the position and mutes until resumed.
    const uint32_t id = sound->Effect(24)->Id();
    sound->PlayEffect(24, 3, 0);
    Render(500);
    TakeEvents(*sound, 24);
    sound->StopEffects();
    const auto stopped = TakeEvents(*sound, 24);
    ASSERT_EQ(stopped.size(), 1u);
    const int32_t kept = stopped[0].value;  // the position of the stop
    EXPECT_NEAR(kept, 11025 / 2, 200);
    for (int32_t channel : {0, 1, 3, 4, 5}) sound->PlayEffect(24, channel, 0);
    EXPECT_EQ(Starts(*sound, 24), 0);  // muted
    sound->ResumeEffects();
    sound->PlayEffect(24, 3, 0);  // goes on from the kept position
    EXPECT_EQ(Starts(*sound, 24), 1);
    const uint32_t restMs = (11025 - uint32_t(kept)) * 1000 / 11025;
    Render(restMs - 20);
    EXPECT_EQ(TakeEvents(*sound, 24), std::vector<SoundEvent>{});
    Render(40);
    EXPECT_EQ(TakeEvents(*sound, 24), (std::vector<SoundEvent>{{SoundEventKind::End, id, 0}}));
    // An effect displaced by channel 0 plays on untracked: the stop misses it.
    sound->PlayEffect(2, 0, 0);
    sound->PlayEffect(3, 0, 0);
    plat::ClearRecordedSoundEvents();
    sound->StopEffects();
    EXPECT_EQ(TakeEvents(*sound, 2), std::vector<SoundEvent>{});
    sound->PlayEffect(3, 0, 0);
    EXPECT_EQ(sound->Effect(2)->GetStatus() & plat::kSoundStatusPlaying, plat::kSoundStatusPlaying);
}

TEST_F(SoundTest, NoSoundDeviceLeavesTheMusic) {
    for (bool switchedOff : {true, false}) {
        gs.sound_enabled = switchedOff ? 0 : 1;
        host.SetAudioAvailable(switchedOff);
        auto sound = Make();
        EXPECT_EQ(sound->ready, 0);
        for (int32_t effect = 2; effect <= 39; ++effect) ASSERT_EQ(sound->Effect(effect), nullptr);
        sound->PlayEffect(30, 5, 0);
        sound->StopEffects();
        sound->PlayTitleMusic();
        EXPECT_EQ(music.PlayingTrack(), 2);
    }
    EXPECT_TRUE(host.MessageBoxes().empty());
}

TEST_F(SoundTest, DamagedWavesAreCheckedAgainstTheFile) {
    auto wave = [](uint32_t formatLength, uint32_t dataLength, size_t samples) {
        std::vector<uint8_t> file = standin::WaveFile(std::vector<uint8_t>(samples, 200));
        for (int i = 0; i < 4; ++i) {
            file[16 + size_t(i)] = uint8_t(formatLength >> (8 * i));
            file[40 + size_t(i)] = uint8_t(dataLength >> (8 * i));
        }
        return file;
    };
    struct Row {
        const char* what;
        std::vector<uint8_t> file;
        uint32_t bytes;  // 0: the effect stays absent
    };
    const Row rows[] = {
        {"whole", wave(16, 300, 300), 300},
        {"no samples", wave(16, 0, 300), 0},
        {"truncated data", wave(16, 5000, 300), 300},
        {"huge format length", wave(0xFFFFFFF0u, 300, 300), 0},
        {"format past the end", wave(400, 300, 300), 0},
        {"header only", std::vector<uint8_t>(30, 1), 0},
        {"empty", {}, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        WriteSoundFile("fx_5_1.wav", row.file);
        auto sound = Make();
        plat::SoundBuffer* buffer = sound->Effect(5);
        sound->PlayEffect(5, 1, 0);  // skipped when absent
        if (row.bytes == 0) {
            EXPECT_EQ(buffer, nullptr);
            continue;
        }
        ASSERT_NE(buffer, nullptr);
        const bool last = buffer->SetCurrentPosition(row.bytes - 1);
        EXPECT_EQ(std::tuple(last, buffer->SetCurrentPosition(row.bytes)), std::tuple(true, false));
    }
}

TEST_F(SoundTest, CancelInTheMissingSoundBoxEndsEverything) {
    std::filesystem::remove(folder.Path() + "/fx/fx_7_1.wav");
    host.QueueMessageBoxAnswer(IDRETRY);
    host.QueueMessageBoxAnswer(IDCANCEL);
    auto sound = Make();
    ASSERT_EQ(host.MessageBoxes().size(), 2u);
    EXPECT_NE(host.MessageBoxes()[0].text.find("fx_7_1.wav"), std::string::npos);
    // Effect 6 was loaded before: released.
    EXPECT_EQ(std::tuple(host.Recorder().Count(plat::MessageTrace::Kind::Sent, &window, kMsgAbort),
                         sound->ready, sound->Effect(6), host.AudioOpen()),
              std::tuple(1u, 0, nullptr, false));
    sound->PlayEffect(30, 5, 0);
    sound->StopEffects();
    sound->ResumeEffects();
    sound->PlayTitleMusic();
    sound->OnMusicNotify();
    EXPECT_TRUE(music.Records().empty());
    EXPECT_EQ(host.MessageBoxes().size(), 2u);
}

class AmbientTest : public SoundTest {
  protected:
    AmbientTest() {
        std::tie(lumber.type, lumber.anchor_x, lumber.anchor_y) =
            std::tuple(kTypeLumberMill, 40, 41);
        std::tie(steel.type, steel.anchor_x, steel.anchor_y) = std::tuple(kTypeSteelMill, 60, 61);
        buildings.buildings[7] = &steel;
        buildings.buildings[9] = &lumber;
        scope.Set(g_ppBuildings, &buildings);
        std::copy_n(std::array{100, 200, 300, 400}.begin(), 4, gs.size_class_thresholds);
        for (int32_t i = 0; i < 3; ++i) {
            std::tie(towns[i].origin_x, towns[i].origin_y) = std::tuple(100 + 10 * i, 50);
            cities.cities[2 * i] = &towns[i];  // slots 0, 2, 4
        }
        scope.Set(g_pCityManager, &cities);
        sound = Make();
    }
    ~AmbientTest() override { buildings.buildings[7] = buildings.buildings[9] = nullptr; }
    // Field (x, y) of town i's centre.
    static std::pair<int32_t, int32_t> Centre(int32_t i) { return {113 + 10 * i, 63}; }
    // One decision (the hundredth passed gate) with these random numbers;
    // the effect heard and its pan (0 when silent).
    std::pair<int32_t, int32_t> Decide(std::vector<int32_t> rands) {
        g_AmbientCounter = 99;
        rands.insert(rands.begin(), 49);  // the gate, just passed
        ScriptRand(rands);
        plat::ClearRecordedSoundEvents();
        sound->PlayAmbientSounds();
        EXPECT_EQ(RandLeft(), 0u) << "random numbers left over";
        std::pair<int32_t, int32_t> heard{0, 0};
        for (const plat::SoundEvent& e : plat::RecordedSoundEvents()) {
            for (int32_t effect = 2; effect <= 39; ++effect) {
                if (e.kind == plat::SoundEventKind::Pan && e.buffer == sound->Effect(effect)->Id())
                    heard = {effect, e.value};
            }
        }
        sound->StopEffects();  // slot 3 free for the next decision
        sound->ResumeEffects();
        return heard;
    }
    CBuilding lumber, steel;
    CBuildingTable buildings;
    CCity towns[3];
    CCityManager cities;
    std::unique_ptr<CSoundManager> sound;
};

TEST_F(AmbientTest, DecisionsBySeasonMillAndTown) {
    towns[1].residents = 500;  // above T3: classes 1 to 4
    view.only = {{40, 41}, Centre(1)};
    struct Row {
        const char* what;
        int32_t season;
        std::vector<int32_t> rands;  // after the gate
        std::pair<int32_t, int32_t> heard;
    };
    const Row rows[] = {
        {"spring, third", 1, {0, 2}, {33, 0}},
        {"autumn, first", 3, {39, 0}, {37, 0}},
        {"no season", 0, {10}, {0, 0}},
        {"r = 40", 1, {40}, {0, 0}},
        {"r = 70", 1, {70}, {0, 0}},
        {"lumber mill in view", 1, {41, 0}, {22, 400}},
        {"only the other mill in view", 1, {69, 1}, {0, 0}},
        {"big town, class 1", 1, {71, 0}, {17, 1230}},
        {"big town, class 2", 1, {100, 1}, {18, 1230}},
        {"big town, class 3", 1, {80, 2, 2}, {21, 1230}},
        {"big town, class 4", 1, {80, 3, 0}, {19, 1230}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        gs.season = row.season;
        EXPECT_EQ(Decide(row.rands), row.heard);
    }
    // One decision per hundred passed gates.
    std::vector<int32_t> rands;
    for (int i = 0; i < 99; ++i) rands.insert(rands.end(), {50, 32767, 0});  // shut, shut, passed
    rands.insert(rands.end(), {0, 0, 1});  // the hundredth: season, second variant
    ScriptRand(rands);
    g_AmbientCounter = 0;
    gs.season = 2;
    for (int i = 0; i < 3 * 99 + 1; ++i) sound->PlayAmbientSounds();
    EXPECT_EQ(std::tuple(RandLeft(), g_AmbientCounter, Starts(*sound, 35)), std::tuple(0u, 0, 1));
}

TEST_F(AmbientTest, TownClassesAndInViewFlags) {
    towns[0].residents = 100;  // exactly T0: no class
    towns[1].residents = 50;   // class 0
    towns[2].in_view = 1;
    view.only = {Centre(0)};
    EXPECT_EQ(Decide({90}), (std::pair<int32_t, int32_t>{0, 0}));
    EXPECT_EQ(std::tuple(towns[0].in_view, towns[2].in_view), std::tuple(1, 0));
    view.only = {Centre(0), Centre(1), Centre(2)};
    ShowView(16);  // decided and flagged, but not heard
    EXPECT_EQ(Decide({90, 0}), (std::pair<int32_t, int32_t>{0, 0}));
    EXPECT_EQ(towns[2].in_view, 1);
    ShowView(2);
    EXPECT_EQ(Decide({90, 0}), (std::pair<int32_t, int32_t>{17, 1230}));
}

using Kind = plat::HeadlessMusic::Record::Kind;

class MusicTest : public ::testing::Test {
  protected:
    MusicTest() {
        for (int32_t track = 2; track <= 16; ++track) music.SetTrack(track, 1000);
        h.host.SetMusicDevice(&music);
        h.gs->game_mode = kModeEditor;  // no game tick in these loop turns
        delete h.sound;
        h.sound = nullptr;
        sound = new CSoundManager(h.frame);  // the frame's shutdown deletes it
        g_pSound = sound;
    }
    // Runs the loop for `ms` of fake time.
    void Run(uint32_t ms) {
        for (uint32_t t = 0; t < ms; t += 10) {
            h.host.AdvanceClock(10);
            h.Turn();
        }
    }
    // Tracks started since the last call.
    std::vector<int32_t> Started() {
        std::vector<int32_t> tracks;
        for (const auto& r : music.Records()) {
            if (r.kind == Kind::Start) tracks.push_back(r.track);
        }
        music.ClearRecords();
        return tracks;
    }
    int32_t Entry(int32_t pos) const { return sound->playlist[size_t(pos % 48)]; }
    plat::HeadlessMusic music;  // outlives the manager
    fvtest::FrameHost h;
    CSoundManager* sound = nullptr;
};

// The start-up acceptance test hears the title and the wait between game
// tracks; here the playlist wraps, a pause halts once and resumes where it
// was, the option silences the game music but not the title, and screen
// music hands back to the playlist through the stop notification.
TEST_F(MusicTest, PlaylistPauseOptionAndScreenMusic) {
    sound->playlist_pos = 47;
    sound->music_playing = 1;
    sound->OnMusicNotify();
    EXPECT_EQ(std::tuple(sound->playlist_pos, Started()), std::tuple(0, std::vector<int32_t>{5}));
    h.host.AdvanceClock(300);
    sound->PauseMusic();
    sound->PauseMusic();
    EXPECT_EQ(music.Records().size(), 1u);  // one halt
    sound->ResumeMusic();                   // on from the paused position
    EXPECT_EQ(music.Records().back().ms, 300u);
    Run(1500);  // played to its end: the wait
    ASSERT_GE(sound->music_wait, 15000);
    const int32_t pos = sound->playlist_pos;
    sound->PlayProductionMusic();
    sound->PlaySalesMusic();
    sound->PauseMusic();
    sound->PlaySalesMusicIfIdle();  // on from where it paused
    EXPECT_EQ(Started(), (std::vector<int32_t>{5, 3, 4, 4}));
    sound->NextPlaylistTrack();
    Run(100);
    ASSERT_GE(sound->music_wait, 15000);
    Run(uint32_t(sound->music_wait) + 100);
    EXPECT_EQ(Started(), std::vector<int32_t>{Entry(pos + 2)});  // the stop moved on one
    sound->OnMusicNotify();  // a new play aborts the old one: no wait
    Run(100);
    EXPECT_EQ(std::tuple(sound->music_wait, Started()),
              std::tuple(-1, std::vector<int32_t>{Entry(pos + 3)}));
    sound->PauseMusic();
    h.gs->opt_music = 0;
    sound->ResumeMusic();
    sound->OnMusicNotify();
    EXPECT_TRUE(Started().empty());
    sound->PlayTitleMusic();
    Run(1500);  // the title track ended: no wait, it is not repeated by itself
    EXPECT_EQ(std::tuple(sound->music_wait, Started()), std::tuple(-1, std::vector<int32_t>{2}));
}

std::vector<SoundEvent> EventsOf(const plat::SoundBuffer* buffer) {
    std::vector<SoundEvent> events;
    for (const SoundEvent& e : plat::RecordedSoundEvents()) {
        if (e.buffer == buffer->Id() && e.kind != SoundEventKind::End) events.push_back(e);
    }
    return events;
}

class SoundAcceptance : public ::testing::Test {
  protected:
    fvtest::TempFolder folder;
};

TEST_F(SoundAcceptance, TitleGameConstructionNewsAndTheNextTrack) {
    fvtest::WriteStartPictures(folder.Path());
    fvtest::WriteWorldPictures(folder.Path());
    fvtest::WriteSoundEffects(folder.Path());
    folder.Write("ferrovane.ini", "[OPTIONEN]\r\nAudio=0\r\nAutosave=0\r\n");
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path());
    plat::HeadlessMusic music;
    for (int32_t track = 2; track <= 16; ++track) music.SetTrack(track, 20000);
    {
        plat::HeadlessBackend host;
        host.SetMusicDevice(&music);
        GetFrameHooks().create_world_view = [](HAUPTFENSTER& frame, const plat::Rect& area) {
            auto* view = new StubView;
            view->Create(&frame, area, WS_CHILD | WS_VISIBLE);
            view->zoom = 2;
            return static_cast<SPIEL_FELD*>(view);
        };
        CGameApp app;
        plat::ApplicationStepper stepper(app, host);
        ASSERT_TRUE(stepper.Start());
        ASSERT_NE(g_pSound, nullptr);
        EXPECT_EQ(g_pSound->ready, 1);
        auto run = [&](uint32_t ms) {
            for (uint32_t t = 0; t < ms; t += 10) {
                host.AdvanceClock(10);
                stepper.Turn();
            }
        };
        // 1. The title plays track 2 although the music option is off.
        run(7100);  // the two logos
        auto* frame = static_cast<HAUPTFENSTER*>(app.mainWindow);
        ASSERT_NE(frame->Screen(FrameScreen::Start), nullptr);
        EXPECT_EQ(music.PlayingTrack(), 2);
        // 2. A new game (its world view made directly) stops the title music
        // and, with the option on, starts the game music.
        frame->DeleteScreen(FrameScreen::Start);
        EXPECT_EQ(music.PlayingTrack(), 0);
        CGameState& gs = *g_pGameState;
        gs.screen_open = 0;  // as the title's result does
        gs.opt_music = 1;
        ASSERT_TRUE(frame->StartWorldView(kModeGame));
        LoadObjectImages();  // as a level read does: it hands the music back
        g_pSound->ResumeEffects();
        g_pSound->OnMusicNotify();
        const int32_t firstTrack = music.PlayingTrack();
        EXPECT_GE(firstTrack, 5);
        // 3. A construction at zoom 1:2, and the new year's news of a game tick.
        plat::ClearRecordedSoundEvents();
        PlayBuildEffect(2);
        EXPECT_EQ(EventsOf(g_pSound->Effect(2)), Played(g_pSound->Effect(2), -800));
        gs.week = 3;
        gs.month = 11;
        // 4. The game track ends; the next entry follows 15 to 30 s later.
        uint32_t ended = 0;
        uint32_t started = 0;
        for (int i = 0; i < 6000 && started == 0; ++i) {
            run(10);
            // The new year's annual accounts: the player reads them and
            // presses OK (while they are open the next track waits).
            if (g_pHauptDialog != nullptr && g_pHauptDialog->year_summary != nullptr) {
                plat::SendMessage(dynamic_cast<plat::Window*>(g_pHauptDialog->year_summary),
                                  WM_COMMAND, kCmdOk, 0);
            }
            if (ended == 0 && music.PlayingTrack() == 0) ended = host.Now();
            if (ended != 0 && music.PlayingTrack() != 0) started = host.Now();
        }
        EXPECT_NE(started, 0u);
        EXPECT_TRUE(started - ended >= 15000u && started - ended <= 30100u) << started - ended;
        EXPECT_EQ(music.PlayingTrack(), g_pSound->current_track);
        EXPECT_NE(music.PlayingTrack(), firstTrack);
        EXPECT_EQ(EventsOf(g_pSound->Effect(30)), Played(g_pSound->Effect(30), 0));
        EXPECT_EQ(gs.year, 1961);
        host.InjectCloseRequest();
        for (int turns = 0; stepper.Turn() && turns < 100; ++turns) {
        }
        stepper.Finish();
        EXPECT_EQ(g_pSound, nullptr);
        GetFrameHooks() = FrameHooks{};
    }
    std::filesystem::current_path(previous);
}

// Peak of |sample| over both channels of frames [from, to).
int32_t Peak(const std::vector<int16_t>& frames, double from, double to) {
    int32_t peak = 0;
    for (size_t i = size_t(from * plat::kAudioRate); i < size_t(to * plat::kAudioRate); ++i) {
        peak = std::max(
            {peak, std::abs(int32_t(frames[2 * i])), std::abs(int32_t(frames[2 * i + 1]))});
    }
    return peak;
}

// A 16-bit stereo wave file of the frames, to listen to.
void WriteStereoWave(const std::string& path, const std::vector<int16_t>& frames) {
    const uint32_t bytes = uint32_t(frames.size() * 2), rate = plat::kAudioRate;
    const uint32_t head[] = {0x46464952, 36 + bytes, 0x45564157, 0x20746d66, 16,   0x00020001,
                             rate,       rate * 4,   0x00100004, 0x61746164, bytes};
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(head), sizeof head);
    out.write(reinterpret_cast<const char*>(frames.data()), bytes);
}

TEST_F(SoundAcceptance, MixerOutputOfABuildAndANews) {
    plat::HeadlessBackend host;
    fvtest::GameScope scope;
    fvtest::WriteSoundEffects(folder.Path());
    scope.state().sound_enabled = 1;
    std::snprintf(
        scope.state().data_paths[kPathSound * kDataPathCopies + scope.state().install_index],
        kDataPathLength, "%s", (folder.Path() + "\\fx").c_str());
    StubView view;
    g_pSpielFeld = &view;
    auto sound = std::make_unique<CSoundManager>(nullptr);
    std::vector<int16_t> frames(size_t(plat::kAudioRate) * 2 * 2);
    const int half = plat::kAudioRate;
    sound->PlayEffect(2, 0, 0);  // the thud, 0.4 s
    host.RenderAudio(frames.data(), half);
    sound->PlayEffect(30, 5, 0);  // the chime, 0.7 s
    host.RenderAudio(frames.data() + 2 * size_t(half), half);
    const char* tmp = std::getenv("FV_TEST_TMP");
    const std::string dir = tmp != nullptr ? tmp : folder.Path();
    std::filesystem::create_directories(dir);
    WriteStereoWave(dir + "/build_and_news.wav", frames);
    // Sound while each effect plays, silence after it.
    EXPECT_EQ(std::tuple(Peak(frames, 0.0, 0.3) > 2000, Peak(frames, 0.45, 1.0),
                         Peak(frames, 1.0, 1.6) > 2000, Peak(frames, 1.75, 2.0)),
              std::tuple(true, 0, true, 0));
    EXPECT_TRUE(std::filesystem::exists(dir + "/build_and_news.wav"));
    g_pSpielFeld = nullptr;
}

}  // namespace
}  // namespace soundtest
