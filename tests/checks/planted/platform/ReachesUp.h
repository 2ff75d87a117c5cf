#pragma once
// Planted for the include-directions check: the ground floor reaching the model.
#include "model/doc/DrawDoc.h"
