#pragma once
// Planted for the include-directions check: the DXF export seeing the shell's view.
#include "shell/view/DrawView.h"
