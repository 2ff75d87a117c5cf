#include "model/support/SampleSheet.h"

#include <memory>

#include "model/doc/DrawDoc.h"
#include "model/ole/DrawItem.h"
#include "model/ole/DrawOleObj.h"
#include "model/shapes/DrawPoly.h"
#include "model/shapes/DrawRect.h"
#include "model/shapes/Ellipse.h"
#include "model/shapes/FillShape.h"
#include "model/shapes/SpecSymbol.h"
#include "model/text/AttrText.h"
#include "model/text/TextBox.h"
#include "platform/CompoundFile.h"

namespace samplesheet {

void Fill(CDrawDoc& doc) {
    CObList& objects = doc.GetObjects();
    objects.AddTail(new CDrawRect(CRect(0, 0, 500, -300)));
    objects.AddTail(new CEllipse(CRect(600, 0, 900, -300)));
    auto* poly = new CDrawPoly(CRect(0, -400, 400, -800));
    for (CPoint p : {CPoint(0, -400), CPoint(400, -500), CPoint(100, -800)})
        poly->AddPoint(p);
    objects.AddTail(poly);
    auto* text = new CTextBox(CRect(1000, 0, 2000, -300));
    text->SetText("Power supply\r\nsheet 1", FALSE);
    objects.AddTail(text);
    objects.AddTail(new CFillShape(CRect(2000, 0, 2500, -500)));
    objects.AddTail(new CSpecSymbol(1));
    doc.SetAttribute("Title", "Sample", 0);
    doc.SetAttribute("Rev", "B", 0);
    if (CAttrText* title = doc.GetDocAttrText("Rev", TRUE))
        objects.AddTail(title);
    auto ole = std::make_unique<CDrawOleObj>(CRect(3000, 0, 4000, -1000));
    auto item = std::make_unique<CDrawItem>();
    CompoundStorage storage("object");
    storage.WriteStream("CONTENTS", std::vector<BYTE>(700, 0x42));
    item->SetStorage(storage);
    ole->SetItem(std::move(item));
    objects.AddTail(ole.release());
    for (POSITION pos = objects.GetHeadPosition(); pos;)
        static_cast<CDrawObj*>(objects.GetNext(pos))->SetDocument(&doc);
}

std::vector<BYTE> FileBytes() {
    CDrawDoc doc;
    doc.OnNewDocument();
    Fill(doc);
    CompoundFile file;
    doc.WriteDocument(file);
    return file.Serialize();
}

}  // namespace samplesheet
