#pragma once
// The game clock: one game tick is a quarter month. The main loop runs a
// tick when the tick length has passed outside the editor and while nothing
// pauses or halts the game.

#include "platform/window.h"

// Advances the calendar by one tick with the monthly and yearly work that
// falls on it. `mainFrame` receives the tick messages (may be null).
void RunGameTick(plat::Window* mainFrame);

// Pieces of the tick, in the order the tick runs them at a month start.
// 1 % interest on the human player's credit (integer division).
void ChargeInterest();
// New year: the annual accounts (on their own only until 1964), the new-year
// sound and the autosave.
void RunNewYearNews();
// March: announces the goods of the industries whose year has come.
void AnnounceNewGoods();
// July: announces the vehicle models and building types whose year has come.
void AnnounceNewModels();

// Marks every good available whose year has passed, or is this year from
// March on.
void MarkGoodsAvailableByDate();
