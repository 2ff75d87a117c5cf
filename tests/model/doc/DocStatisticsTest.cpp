#include <gtest/gtest.h>

#include "model/doc/DocStatistics.h"
#include "model/doc/DrawDoc.h"
#include "model/doc/SummaryInfo.h"
#include "model/object/DrawObj.h"
#include "support/ScriptedPrompt.h"

namespace {

// An object of any type, with a net told apart by a number and a count of pins.
class CountedPart : public CDrawObj {
public:
    CountedPart(int type, int net = 0, int pins = 0) : m_type(type), m_net(net), m_pins(pins) {}
    int GetObjType() const override { return m_type; }
    CNet* GetNet() const override {
        return m_net ? reinterpret_cast<CNet*>(&kNets[m_net]) : nullptr;
    }
    int GetConnectorCount() override { return m_pins; }

private:
    static inline char kNets[4];
    int m_type;
    int m_net;
    int m_pins;
};

TEST(DocStatistics, CountsNetsSymbolsPinsAndOtherObjects) {
    CObList objects;
    CountedPart parts[] = {{kObjWire, 1}, {kObjWire, 1},      {kObjWire, 1},
                           {kObjBus, 1},  {kObjText},         {kObjSymbol, 0, 14},
                           {kObjWire, 2}, {kObjSymbol, 0, 0}, {kObjWire, 0}};
    for (CountedPart& part : parts)
        objects.AddTail(&part);
    const ObjectCounts counts = ObjectCounts::Of(objects);
    EXPECT_EQ(counts.nets, 2);
    EXPECT_EQ(counts.otherObjects, 2);
    EXPECT_EQ(counts.pins, 14);
    EXPECT_EQ(counts.symbols, 2);
    objects.RemoveAll();
}

TEST(DocStatistics, NewDocumentPagesAndWritingBack) {
    testsupport::RecordingAppServices services;
    CDrawDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    const StatisticsFields stats = StatisticsFields::Of(*doc.GetSummaryInfo(), ObjectCounts{});
    EXPECT_EQ(stats.lastPrinted, "");
    EXPECT_EQ(stats.editingTime, "0 min");
    EXPECT_EQ(stats.revision, "0");
    EXPECT_EQ(stats.nets, "0");
    EXPECT_FALSE(stats.created.IsEmpty());

    SummaryFields fields = SummaryFields::From(*doc.GetSummaryInfo());
    EXPECT_EQ(fields.application, "Vosk Schematic");
    doc.ApplySummaryFields(fields);  // OK on the untouched page
    EXPECT_FALSE(doc.IsModified());
    fields.title = "Power supply";
    fields.keywords = "psu";
    fields.application = "ignored";
    doc.ApplySummaryFields(fields);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetAttribute("Title"), "Power supply");
    EXPECT_EQ(doc.GetSummaryInfo()->GetKeywords(), "psu");
    EXPECT_EQ(doc.GetSummaryInfo()->GetAppName(), "Vosk Schematic");
}

}  // namespace
