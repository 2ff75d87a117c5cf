#include "CmdTestSheet.h"

CmdTestSheet::CmdTestSheet() {
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

CmdTestSheet::~CmdTestSheet() {
    doc.RemoveView(&view);
}

CCmdTestObj* CmdTestSheet::New(int tag) {
    auto* object = new CCmdTestObj(tag);
    object->SetDocument(&doc);
    return object;
}

CCmdTestObj* CmdTestSheet::Place(int tag) {
    CCmdTestObj* object = New(tag);
    doc.GetObjects().AddTail(object);
    return object;
}
