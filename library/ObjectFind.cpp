#include "library/ObjectFind.h"

#include "model/doc/DrawDoc.h"
#include "model/net/Net.h"
#include "model/object/DrawObj.h"
#include "model/text/TextBox.h"

namespace {

CDrawObj* NextObject(const CObList& list, POSITION& pos) {
    return static_cast<CDrawObj*>(list.GetNext(pos));
}

}  // namespace

bool FindOptions::IsMatch(const char* candidate) const {
    CString wanted = text;
    CString seen = candidate ? candidate : "";
    if (!matchCase) {
        wanted.MakeUpper();
        seen.MakeUpper();
    }
    return exact ? seen == wanted : seen.Find(wanted) >= 0;
}

namespace {

// Some attribute name or value of the object matches.
bool AnyAttrMatches(const FindOptions& options, CDrawObj* object) {
    for (int i = 0; i < object->GetAttrCount(); ++i) {
        CString name;
        CString value;
        object->GetAttrAt(i, name, value);
        if (options.IsMatch(name) || options.IsMatch(value))
            return true;
    }
    return false;
}

bool NetMatches(const FindOptions& options, const CNet& net) {
    if (options.netNames && options.IsMatch(net.GetName()))
        return true;
    if (!options.netAttributes)
        return false;
    // Index 0 is the name itself.
    for (int i = 1; i < net.GetAttrCount(); ++i) {
        CString name;
        CString value;
        net.GetAttrAt(i, name, value);
        if (options.IsMatch(name) || options.IsMatch(value))
            return true;
    }
    return false;
}

bool PinMatches(const FindOptions& options, CDrawObj* pin) {
    return (options.pinNames && options.IsMatch(pin->GetAttr("_ID"))) ||
           (options.pinAttributes && AnyAttrMatches(options, pin));
}

// The symbol's identifier or attributes match, pins aside.
bool SymbolMatches(const FindOptions& options, CDrawObj* symbol) {
    return (options.symbolIds && options.IsMatch(symbol->GetAttr("_ID"))) ||
           (options.symbolAttributes && AnyAttrMatches(options, symbol));
}

// Appends the matching pins of the symbol, or the symbol once for them.
void AddMatchingPins(const FindOptions& options, CDrawObj* symbol, bool symbolForPins,
                     CObList& result) {
    const CObList* pins = symbol->GetPinList();
    for (POSITION pos = pins ? pins->GetHeadPosition() : nullptr; pos;) {
        CDrawObj* pin = NextObject(*pins, pos);
        if (!PinMatches(options, pin))
            continue;
        if (symbolForPins) {
            result.AddTail(symbol);
            return;
        }
        result.AddTail(pin);
    }
}

}  // namespace

CDrawObj* FindOptions::MatchOf(CDrawObj* object, bool symbolForPin) const {
    if (object->GetObjType() == kObjText) {
        const auto* box = dynamic_cast<const CTextBox*>(object);
        return textBoxes && box && IsMatch(box->GetText()) ? object : nullptr;
    }
    if (object->GetObjType() == kObjSymbol) {
        if (SymbolMatches(*this, object))
            return object;
        CObList pins;
        AddMatchingPins(*this, object, symbolForPin, pins);
        return pins.IsEmpty() ? nullptr : static_cast<CDrawObj*>(pins.GetHead());
    }
    const CNet* net = object->GetNet();
    return net && NetMatches(*this, *net) ? object : nullptr;
}

CDrawObj* FindNextMatch(CDrawDoc& doc, const FindOptions& options, FindPosition& position) {
    const CObList& objects = doc.GetObjects();
    if (position.document != &doc || position.next >= objects.GetCount() || position.next < 0) {
        position.document = &doc;
        position.next = 0;
    }
    for (POSITION pos = objects.FindIndex(position.next); pos;) {
        CDrawObj* object = NextObject(objects, pos);
        ++position.next;
        if (CDrawObj* match = options.MatchOf(object, false))
            return match;
    }
    return nullptr;
}

void FindAllMatches(CDrawDoc& doc, const FindOptions& options, bool symbolsForPins,
                    CObList& result) {
    const CObList& objects = doc.GetObjects();
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        CDrawObj* object = NextObject(objects, pos);
        if (object->GetObjType() != kObjSymbol) {
            if (CDrawObj* match = options.MatchOf(object, symbolsForPins))
                result.AddTail(match);
        } else if (SymbolMatches(options, object)) {
            result.AddTail(object);
            if (!symbolsForPins)
                AddMatchingPins(options, object, false, result);
        } else {
            AddMatchingPins(options, object, symbolsForPins, result);
        }
    }
}
