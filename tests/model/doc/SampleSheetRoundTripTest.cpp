#include <gtest/gtest.h>

#include <vector>

#include "model/device/Device.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Bus.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/support/SampleSheet.h"
#include "model/symbol/Pin.h"
#include "model/symbol/SpiceSymbol.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"
#include "platform/CompoundFile.h"
#include "support/ScriptedPrompt.h"

namespace {

using Bytes = std::vector<BYTE>;

// The objects of a document of one type, in list order.
template <class T>
std::vector<T*> ObjectsOf(CDrawDoc& doc, int type) {
    std::vector<T*> found;
    for (POSITION pos = doc.GetObjects().GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(doc.GetObjects().GetNext(pos));
        if (object->GetObjType() == type)
            found.push_back(static_cast<T*>(object));
    }
    return found;
}

Bytes Save(CDrawDoc& doc) {
    CompoundFile file;
    doc.WriteDocument(file);
    return file.Serialize();
}

class SampleSheetRoundTrip : public ::testing::Test {
protected:
    void SetUp() override {
        saved = samplesheet::FileBytes();
        CompoundFile file = CompoundFile::Parse(saved);
        doc.ReadDocument(file);
    }

    testsupport::RecordingAppServices services;
    Bytes saved;
    CDrawDoc doc;
};

TEST_F(SampleSheetRoundTrip, SavedAgainByteForByte) {
    EXPECT_EQ(doc.GetObjects().GetCount(), 17);
    EXPECT_EQ(Save(doc), saved);
}

TEST_F(SampleSheetRoundTrip, SymbolsShareOneCountedDevice) {
    const std::vector<CSymbol*> symbols = ObjectsOf<CSymbol>(doc, kObjSymbol);
    ASSERT_EQ(symbols.size(), 3u);  // two gates and the source
    CDevice* device = symbols[0]->GetDevice();
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(symbols[1]->GetDevice(), device);
    EXPECT_EQ(device->GetRefCount(), 2);
    EXPECT_EQ(device->GetAttr("_Name"), "7400");
    EXPECT_EQ(symbols[1]->GetAttr("_DID"), "U1");
    CAttrText* shown = static_cast<CAttrText*>(symbols[1]->GetAttrTextList()->GetHead());
    EXPECT_EQ(shown->GetOwner(), symbols[1]);
    auto* source = dynamic_cast<CSpiceSymbol*>(symbols[2]);
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->GetSourceKind(), 1u);
    EXPECT_EQ(source->GetSet(CSpiceSymbol::kDc), std::vector<CString>{"5V"});
}

TEST_F(SampleSheetRoundTrip, WiresShareNetsAndLinkToPins) {
    const std::vector<CSymbol*> symbols = ObjectsOf<CSymbol>(doc, kObjSymbol);
    const std::vector<CWire*> wires = ObjectsOf<CWire>(doc, kObjWire);
    const std::vector<CBus*> buses = ObjectsOf<CBus>(doc, kObjBus);
    ASSERT_EQ(wires.size(), 3u);
    ASSERT_EQ(buses.size(), 1u);
    CWire* main = wires[0];
    CWire* branch = wires[1];
    CWire* input = wires[2];
    ASSERT_NE(main->GetNet(), nullptr);
    EXPECT_EQ(branch->GetNet(), main->GetNet());
    EXPECT_EQ(main->GetNet()->GetRefCount(), 2);
    EXPECT_EQ(main->GetNet()->GetName(), "CLK");
    EXPECT_EQ(buses[0]->GetNet()->GetName(), "D[0:3]");
    EXPECT_NE(input->GetNet(), main->GetNet());

    CPin* output = symbols[0]->FindPin("Y");
    CPin* in = symbols[1]->FindPin("A");
    EXPECT_EQ(main->GetStartObject(), output);
    EXPECT_EQ(main->GetEndObject(), in);
    EXPECT_EQ(output->GetWire(), main);
    EXPECT_EQ(in->GetWire(), main);
    EXPECT_EQ(output->GetOwner(), symbols[0]);
    EXPECT_EQ(branch->GetEndObject(), main);
    ASSERT_EQ(main->GetJunctions().GetCount(), 1);
    EXPECT_EQ(main->GetJunctions().GetHead(), branch);
    EXPECT_EQ(input->GetEndObject(), buses[0]);
    EXPECT_EQ(symbols[1]->FindPin("B")->GetWire(), input);
}

}  // namespace
