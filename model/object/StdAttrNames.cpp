#include "model/object/StdAttrNames.h"

#include <array>

namespace {

constexpr std::array<const char*, kStdAttrCount> kNames = {
    nullptr,       "_Pos",       "_Width",     "_Height",       "_Rotation",     "_ID",
    "_Name",       "_Pref",      "_Inst",      "_DID",          "_Device._Name", "_No",
    "_Type",       "_Footprint", "_Isolation", "_MinConductor", "_Map",          "_Desc",
    "_PinSwap",    "_GateSwap",  "_Path",      "_Implicit",     "_Subcct",       "_Command",
    "_Parameters", "_Directory", "_Value",     "_Cat"};

}  // namespace

const char* GetStdAttrName(int number) {
    if (number < 0 || number >= kStdAttrCount)
        return nullptr;
    return kNames[static_cast<size_t>(number)];
}
