#pragma once
// The DXF export of a schematic: the whole drawing as an ASCII DXF file of release AC1006,
// with a header, the line-type table and one entity per drawn primitive, in inches. The header
// declares the code page of its text right after the release, where readers look for it.

#include <filesystem>
#include <string>

class CDrawDoc;
class CDxfStream;

// The HEADER, TABLES and ENTITIES sections and the end of file, for the document's objects
// in list order. The extents are the paper's, from (0, 0) to its width and (negative) height,
// with the smaller coordinates as the minimum.
void WriteDxfDrawing(CDrawDoc& document, CDxfStream& stream);

// Writes the drawing to path, replacing the file as a whole; throws FileWriteError naming the
// path when it cannot.
void ExportDxfFile(CDrawDoc& document, const std::filesystem::path& path);

// The name the save dialog proposes: the file-name part of the title, without its extension.
std::string ProposedDxfName(const std::string& title);
