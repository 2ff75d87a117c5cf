#pragma once
// The font faces the text toolbar offers, and the font of the library and palette previews.

#include <QStringList>

#include "platform/GdiTypes.h"

// The scalable font families of the Latin and Symbol writing systems, by family name.
QStringList TextToolbarFaces();

// Font database family entries as a user knows them: without the foundry tag that tells apart
// families of the same name ("C059 [UKWN]" gives "C059"), sorted, each once.
QStringList FamilyNames(QStringList families);

// The font of the library and palette previews.
const LOGFONT& GetPreviewLogFont();
