#pragma once
// Planted for the include-directions check: the core seeing Qt and the widget kit.
#include <QString>

#include "shell/kit/QtDC.h"
