#include "state/panel_events.h"
#include "state/sound_events.h"
#include "state/view_events.h"

namespace {

// The installed objects; null means the do-nothing one.
ViewEvents* g_view_events = nullptr;
PanelEvents* g_panel_events = nullptr;
SoundEvents* g_sound_events = nullptr;

template <typename Events>
Events& InstalledOrNone(Events* installed) {
    static Events none;
    return installed != nullptr ? *installed : none;
}

}  // namespace

ViewEvents::~ViewEvents() {
    UninstallViewEvents(*this);
}

ViewEvents& Views() {
    return InstalledOrNone(g_view_events);
}

void InstallViewEvents(ViewEvents& view) {
    g_view_events = &view;
}

void UninstallViewEvents(const ViewEvents& view) {
    if (g_view_events == &view) g_view_events = nullptr;
}

PanelEvents::~PanelEvents() {
    UninstallPanelEvents(*this);
}

PanelEvents& Panel() {
    return InstalledOrNone(g_panel_events);
}

void InstallPanelEvents(PanelEvents& panel) {
    g_panel_events = &panel;
}

void UninstallPanelEvents(const PanelEvents& panel) {
    if (g_panel_events == &panel) g_panel_events = nullptr;
}

SoundEvents::~SoundEvents() {
    UninstallSoundEvents(*this);
}

SoundEvents& Sounds() {
    return InstalledOrNone(g_sound_events);
}

void InstallSoundEvents(SoundEvents& sound) {
    g_sound_events = &sound;
}

void UninstallSoundEvents(const SoundEvents& sound) {
    if (g_sound_events == &sound) g_sound_events = nullptr;
}
