#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/app/SchematicApp.h"
#include "model/doc/DrawDoc.h"
#include "model/ole/DrawItem.h"
#include "model/ole/DrawOleObj.h"
#include "platform/CompoundFile.h"
#include "platform/RecordingDC.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

using Bytes = std::vector<BYTE>;

void PutDword(Bytes& to, DWORD value) {
    for (int i = 0; i < 4; ++i)
        to.push_back(static_cast<BYTE>(value >> (8 * i)));
}

// A cached presentation of a standard format with the given HIMETRIC extent and data.
Bytes Presentation(DWORD format, LONG cx, LONG cy, const Bytes& data) {
    Bytes bytes;
    PutDword(bytes, 0xFFFFFFFF);
    PutDword(bytes, format);
    PutDword(bytes, 4);  // no target device
    for (DWORD field : {1u, 0xFFFFFFFFu, 2u, 0u})
        PutDword(bytes, field);
    PutDword(bytes, static_cast<DWORD>(cx));
    PutDword(bytes, static_cast<DWORD>(cy));
    PutDword(bytes, static_cast<DWORD>(data.size()));
    bytes.insert(bytes.end(), data.begin(), data.end());
    return bytes;
}

// A 2 x 1 bitmap, 24 bits: a red and a blue pixel.
Bytes TwoPixelDib() {
    Bytes dib;
    for (DWORD v : {40u, 2u, 1u})
        PutDword(dib, v);
    dib.insert(dib.end(), {1, 0, 24, 0});
    PutDword(dib, 0);
    dib.insert(dib.end(), 20, 0);
    dib.insert(dib.end(), {0, 0, 0xFF, 0xFF, 0, 0, 0, 0});
    return dib;
}

// An object's storage as another program leaves it: its type name, a cached picture or
// metafile, its own data and a storage of its own.
CompoundStorage ObjectStorage(DWORD format) {
    CompoundStorage storage("Embedding 1");
    storage.SetClsid(CompoundStorage::Clsid{0x12, 0x34});
    Bytes compObj(28, 0);
    compObj[0] = 1;
    PutDword(compObj, 12);
    for (char c : std::string("Paint Shop\0", 11))
        compObj.push_back(static_cast<BYTE>(c));
    compObj.push_back(0);
    storage.WriteStream(
        "\x01"
        "CompObj",
        compObj);
    storage.WriteStream("\x02OlePres000",
                        Presentation(format, 2540, 2540, format == 8 ? TwoPixelDib() : Bytes{9}));
    storage.WriteStream("CONTENTS", Bytes(5000, 0x5A));
    storage.CreateStorage("Inner").WriteStream("Data", {1, 2, 3});
    return storage;
}

std::unique_ptr<CDrawOleObj> OleObject(const CRect& rect, DWORD format = 8) {
    auto object = std::make_unique<CDrawOleObj>(rect);
    auto item = std::make_unique<CDrawItem>();
    item->SetStorage(ObjectStorage(format));
    object->SetItem(std::move(item));
    return object;
}

bool SameTree(const CompoundStorage& a, const CompoundStorage& b) {
    if (a.GetClsid() != b.GetClsid() || a.Streams().size() != b.Streams().size() ||
        a.Storages().size() != b.Storages().size())
        return false;
    for (auto s = a.Streams().begin(), t = b.Streams().begin(); s != a.Streams().end(); ++s, ++t) {
        if (s->Name() != t->Name() ||
            testsupport::BytesOf(s->Data()) != testsupport::BytesOf(t->Data()))
            return false;
    }
    for (auto s = a.Storages().begin(), t = b.Storages().begin(); s != a.Storages().end();
         ++s, ++t) {
        if (s->Name() != t->Name() || !SameTree(*s, *t))
            return false;
    }
    return true;
}

TEST(DrawOleObj, ExtentFollowsTheCachedPresentation) {
    testsupport::TempDir dir;
    CSchematicApp app(dir / "settings.reg");
    const ScopedApp installed(app);
    struct Case {
        DWORD options;
        CRect rect;
        SIZE stored;
        SIZE extent;
        BOOL changed;
        CRect expected;
    } cases[] = {
        {0, CRect(0, 0, 0, 0), {0, 0}, {2540, 2540}, TRUE, CRect(0, 0, 1000, -1000)},
        {0, CRect(0, 0, 1000, -1000), {2540, 2540}, {5080, 1270}, TRUE, CRect(0, 0, 2000, -500)},
        {0, CRect(0, 0, 1000, -1000), {5080, 1270}, {5080, 1270}, FALSE, CRect(0, 0, 1000, -1000)},
        // An old extent with a zero side is no extent: the natural size, not a division by 0.
        {0, CRect(10, 0, 60, -70), {0, 100}, {2540, 5080}, TRUE, CRect(10, 0, 1010, -2000)},
        // Option 4, "Restore Size After Edit": the natural size, whatever the rectangle; a
        // picture just inserted leaves its insertion box for it.
        {kOptionRestoreItemSize,
         CRect(0, 0, 300, -300),
         {2540, 2540},
         {5080, 5080},
         TRUE,
         CRect(0, 0, 2000, -2000)},
        {kOptionRestoreItemSize,
         CRect(100, -100, 1700, -700),
         {0, 0},
         {2540, 5080},
         TRUE,
         CRect(100, -100, 1100, -2100)},
        {kOptionRestoreItemSize,
         CRect(0, 0, 0, 0),
         {2540, 2540},
         {5080, 5080},
         TRUE,
         CRect(0, 0, 2000, -2000)},
    };
    for (const Case& c : cases) {
        app.Options = c.options;
        CDrawOleObj object(c.rect);
        auto item = std::make_unique<CDrawItem>();
        CompoundStorage storage("s");
        storage.WriteStream("\x02OlePres000", Presentation(3, c.extent.cx, c.extent.cy, {}));
        item->SetStorage(storage);
        object.SetItem(std::move(item));
        object.SetPositionAndExtent(c.rect, c.stored);
        EXPECT_EQ(object.GetItem()->UpdateExtent(), c.changed) << c.expected.right;
        EXPECT_EQ(object.GetPosition(), c.expected);
    }
    CDrawOleObj active(CRect(0, 0, 5, -5));
    active.SetItem(std::make_unique<CDrawItem>());
    active.GetItem()->SetItemState(CDrawItem::kActiveUI);
    EXPECT_TRUE(active.GetItem()->UpdateExtent());
    EXPECT_EQ(active.GetPosition(), CRect(0, 0, 5, -5));
}

