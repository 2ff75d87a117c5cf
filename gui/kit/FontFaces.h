#pragma once
// The font faces the text toolbar offers, the family that draws the Symbol face, and the font
// of the library and palette previews.

#include <QStringList>

#include "platform/GdiTypes.h"

// The scalable font families of the Latin and Symbol writing systems, by family name.
QStringList TextToolbarFaces();

// Font database family entries as a user knows them: without the foundry tag that tells apart
// families of the same name ("C059 [UKWN]" gives "C059"), sorted, each once.
QStringList FamilyNames(QStringList families);

// The family that draws text in the Symbol face: of the installed scalable families, the one
// that holds the most of the characters that face puts on its codes; the family the name
// "Symbol" resolves to wins a tie. That family may hold its signs only under a symbol
// character map, which gives no glyph for their Unicode characters. Found once.
QString SymbolFaceFamily();

// The font of the library and palette previews.
const LOGFONT& GetPreviewLogFont();
