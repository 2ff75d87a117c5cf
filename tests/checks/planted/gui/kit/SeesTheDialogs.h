#pragma once
// Planted for the include-directions check: the widget kit seeing the dialogs above it.
#include "gui/dialogs/objects/DlgPinProp.h"
