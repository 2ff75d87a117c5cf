#pragma once
// The line types of DXF files: the LTYPE table that every exported file carries, and the
// name of the line type that stands for a pen.

#include <string_view>

#include "platform/GdiTypes.h"

class CDxfStream;

// The LTYPE table, from "TABLE" to "ENDTAB", for the TABLES section.
void DxfWriteLineTypes(CDxfStream& stream);

// The line type of a pen by its style 0 to 6; "CONTINUOUS" without a pen or for any other
// style.
std::string_view DxfLineTypeName(const LOGPEN* pen);
