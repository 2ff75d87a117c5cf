#pragma once
// Planted for the include-directions check: the libraries' windows seeing another subsystem's.
#include "gui/drc/DlgDRC.h"
