#pragma once
// Planted for the include-directions check: the ground floor seeing the shell.
#include "shell/app/SchematicQtApp.h"
