#pragma once
// Planted for the include-directions check: a dialog reaching above the widget kit.
#include "shell/view/DrawView.h"
