#pragma once
// The program's own clipboard formats under the names Qt gives Windows clipboard formats, so
// that every window offers and looks for the same name.

#include <QString>

// "application/x-qt-windows-mime;value=\"<format>\"".
QString WindowsMimeType(const char* format);
