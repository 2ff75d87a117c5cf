#pragma once
// The font faces the text toolbar offers.

#include <QStringList>

// The scalable font families of the Latin and Symbol writing systems, by family name.
QStringList TextToolbarFaces();

// Font database family entries as a user knows them: without the foundry tag that tells apart
// families of the same name ("C059 [UKWN]" gives "C059"), sorted, each once.
QStringList FamilyNames(QStringList families);
