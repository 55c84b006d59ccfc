#include "state/game_files.h"
#include "state/panel_events.h"
#include "state/sound_events.h"
#include "state/view_events.h"

namespace {

// The installed objects; null means the do-nothing one.
ViewEvents* g_view_events = nullptr;
PanelEvents* g_panel_events = nullptr;
SoundEvents* g_sound_events = nullptr;
GameFiles* g_game_files = nullptr;

template <typename Events>
Events& InstalledOrNone(Events* installed) {
    static Events none;
    return installed != nullptr ? *installed : none;
}

}  // namespace

MouseMoveTimes g_MouseMoveTime;

ViewEvents::~ViewEvents() {
    if (g_view_events == this) g_view_events = nullptr;
}

ViewEvents& Views() {
    return InstalledOrNone(g_view_events);
}

void InstallViewEvents(ViewEvents* view) {
    g_view_events = view;
}

PanelEvents::~PanelEvents() {
    if (g_panel_events == this) g_panel_events = nullptr;
}

PanelEvents& Panel() {
    return InstalledOrNone(g_panel_events);
}

void InstallPanelEvents(PanelEvents* panel) {
    g_panel_events = panel;
}

SoundEvents::~SoundEvents() {
    if (g_sound_events == this) g_sound_events = nullptr;
}

SoundEvents& Sounds() {
    return InstalledOrNone(g_sound_events);
}

void InstallSoundEvents(SoundEvents* sound) {
    g_sound_events = sound;
}

GameFiles::~GameFiles() {
    if (g_game_files == this) g_game_files = nullptr;
}

GameFiles& Files() {
    return InstalledOrNone(g_game_files);
}

void InstallGameFiles(GameFiles* files) {
    g_game_files = files;
}
