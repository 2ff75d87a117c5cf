#pragma once
// Planted for the include-directions check: the command tables seeing the model beside them.
#include "model/doc/DrawDoc.h"
