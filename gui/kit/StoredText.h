#pragma once
// Stored text shown in a window: valid UTF-8 is read as UTF-8, anything else (text of older
// files) as the Windows Western code page, byte by byte.

#include <QString>
#include <string_view>

QString FromStoredText(std::string_view bytes);
