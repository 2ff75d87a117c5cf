#include "interchange/dxf/DxfLineTypes.h"

#include <array>
#include <initializer_list>

#include "interchange/dxf/DxfStream.h"

namespace {

struct LineType {
    const char* name;
    const char* description;
    double length;
    std::initializer_list<double> elements;  // dashes positive, gaps negative
};

// Indexed by the pen style.
const std::array<LineType, 7> kLineTypes = {{
    {"CONTINUOUS", "Solid line", 0.0, {}},
    {"DASHED", "Dashed", 0.00033, {0.00022, -0.00011}},
    {"HIDDEN", "Hidden", 0.000165, {0.00011, -0.000055}},
    {"CENTER", "Centre", 0.00088, {0.00055, -0.00011, 0.00011, -0.00011}},
    {"PHANTOM", "PHANTOM", 0.0011, {0.00055, -0.00011, 0.00011, -0.00011, 0.00011, -0.00011}},
    {"DOT", "Dot", 0.00011, {0.0, -0.00011}},
    {"DASHDOT", "DashDot", 0.00044, {0.00022, -0.00011, 0.0, -0.00011}},
}};

constexpr int kTableEntries = 9;
constexpr int kLineTypeFlags = 64;
constexpr int kAlignment = 65;  // 'A'

}  // namespace

void DxfWriteLineTypes(CDxfStream& stream) {
    stream.WriteString(0, "TABLE");
    stream.WriteString(2, "LTYPE");
    stream.WriteInt(70, kTableEntries);
    for (const LineType& type : kLineTypes) {
        stream.WriteString(0, "LTYPE");
        stream.WriteString(2, type.name);
        stream.WriteInt(70, kLineTypeFlags);
        stream.WriteString(3, type.description);
        stream.WriteInt(72, kAlignment);
        stream.WriteInt(73, static_cast<int>(type.elements.size()));
        stream.WriteReal(40, type.length);
        for (double element : type.elements)
            stream.WriteReal(49, element);
    }
    stream.WriteString(0, "ENDTAB");
}

std::string_view DxfLineTypeName(const LOGPEN* pen) {
    if (!pen || pen->lopnStyle >= kLineTypes.size())
        return kLineTypes[0].name;
    return kLineTypes[pen->lopnStyle].name;
}
