#pragma once
// The two ways the main frame makes a world: a new game generates everything;
// the editor's new-world request regenerates the whole world or only the
// phases it chose. Both open the generation-progress screen by sending the
// frame WM_USER+100 and close it with WM_USER+101, and report their progress
// through Progress() (state/progress_events.h).
//
//   HAUPTFENSTER::StartGame:     ... GenerateNewGameWorld(this); ...
//   HAUPTFENSTER::OnNewWorldDone: delete the screen; ...; RegenerateWorld(this, lParam);

#include "platform/window.h"

// A new game's world: every field marked changed, the progress screen
// opened and reset, the grid reset (which also frees every way node), all
// cities removed, the whole generator run, the screen closed.
void GenerateNewGameWorld(plat::Window* frame);

// The editor's new-world request. lParam other than 0 does nothing. With
// `regen_world` every building is demolished, forests and cities removed,
// the grid reset and the whole world generated; otherwise the phases chosen
// by `regen_cities`, `regen_woods` and `regen_industries` run one after the
// other. Afterwards the world view is redrawn and the screen closed.
void RegenerateWorld(plat::Window* frame, plat::LParam lParam);

// Demolishes every building of slots 1..1023 and deletes them all; the
// fields of any building that demolition leaves standing are cleared too.
void DemolishAllBuildings();