TEST(DrawOleObj, DrawsThePictureOrALabelledFrame) {
    CRecordingDC dc;
    auto picture = OleObject(CRect(0, 0, 1000, -1000));
    ASSERT_TRUE(picture->GetItem()->GetPresentation().image);
    EXPECT_EQ(picture->GetItem()->GetPresentation().image->pixels,
              (std::vector<COLORREF>{RGB(255, 0, 0), RGB(0, 0, 255)}));
    picture->Draw(&dc, nullptr);
    ASSERT_EQ(dc.Lines().size(), 1u);
    EXPECT_EQ(dc.Lines()[0], "Image 0,0,1000,-1000 size=2x1");

    dc.Clear();
    OleObject(CRect(0, 0, 1000, -1000), 3)->Draw(&dc, nullptr);  // a metafile
    ASSERT_GE(dc.Lines().size(), 2u);
    EXPECT_EQ(dc.Lines()[0].rfind("Rectangle 0,0,1000,-1000", 0), 0u);
    EXPECT_NE(dc.Lines()[1].find("\"Paint Shop\""), std::string::npos) << dc.Lines()[1];
}

TEST(DrawOleObj, OpeningShowsANoticeAndRecordsNothing) {
    testsupport::ScriptedPrompt prompt({IDOK});
    CDrawDoc doc;
    auto object = OleObject(CRect(0, 0, 100, -100));
    object->OnOpen(nullptr);
    EXPECT_EQ(doc.GetUndoList().GetCount(), 0);
    ASSERT_EQ(prompt.shown().size(), 1u);
}

TEST(DrawOleObj, EmbeddingSurvivesSaveOpenAndSave) {
    testsupport::RecordingAppServices services;
    testsupport::TempDir dir;
    const std::string first = (dir / "first.sch").string();
    const std::string second = (dir / "second.sch").string();
    {
        CDrawDoc doc;
        ASSERT_TRUE(doc.OnNewDocument());
        doc.GetObjects().AddTail(OleObject(CRect(0, 0, 1000, -1000)).release());
        ASSERT_TRUE(doc.OnSaveDocument(first.c_str()));
    }
    CDrawDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(first.c_str()));
    ASSERT_EQ(doc.GetObjects().GetCount(), 1);
    auto* loaded = dynamic_cast<CDrawOleObj*>(doc.GetObjects().GetHead());
    ASSERT_TRUE(loaded && loaded->GetItem());
    EXPECT_EQ(loaded->GetItem()->m_pDrawObj, loaded);
    EXPECT_EQ(loaded->GetItem()->GetPresentation().userType, "Paint Shop");
    ASSERT_TRUE(doc.OnSaveDocument(second.c_str()));

    const CompoundFile a = CompoundFile::LoadFromFile(first);
    const CompoundFile b = CompoundFile::LoadFromFile(second);
    EXPECT_EQ(testsupport::BytesOf(a.Root().FindStream("Contents")->Data()),
              testsupport::BytesOf(b.Root().FindStream("Contents")->Data()));
    ASSERT_TRUE(b.Root().FindStorage("Embedding 1"));
    EXPECT_TRUE(SameTree(*b.Root().FindStorage("Embedding 1"), ObjectStorage(8)));
}

TEST(DrawOleObj, CopiesAndDuplicateItemNumbersGetTheirOwnStorage) {
    testsupport::RecordingAppServices services;
    testsupport::TempDir dir;
    const std::string path = (dir / "two.sch").string();
    CDrawDoc doc;
    auto original = OleObject(CRect(0, 0, 100, -100));
    std::unique_ptr<CDrawObj> copy(original->Clone(&doc));
    auto* copied = dynamic_cast<CDrawOleObj*>(copy.get());
    ASSERT_TRUE(copied && copied->GetItem());
    EXPECT_NE(copied->GetItem(), original->GetItem());
    EXPECT_EQ(copied->GetItem()->m_pDrawObj, copied);
    doc.GetObjects().AddTail(original.release());
    doc.GetObjects().AddTail(copy.release());
    ASSERT_TRUE(doc.OnSaveDocument(path.c_str()));
    const CompoundFile file = CompoundFile::LoadFromFile(path);
    EXPECT_TRUE(file.Root().FindStorage("Embedding 1"));
    EXPECT_TRUE(file.Root().FindStorage("Embedding 2"));
}

}  // namespace
