#pragma once
// A document of six linked test objects for the command tests:
//   tags 1..6 in list order; links 1-2, 2-3, 3-5; object 2 has "Value" = "1k" and "_ID" = "R1",
//   object 3 "_ID" = "R2".

#include <initializer_list>
#include <vector>

#include "CmdTestObj.h"
#include "model/support/RecordingDocView.h"
#include "support/ScriptedPrompt.h"

// A list of objects written in place.
struct ObjectList : CObList {
    ObjectList(std::initializer_list<CDrawObj*> objects) {
        for (CDrawObj* object : objects)
            AddTail(object);
    }
};

class CmdTestSheet {
public:
    CmdTestSheet() {
        for (int tag = 1; tag <= 6; ++tag)
            m_objects.push_back(Place(tag));
        CCmdTestObj::Link(At(1), At(2));
        CCmdTestObj::Link(At(2), At(3));
        CCmdTestObj::Link(At(3), At(5));
        At(2)->SetAttr("Value", "1k", 0);
        At(2)->SetAttr("_ID", "R1", 0);
        At(3)->SetAttr("_ID", "R2", 0);
        doc.AddView(&view);
    }
    CmdTestSheet(const CmdTestSheet&) = delete;
    CmdTestSheet& operator=(const CmdTestSheet&) = delete;
    ~CmdTestSheet() { doc.RemoveView(&view); }

    // Object of tag 1..6.
    CCmdTestObj* At(int tag) const { return m_objects.at(tag - 1); }
    // A new object of the document that is not in its list.
    CCmdTestObj* New(int tag) {
        auto* object = new CCmdTestObj(tag);
        object->SetDocument(&doc);
        return object;
    }
    // A new object appended to the document's list.
    CCmdTestObj* Place(int tag) {
        CCmdTestObj* object = New(tag);
        doc.GetObjects().AddTail(object);
        return object;
    }

    testsupport::RecordingAppServices services;
    CDrawDoc doc;
    drawdoctest::RecordingDocView view;

private:
    std::vector<CCmdTestObj*> m_objects;
};
