#include "interchange/dxf/DxfExport.h"

#include <algorithm>

#include "interchange/dxf/DxfCodePage.h"
#include "interchange/dxf/DxfEntityWriter.h"
#include "interchange/dxf/DxfLineTypes.h"
#include "interchange/dxf/DxfStream.h"
#include "model/doc/DrawDoc.h"
#include "model/geometry/PlacementMatrix.h"
#include "model/object/DrawObj.h"

namespace {

constexpr double kDrawingUnit = 0.001;
constexpr int kEntitiesPass = 2;
// Room asked for each object of the sheet before its entities are written: more than a shape
// or a line of text takes. Room never written to costs no memory.
constexpr std::size_t kBytesPerObject = 256;

void WriteVariable(CDxfStream& stream, const char* name) {
    stream.WriteString(9, name);
}

void WriteExtent(CDxfStream& stream, const char* name, double x, double y) {
    WriteVariable(stream, name);
    stream.WriteReal(10, x);
    stream.WriteReal(20, y);
    stream.WriteReal(30, 0.0);
}

void WriteHeader(CDxfStream& stream, const SIZE& paper) {
    stream.WriteString(0, "SECTION");
    stream.WriteString(2, "HEADER");
    WriteVariable(stream, "$ACADVER");
    stream.WriteString(1, "AC1006");
    WriteVariable(stream, "$DWGCODEPAGE");
    stream.WriteString(3, kDxfCodePage);
    WriteVariable(stream, "$TEXTSTYLE");
    stream.WriteString(7, "STANDARD");
    WriteVariable(stream, "$CECOLOR");
    stream.WriteInt(62, 256);
    WriteVariable(stream, "$ACUNITS");
    stream.WriteInt(70, 0);
    WriteVariable(stream, "$LUNITS");
    stream.WriteInt(70, 3);
    const double width = paper.cx * kDrawingUnit;
    const double height = paper.cy * kDrawingUnit;
    WriteExtent(stream, "$EXTMIN", std::min(0.0, width), std::min(0.0, height));
    WriteExtent(stream, "$EXTMAX", std::max(0.0, width), std::max(0.0, height));
    WriteVariable(stream, "$FILLMODE");
    stream.WriteInt(70, 1);
    stream.WriteString(0, "ENDSEC");
}

void WriteTables(CDxfStream& stream) {
    stream.WriteString(0, "SECTION");
    stream.WriteString(2, "TABLES");
    DxfWriteLineTypes(stream);
    stream.WriteString(0, "ENDSEC");
}

void WriteEntities(CDrawDoc& document, CDxfStream& stream) {
    stream.WriteString(0, "SECTION");
    stream.WriteString(2, "ENTITIES");
    CDxfEntityWriter writer(stream);
    const CObList& objects = document.GetObjects();
    stream.Reserve(kBytesPerObject * static_cast<std::size_t>(objects.GetCount()));
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(objects.GetNext(pos));
        object->ExportDxf(&writer, kEntitiesPass, kIdentityMatrix);
    }
    stream.WriteString(0, "ENDSEC");
}

}  // namespace

void WriteDxfDrawing(CDrawDoc& document, CDxfStream& stream) {
    stream.WriteString(
        999, "Created by Vosk Schematic from " + DxfCodePageText(document.GetTitle().str()));
    WriteHeader(stream, document.GetPaperSize());
    WriteTables(stream);
    WriteEntities(document, stream);
    stream.WriteString(0, "EOF");
}

void ExportDxfFile(CDrawDoc& document, const std::filesystem::path& path) {
    CDxfStream stream;
    WriteDxfDrawing(document, stream);
    stream.Save(path);
}

std::string ProposedDxfName(const std::string& title) {
    const std::size_t slash = title.find_last_of("/\\");
    std::string name = slash == std::string::npos ? title : title.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return name;
}
