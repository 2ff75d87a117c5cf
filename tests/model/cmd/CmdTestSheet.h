#pragma once
// A document of six linked test parts for the command tests:
//   tags 1..6 in list order; links 1-2, 2-3, 3-5; part 2 has "Value" = "1k" and "_ID" = "R1",
//   part 3 "_ID" = "R2".

#include <vector>

#include "model/support/RecordingDocView.h"
#include "model/support/TestPart.h"
#include "support/ScriptedPrompt.h"

class CmdTestSheet {
public:
    CmdTestSheet() {
        for (int tag = 1; tag <= 6; ++tag)
            m_parts.push_back(Place(tag));
        TestPart::Link(At(1), At(2));
        TestPart::Link(At(2), At(3));
        TestPart::Link(At(3), At(5));
        At(2)->SetAttr("Value", "1k", 0);
        At(2)->SetAttr("_ID", "R1", 0);
        At(3)->SetAttr("_ID", "R2", 0);
        doc.AddView(&view);
    }
    CmdTestSheet(const CmdTestSheet&) = delete;
    CmdTestSheet& operator=(const CmdTestSheet&) = delete;
    ~CmdTestSheet() { doc.RemoveView(&view); }

    // Part of tag 1..6.
    TestPart* At(int tag) const { return m_parts.at(tag - 1); }
    // A new part of the document that is not in its list.
    TestPart* New(int tag) {
        auto* part = new TestPart(tag);
        part->SetDocument(&doc);
        return part;
    }
    // A new part appended to the document's list.
    TestPart* Place(int tag) {
        TestPart* part = New(tag);
        doc.GetObjects().AddTail(part);
        return part;
    }

    testsupport::RecordingAppServices services;
    CDrawDoc doc;
    drawdoctest::RecordingDocView view;

private:
    std::vector<TestPart*> m_parts;
};
