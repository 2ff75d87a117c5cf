#pragma once
// Planted for the include-directions check: the drawing tools seeing the shell's view.
#include "shell/view/DrawView.h"
