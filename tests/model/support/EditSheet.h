#pragma once
// A document for the tests of the selection edits and the search: objects are made in it and
// appended to its list.

#include <initializer_list>

#include "model/doc/DrawDoc.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/TextBox.h"
#include "support/ScriptedPrompt.h"

class EditSheet {
public:
    template <class T>
    T* Add(T* object) {
        object->SetDocument(&doc);
        doc.GetObjects().AddTail(object);
        return object;
    }
    CTextBox* Text(const char* text) {
        auto* box = Add(new CTextBox(CRect(0, 0, 600, -300)));
        box->SetText(text, FALSE);
        return box;
    }
    // A symbol with the identifier, a value unless null, and pins named so, each numbered 1.
    CSymbol* Symbol(const char* id, const char* value, std::initializer_list<const char*> pins) {
        auto* symbol = new CSymbol();
        symbol->SetDocument(&doc);
        symbol->SetAttr("_ID", id, kSetAttrForce);
        if (value)
            symbol->SetAttr("_Value", value, kSetAttrForce);
        for (const char* pinId : pins) {
            auto* pin = new CPin(symbol);
            pin->SetEnds(CPoint(0, 0), CPoint(-100, 0));
            pin->SetAttr("_ID", pinId, kSetAttrForce);
            pin->SetAttr("_No", "1", kSetAttrForce);
            symbol->GetPins().AddTail(pin);
        }
        symbol->RecalcBounds(nullptr);
        return Add(symbol);
    }
    // A wire of a net of its own.
    CWire* Wire(const char* net) {
        auto* wire = new CWire;
        wire->AddPoint(CPoint(0, 500));
        wire->AddPoint(CPoint(300, 500));
        wire->SetDocument(&doc);
        auto* shared = new CNet(net);
        shared->AddRef();
        wire->SetNet(shared);
        return Add(wire);
    }
    // The document's object at index.
    const CDrawObj* At(int index) const {
        const CObList& objects = doc.GetObjects();
        return static_cast<const CDrawObj*>(objects.GetAt(objects.FindIndex(index)));
    }
    int Steps() { return doc.GetUndoList().GetCount(); }

    testsupport::RecordingAppServices services;
    CDrawDoc doc;
};
