#pragma once
// The keyboard accelerator table of the game (92 keys), which the main frame
// loads while no screen is open.

#include "platform/accelerators.h"

const plat::AcceleratorTable& KeyTable();
