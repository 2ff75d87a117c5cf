#pragma once
// Planted for the include-directions check: the model seeing the widget kit.
#include "gui/kit/QtDC.h"
