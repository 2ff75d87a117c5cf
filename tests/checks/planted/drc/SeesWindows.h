#pragma once
// Planted for the include-directions check: the design rules seeing their own windows.
#include "gui/drc/DlgDRC.h"
