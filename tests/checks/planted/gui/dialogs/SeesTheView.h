#pragma once
// Planted for the include-directions check: a dialog reaching the shell above it.
#include "shell/view/DrawView.h"
