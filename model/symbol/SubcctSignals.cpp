#include "model/symbol/SubcctSignals.h"

#include <algorithm>

#include "model/app/NameList.h"
#include "model/doc/DrawDoc.h"
#include "model/symbol/Pin.h"
#include "model/symbol/SubcctLayout.h"
#include "model/symbol/Symbol.h"

namespace {

// A port's pin: its stored type 0-3 is the port's direction; a user-defined type is "Other".
int PortDirection(const CPin& pin) {
    const int type = int((pin.GetFlags() & kPinTypeMask) >> kPinTypeShift);
    return type == kPinTypeUserDefined ? kSubcctOther : std::min(type, int(kSubcctOther));
}

}  // namespace

bool CSubcctSignals::Add(CString text, int direction, bool busPin) {
    text.Trim();
    if (text.IsEmpty())
        return false;
    CStringArray names;
    ExpandNameList(names, text);
    if (names.GetSize() >= 2 && !busPin) {
        for (int i = 0; i < names.GetSize(); ++i)
            Put(names[i], direction);
    } else {
        Put(text, direction);
    }
    return true;
}

void CSubcctSignals::Put(const CString& name, int direction) {
    if (SubcctSignal* signal = Find(name)) {
        signal->word = (signal->word & ~kSubcctDirectionMask) | DWORD(direction);
        return;
    }
    m_signals.push_back({name, DWORD(direction)});
}

void CSubcctSignals::Remove(const CString& name) {
    std::erase_if(m_signals,
                  [&name](const SubcctSignal& s) { return s.name.CompareNoCase(name) == 0; });
}

SubcctSignal* CSubcctSignals::Find(const CString& name) {
    const auto found =
        std::find_if(m_signals.begin(), m_signals.end(),
                     [&name](const SubcctSignal& s) { return s.name.CompareNoCase(name) == 0; });
    return found == m_signals.end() ? nullptr : &*found;
}

void CSubcctSignals::FillFromPorts(const CDrawDoc& sheet) {
    m_signals.clear();
    const CObList& objects = sheet.GetObjects();
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        auto* port = dynamic_cast<CSymbol*>(objects.GetNext(pos));
        if (!port || port->GetKind() != kSymbolPort)
            continue;
        const CObList& pins = port->GetPins();
        for (POSITION p = pins.GetHeadPosition(); p;) {
            auto* pin = static_cast<CPin*>(pins.GetNext(p));
            CString id;
            pin->LookupAttr("_ID", id);
            Put(id, PortDirection(*pin));
        }
    }
}

std::vector<SubcctSignal> CSubcctSignals::PlacedInOrder() const {
    std::vector<SubcctSignal> placed = m_signals;
    for (SubcctSignal& signal : placed) {
        if (SignalSide(signal.word) < 0)
            signal.word = WithSide(signal.word, DefaultSide(SignalDirection(signal.word)));
    }
    std::stable_sort(placed.begin(), placed.end(),
                     [](const SubcctSignal& a, const SubcctSignal& b) {
                         return SignalNameLess({a.name.c_str(), size_t(a.name.GetLength())},
                                               {b.name.c_str(), size_t(b.name.GetLength())});
                     });
    return placed;
}
