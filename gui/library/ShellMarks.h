#pragma once
// How the library browser marks libraries and their records: a text colour and a small mark
// per kind.

#include <QColor>
#include <QIcon>

#include "platform/Types.h"

// Libraries and models RGB(150,75,150), symbols RGB(189,26,99), circuits RGB(0,222,0),
// devices RGB(77,103,147); other kinds the palette's text colour (invalid here).
QColor LibraryKindColour(UINT kind);
// A 16 x 16 mark for a library or record kind; a null icon for other kinds.
QIcon LibraryKindMark(UINT kind);
