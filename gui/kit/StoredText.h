#pragma once
// Stored text shown in a window: valid UTF-8 is read as UTF-8, anything else (text of older
// files) as the Windows Western code page, byte by byte.

#include <QString>
#include <string_view>

#include "platform/CString.h"

QString FromStoredText(std::string_view bytes);
// The text of a field as it is to be stored: the stored bytes it was filled from while it shows
// them unchanged, so that text of older files is given back as it is stored; else the text
// shown, in UTF-8.
CString ToStoredText(const QString& shown, const CString& stored);
