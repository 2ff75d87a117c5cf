#include "model/cmd/AttrTextToggles.h"

#include "model/cmd/AddCmd.h"
#include "model/cmd/RemoveCmd.h"
#include "model/doc/DrawDoc.h"
#include "model/object/DrawObj.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"

namespace {

CDrawObj* NextObject(const CObList& list, POSITION& pos) {
    return static_cast<CDrawObj*>(list.GetNext(pos));
}

CDrawObj* Dominant(const CObList& selection) {
    return selection.IsEmpty() ? nullptr : static_cast<CDrawObj*>(selection.GetTail());
}

const char* AttrName(AttrTextToggle toggle) {
    switch (toggle) {
        case AttrTextToggle::kDeviceName:
            return "_Device._Name";
        case AttrTextToggle::kValue:
            return "_Value";
        case AttrTextToggle::kIdentifier:
        case AttrTextToggle::kPinNames:
            return "_ID";
        case AttrTextToggle::kPinNumbers:
            return "_No";
    }
    return "";
}

bool IsPinToggle(AttrTextToggle toggle) {
    return toggle == AttrTextToggle::kPinNames || toggle == AttrTextToggle::kPinNumbers;
}

bool IsNetObject(const CDrawObj* object) {
    const int type = object->GetObjType();
    return type == kObjWire || type == kObjBus;
}

// Whether the toggle reaches the dominant object at all.
bool Applies(CDrawObj* dominant, AttrTextToggle toggle) {
    if (!dominant)
        return false;
    switch (toggle) {
        case AttrTextToggle::kDeviceName:
            return dominant->GetDevice() != nullptr;
        case AttrTextToggle::kValue: {
            CString value;
            return dominant->GetObjType() == kObjSymbol && dominant->LookupAttr("_Value", value);
        }
        case AttrTextToggle::kIdentifier:
            return dominant->GetObjType() == kObjSymbol || IsNetObject(dominant);
        case AttrTextToggle::kPinNames:
        case AttrTextToggle::kPinNumbers:
            return dynamic_cast<CSymbol*>(dominant) != nullptr;
    }
    return false;
}

bool Shows(CDrawObj* dominant, AttrTextToggle toggle) {
    const char* name = AttrName(toggle);
    if (!IsPinToggle(toggle))
        return dominant->FindAttrText(name) != nullptr;
    const CObList* pins = dominant->GetPinList();
    for (POSITION pos = pins ? pins->GetHeadPosition() : nullptr; pos;) {
        if (!NextObject(*pins, pos)->FindAttrText(name))
            return false;
    }
    return true;
}

// The objects of the selection the toggle works on, in selection order.
void CollectTargets(const CObList& selection, AttrTextToggle toggle, CObList& targets) {
    const bool withNet = Dominant(selection)->GetNet() != nullptr;
    for (POSITION pos = selection.GetHeadPosition(); pos;) {
        CDrawObj* object = NextObject(selection, pos);
        switch (toggle) {
            case AttrTextToggle::kDeviceName:
                if (object->GetObjType() == kObjSymbol && object->GetDevice())
                    targets.AddTail(object);
                break;
            case AttrTextToggle::kValue:
                if (object->GetObjType() == kObjSymbol)
                    targets.AddTail(object);
                break;
            case AttrTextToggle::kIdentifier:
                if ((object->GetNet() != nullptr) == withNet)
                    targets.AddTail(object);
                break;
            case AttrTextToggle::kPinNames:
            case AttrTextToggle::kPinNumbers:
                if (const CObList* pins = object->GetPinList())
                    targets.AddTail(pins);
                break;
        }
    }
}

}  // namespace

std::optional<bool> AttrTextsShown(const CObList& selection, AttrTextToggle toggle) {
    CDrawObj* dominant = Dominant(selection);
    if (!Applies(dominant, toggle))
        return std::nullopt;
    return Shows(dominant, toggle);
}

const char* AttrTextToggleText(const CObList& selection, AttrTextToggle toggle) {
    const std::optional<bool> shown = AttrTextsShown(selection, toggle);
    if (!shown)
        return nullptr;
    const bool hide = *shown;
    switch (toggle) {
        case AttrTextToggle::kDeviceName:
            return hide ? "Hide De&vice Name" : "Show De&vice Name";
        case AttrTextToggle::kValue:
            return hide ? "Hide Value" : "Show Value";
        case AttrTextToggle::kIdentifier:
            if (IsNetObject(Dominant(selection)))
                return hide ? "Hide Ne&t Name" : "Show Ne&t Name";
            return hide ? "Hide Iden&tifier" : "Show Iden&tifier";
        case AttrTextToggle::kPinNames:
            return hide ? "Hide Pin &Names" : "Show Pin &Names";
        case AttrTextToggle::kPinNumbers:
            return hide ? "Hide Pin N&umbers" : "Show Pin N&umbers";
    }
    return nullptr;
}

BOOL ToggleAttrTexts(CDrawDoc& doc, const CObList& selection, AttrTextToggle toggle) {
    const std::optional<bool> shown = AttrTextsShown(selection, toggle);
    if (!shown)
        return FALSE;
    const BOOL show = !*shown;
    CObList targets;
    CollectTargets(selection, toggle, targets);
    CObList texts;
    for (POSITION pos = targets.GetHeadPosition(); pos;) {
        if (CAttrText* text = NextObject(targets, pos)->ShowAttrText(AttrName(toggle), show))
            texts.AddTail(text);
    }
    if (texts.IsEmpty())
        return FALSE;
    CUndoList& undo = doc.GetUndoList();
    return show ? undo.Execute(new CAddCmd(texts, FALSE)) : undo.Execute(new CRemoveCmd(texts));
}
