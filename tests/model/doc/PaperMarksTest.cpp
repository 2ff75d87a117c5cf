// The highlight that Find and Show Object put on objects belongs to the screen: a printed
// sheet looks the same with or without it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/app/SchematicApp.h"
#include "model/doc/DrawDoc.h"
#include "model/object/DrawObj.h"
#include "model/support/SampleSheet.h"
#include "platform/RecordingDC.h"
#include "support/TestSupport.h"

namespace {

std::vector<std::string> Drawn(CDrawDoc& doc, bool printing) {
    CRecordingDC dc(CRecordingDC::Device{.printing = printing});
    doc.Draw(&dc, nullptr);
    return dc.Lines();
}

void MarkEveryObject(CDrawDoc& doc, DWORD mark) {
    for (POSITION pos = doc.GetObjects().GetHeadPosition(); pos;)
        static_cast<CDrawObj*>(doc.GetObjects().GetNext(pos))->SetFlags(mark, mark);
}

TEST(PaperMarks, APrintedPageDrawsNoHighlight) {
    testsupport::TempDir dir;
    CSchematicApp app(dir / "settings.ini");
    ScopedApp installed(app);
    CDrawDoc doc;
    samplesheet::Fill(doc);
    const std::vector<std::string> plainOnPaper = Drawn(doc, true);
    const std::vector<std::string> plainOnScreen = Drawn(doc, false);

    MarkEveryObject(doc, kFlagHighlight);
    EXPECT_NE(Drawn(doc, false), plainOnScreen);
    EXPECT_EQ(Drawn(doc, true), plainOnPaper);
}

}  // namespace
