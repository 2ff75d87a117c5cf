#include "drc/DrcFinding.h"

#include "model/device/Device.h"
#include "model/net/Net.h"
#include "model/object/StdAttrNames.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"

namespace {

CString LevelPrefix(int level) {
    switch (level) {
        case 1:
            return "Warning: ";
        case 2:
            return "Error: ";
        default:
            return "Undefined Level:";
    }
}

CString KindText(const DrcFinding& finding) {
    switch (finding.kind) {
        case kDrcPinConnection:
            return CDrcError::GetPinText(*static_cast<CPin*>(finding.first)) + " connected to " +
                   CDrcError::GetPinText(*static_cast<CPin*>(finding.second));
        case kDrcUnconnectedPin:
            return CDrcError::GetPinText(*static_cast<CPin*>(finding.first)) + " not connected.";
        case kDrcEmptyNet:
            return "Empty net - " + CDrcError::GetNetText(*static_cast<const CNet*>(finding.first));
        case kDrcOnePinNet:
            return "Net " + CDrcError::GetNetText(*static_cast<const CNet*>(finding.first)) +
                   " connects only one pin.";
        case kDrcShortedSymbol:
            return "Symbol " + static_cast<CSymbol*>(finding.first)->GetStdAttr(kStdAttrId) +
                   " pins shorted.";
        case kDrcSharedPin:
            return static_cast<const CDevice*>(finding.first)->GetStdAttr(kStdAttrName) +
                   " unconnected shared pin :" + finding.pinName;
        case kDrcShortedRails:
        case kDrcRenamedRail:
            return finding.detail + ".";
        case kDrcUnnamedTie:
            return finding.detail;
        default:
            return CString();
    }
}

}  // namespace

CString CDrcError::Format(const DrcFinding& finding) {
    if (finding.level <= 0)
        return "No Error";
    return LevelPrefix(finding.level) + KindText(finding);
}

CString CDrcError::GetNetText(const CNet& net) {
    const CString id = net.GetStdAttr(kStdAttrId);
    return id.IsEmpty() ? CString("(no identifier)") : id;
}

CString CDrcError::GetPinText(CPin& pin) {
    CString text = pin.GetStdAttr(kStdAttrId);
    if (CSymbol* owner = pin.GetOwner())
        text = owner->GetStdAttr(kStdAttrId) + ":" + text;
    return text + " " + pin.GetTypeText();
}
