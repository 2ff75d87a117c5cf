#pragma once
// Planted for the include-directions check: the headless drawing tools seeing Qt.
#include <QPoint>
