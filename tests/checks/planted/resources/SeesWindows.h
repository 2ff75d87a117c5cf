#pragma once
// Planted for the include-directions check: the command tables seeing the widget kit.
#include "gui/kit/PropertySheet.h"
