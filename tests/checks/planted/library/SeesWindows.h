#pragma once
// Planted for the include-directions check: the libraries seeing their own windows.
#include "gui/library/LibraryBar.h"
