#include "platform/Archive.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/GdiArchive.h"
#include "platform/MemFile.h"
#include "support/TestSupport.h"

// A serializable node: a number and a pointer it does not own. Live nodes are counted so
// the tests can see that a failed load leaves none behind.
class CArTestNode : public CObject {
    DECLARE_SERIAL(CArTestNode)
public:
    CArTestNode() { ++live; }
    CArTestNode(int v, CObject* n = nullptr) : value(v), next(n) { ++live; }
    ~CArTestNode() override { --live; }
    void Serialize(CArchive& ar) override {
        if (ar.IsStoring()) {
            ar << value << next;
        } else {
            loadedSchema = ar.GetObjectSchema();
            schemaAskedTwice = ar.GetObjectSchema();
            ar >> value >> next;
        }
    }

    int value = 0;
    CObject* next = nullptr;
    UINT loadedSchema = 0;
    UINT schemaAskedTwice = 0;
    static inline int live = 0;
};
IMPLEMENT_SERIAL(CArTestNode, CObject, VERSIONABLE_SCHEMA | 1)

// A serializable class with a fixed schema and an empty record.
class CArTestLeaf : public CObject {
    DECLARE_SERIAL(CArTestLeaf)
};
IMPLEMENT_SERIAL(CArTestLeaf, CObject, 2)

namespace {

using Bytes = std::vector<BYTE>;
using testsupport::HexDump;

template <class Writer>
Bytes Store(Writer write, UINT bufferSize = 4096) {
    CMemFile file;
    CArchive ar(&file, CArchive::store, bufferSize);
    write(ar);
    ar.Close();
    return file.Detach();
}

template <class Reader>
void Load(const Bytes& bytes, Reader read, UINT bufferSize = 4096) {
    CMemFile file(bytes);
    CArchive ar(&file, CArchive::load, bufferSize);
    read(ar);
    ar.Close();
}

// The cause of the archive exception f throws, or none.
template <class F>
CArchiveException::Cause CauseOf(F f) {
    try {
        f();
    } catch (const CArchiveException& e) {
        return e.m_cause;
    }
    return CArchiveException::none;
}

CArchiveException::Cause LoadFailure(const Bytes& bytes, const CRuntimeClass* expected = nullptr) {
    return CauseOf([&] {
        Load(bytes, [&](CArchive& ar) {
            std::unique_ptr<CObject> object(ar.ReadObject(expected));
            ar.ReadObject(expected);
        });
    });
}

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

Bytes Text(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

// Tag and class record of a new CArTestNode class, the first index of an archive.
const Bytes kNodeClass = Concat({{0xFF, 0xFF, 0x01, 0x00, 0x0B, 0x00}, Text("CArTestNode")});

TEST(Archive, WritesNumbersLittleEndian) {
    const Bytes bytes = Store([](CArchive& ar) {
        ar << BYTE{0xAB} << char(-1) << WORD{0x1234} << short(-2) << -3 << DWORD{0x89ABCDEF} << 1.5f
           << 1.0 << true;
    });
    const Bytes expected = {0xAB, 0xFF, 0x34, 0x12, 0xFE, 0xFF, 0xFD, 0xFF, 0xFF, 0xFF,
                            0xEF, 0xCD, 0xAB, 0x89, 0x00, 0x00, 0xC0, 0x3F, 0x00, 0x00,
                            0x00, 0x00, 0x00, 0x00, 0xF0, 0x3F, 0x01, 0x00, 0x00, 0x00};
    EXPECT_EQ(bytes, expected) << HexDump(bytes);

    Load(bytes, [](CArchive& ar) {
        BYTE b;
        char c;
        WORD w;
        short s;
        int i;
        DWORD d;
        float f;
        double x;
        BOOL flag;
        ar >> b >> c >> w >> s >> i >> d >> f >> x >> flag;
        EXPECT_TRUE(b == 0xAB && c == -1 && w == 0x1234 && s == -2 && i == -3 && d == 0x89ABCDEFu &&
                    f == 1.5f && x == 1.0 && flag == TRUE);
    });
}

// Numbers are taken straight from the buffer while they lie in it; ones that cross the end of
// the buffer or of the stream, and any read after Close, take the checked path.
TEST(Archive, NumbersAcrossBufferEndsAndAfterClose) {
    const Bytes bytes = Store([](CArchive& ar) { ar << WORD{0x1234} << -3 << 2.5 << BYTE{7}; });
    CMemFile file(bytes);
    CArchive ar(&file, CArchive::load, 3);
    WORD w = 0;
    int i = 0;
    double x = 0;
    BYTE b = 0;
    ar >> w >> i >> x >> b;
    EXPECT_TRUE(w == 0x1234 && i == -3 && x == 2.5 && b == 7);
    EXPECT_EQ(CauseOf([&] { ar >> b; }), CArchiveException::endOfFile);
    ar.Close();
    EXPECT_THROW(ar >> w, std::logic_error);
}

TEST(Archive, CountsAndStringLengthPrefixes) {
    const std::vector<std::pair<DWORD, Bytes>> counts = {
        {0, {0x00, 0x00}},
        {0xFFFE, {0xFE, 0xFF}},
        {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {0x10000, {0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}},
    };
    for (const auto& [count, expected] : counts) {
        const Bytes bytes = Store([&](CArchive& ar) { ar.WriteCount(count); });
        EXPECT_EQ(bytes, expected) << count;
        Load(bytes, [&](CArchive& ar) { EXPECT_EQ(ar.ReadCount(), count); });
    }
    const std::vector<std::pair<int, Bytes>> lengths = {
        {0, {0x00}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {0xFFFD, {0xFF, 0xFD, 0xFF}},
        {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const auto& [length, prefix] : lengths) {
        std::string text(length, 'x');
        if (length > 2)
            text.replace(0, 3, std::string("\0\xE9y", 3));
        const Bytes bytes = Store([&](CArchive& ar) { ar << CString(text); });
        EXPECT_EQ(bytes, Concat({prefix, Text(text)})) << length;
        Load(bytes, [&](CArchive& ar) {
            CString loaded;
            ar >> loaded;
            EXPECT_EQ(loaded.str(), text) << length;
        });
    }
}

TEST(Archive, WideStringsAreReadAsUtf8) {
    // "A", e-acute, U+1F600 as a surrogate pair, an unpaired high surrogate, "B", an
    // unpaired low surrogate; then the long form with an unpaired high surrogate and "A".
    const std::vector<std::pair<Bytes, std::string>> cases = {
        {{0xFF, 0xFE, 0xFF, 0x07, 0x41, 0x00, 0xE9, 0x00, 0x3D, 0xD8, 0x00, 0xDE, 0x3D, 0xD8, 0x42,
          0x00, 0x00, 0xDC, 0x2A},
         "A\xC3\xA9\xF0\x9F\x98\x80\xEF\xBF\xBD"
         "B\xEF\xBF\xBD"},
        {{0xFF, 0xFE, 0xFF, 0xFF, 0x02, 0x00, 0x3D, 0xD8, 0x41, 0x00, 0x2A},
         "\xEF\xBF\xBD"
         "A"},
    };
    for (const auto& [bytes, expected] : cases) {
        Load(bytes, [&](CArchive& ar) {
            CString text;
            BYTE after;
            ar >> text >> after;
            EXPECT_EQ(text.str(), expected);
            EXPECT_EQ(after, 0x2A);
        });
    }
}

TEST(Archive, LengthsBeyondTheStreamFailBeforeAllocating) {
    const std::vector<Bytes> cases = {
        {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'a', 'b'},
        {0x05, 'a', 'b'},
        // 0x80000000 UTF-16 characters: twice that does not fit in 32 bits.
        {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80, 'a', 'b'},
        {0xFF, 0xFE},
    };
    for (const Bytes& bytes : cases) {
        EXPECT_EQ(CauseOf([&] {
                      Load(bytes, [](CArchive& ar) {
                          CString text;
                          ar >> text;
                      });
                  }),
                  CArchiveException::endOfFile)
            << HexDump(bytes);
    }
    const Bytes counted = {0x03, 0x00, 1, 2, 3, 4, 5, 6};
    Load(counted, [](CArchive& ar) { EXPECT_EQ(ar.ReadCheckedCount(2), 3u); });
    Load(counted, [](CArchive& ar) { EXPECT_THROW(ar.ReadCheckedCount(3), CArchiveException); });
    const Bytes huge = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 1, 2};
    Load(huge,
         [](CArchive& ar) { EXPECT_THROW(ar.ReadCheckedCount(0xFFFFFFFF), CArchiveException); });
}

TEST(Archive, TagsObjectsByClassAndIndexAndLoadsCycles) {
    CArTestNode first(7);
    CArTestNode second(8, &first);
    first.next = &second;
    const Bytes bytes = Store(
        [&](CArchive& ar) { ar << &first << &second << &first << static_cast<CObject*>(nullptr); });
    // Index 1 is the class, 2 the first node, 3 the second (stored inside the first).
    const Bytes expected = Concat({kNodeClass,
                                   {0x07, 0x00, 0x00, 0x00},                          // first: 7
                                   {0x01, 0x80, 0x08, 0x00, 0x00, 0x00, 0x02, 0x00},  // second
                                   {0x03, 0x00},                                      // second
                                   {0x02, 0x00},                                      // first
                                   {0x00, 0x00}});                                    // null
    EXPECT_EQ(bytes, expected) << HexDump(bytes);

    Load(bytes, [](CArchive& ar) {
        std::unique_ptr<CObject> a(ar.ReadObject(RUNTIME_CLASS(CArTestNode)));
        std::unique_ptr<CObject> b(ar.ReadObject(RUNTIME_CLASS(CArTestNode)));
        EXPECT_EQ(ar.ReadObject(RUNTIME_CLASS(CArTestNode)), a.get());
        EXPECT_EQ(ar.ReadObject(RUNTIME_CLASS(CArTestNode)), nullptr);
        const auto* nodeA = static_cast<CArTestNode*>(a.get());
        const auto* nodeB = static_cast<CArTestNode*>(b.get());
        EXPECT_TRUE(nodeA->value == 7 && nodeB->value == 8);
        EXPECT_TRUE(nodeA->next == nodeB && nodeB->next == nodeA);
    });
}

TEST(Archive, IndexesFrom0x7FFFAreEscaped) {
    // Index 1 is the node class; nodes take 2 to 0x7FFE, the leaf class 0x7FFF and the
    // leaves 0x8000 and 0x8001.
    const int nodeCount = 0x7FFD;
    std::vector<std::unique_ptr<CArTestNode>> nodes;
    for (int i = 0; i < nodeCount; ++i)
        nodes.push_back(std::make_unique<CArTestNode>(i));
    CArTestLeaf leaf1;
    CArTestLeaf leaf2;
    const Bytes bytes = Store([&](CArchive& ar) {
        for (const auto& node : nodes)
            ar << node.get();
        ar << &leaf1 << &leaf2 << nodes.back().get() << &leaf1 << &leaf2;
    });
    const Bytes tail = Concat({{0xFF, 0xFF, 0x02, 0x00, 0x0B, 0x00},
                               Text("CArTestLeaf"),
                               {0xFF, 0x7F, 0xFF, 0x7F, 0x00, 0x80},
                               {0xFE, 0x7F},
                               {0xFF, 0x7F, 0x00, 0x80, 0x00, 0x00},
                               {0xFF, 0x7F, 0x01, 0x80, 0x00, 0x00}});
    ASSERT_GT(bytes.size(), tail.size());
    EXPECT_EQ(Bytes(bytes.end() - tail.size(), bytes.end()), tail);

    Load(bytes, [&](CArchive& ar) {
        std::vector<std::unique_ptr<CObject>> loaded;
        for (int i = 0; i < nodeCount + 2; ++i)
            loaded.emplace_back(ar.ReadObject(nullptr));
        EXPECT_EQ(static_cast<CArTestNode*>(loaded[nodeCount - 1].get())->value, nodeCount - 1);
        EXPECT_TRUE(loaded[nodeCount]->IsKindOf(RUNTIME_CLASS(CArTestLeaf)));
        EXPECT_TRUE(loaded[nodeCount + 1]->IsKindOf(RUNTIME_CLASS(CArTestLeaf)));
        EXPECT_EQ(ar.ReadObject(nullptr), loaded[nodeCount - 1].get());
        EXPECT_EQ(ar.ReadObject(nullptr), loaded[nodeCount].get());
        EXPECT_EQ(ar.ReadObject(nullptr), loaded[nodeCount + 1].get());
    });
}

TEST(Archive, SchemasReachTheRecordAndFixedOnesMustMatch) {
    CArTestNode a(1);
    CArTestNode b(2);
    Bytes bytes = Store([&](CArchive& ar) { ar << &a << &b; });
    bytes[2] = 0x05;  // stored schema 5
    Load(bytes, [](CArchive& ar) {
        std::unique_ptr<CObject> loadedA(ar.ReadObject(nullptr));
        std::unique_ptr<CObject> loadedB(ar.ReadObject(nullptr));
        for (const CObject* object : {loadedA.get(), loadedB.get()}) {
            const auto* node = static_cast<const CArTestNode*>(object);
            EXPECT_EQ(node->loadedSchema, 5u);
            EXPECT_EQ(node->schemaAskedTwice, static_cast<UINT>(-1));
        }
        EXPECT_EQ(ar.GetObjectSchema(), static_cast<UINT>(-1));
    });

    CArTestLeaf leaf;
    bytes = Store([&](CArchive& ar) { ar << &leaf; });
    EXPECT_EQ(bytes[2], 0x02);
    Load(bytes, [](CArchive& ar) {
        UINT schema = 0;
        EXPECT_EQ(ar.ReadClass(nullptr, &schema), RUNTIME_CLASS(CArTestLeaf));
        EXPECT_EQ(schema, 2u);
    });
    bytes[2] = 0x03;
    EXPECT_EQ(LoadFailure(bytes), CArchiveException::badSchema);
}

TEST(Archive, RejectsUnknownAndUnexpectedClasses) {
    CArTestNode node(1);
    const Bytes bytes = Store([&](CArchive& ar) { ar << &node << &node; });
    EXPECT_EQ(LoadFailure(bytes, RUNTIME_CLASS(CArTestLeaf)), CArchiveException::badClass);

    Bytes unknown = bytes;
    unknown[7] = 'X';  // "CXrTestNode"
    EXPECT_EQ(LoadFailure(unknown), CArchiveException::badClass);

    // A back reference to an object of the wrong class.
    Load(bytes, [](CArchive& ar) {
        std::unique_ptr<CObject> first(ar.ReadObject(RUNTIME_CLASS(CArTestNode)));
        EXPECT_EQ(CauseOf([&] { ar.ReadObject(RUNTIME_CLASS(CArTestLeaf)); }),
                  CArchiveException::badClass);
    });
}

// An object of one of several classes; one of none of them is refused before it exists. Once
// the nodes are sealed, a reference to an earlier node is refused, one to a leaf is not.
TEST(Archive, ObjectsOfSeveralClassesAndSealedReferences) {
    CArTestNode node(1);
    CArTestLeaf leaf;
    const Bytes bytes = Store([&](CArchive& ar) { ar << &node << &leaf << &leaf << &node; });
    const int liveBefore = CArTestNode::live;
    Load(bytes, [&](CArchive& ar) {
        EXPECT_EQ(CauseOf([&] { ar.ReadObject({RUNTIME_CLASS(CArTestLeaf)}); }),
                  CArchiveException::badClass);
        EXPECT_EQ(CArTestNode::live, liveBefore);
    });
    Load(bytes, [&](CArchive& ar) {
        const auto either = {RUNTIME_CLASS(CArTestLeaf), RUNTIME_CLASS(CArTestNode)};
        std::unique_ptr<CObject> first(ar.ReadObject(either));
        std::unique_ptr<CObject> second(ar.ReadObject(either));
        EXPECT_TRUE(first->IsKindOf(RUNTIME_CLASS(CArTestNode)));
        EXPECT_TRUE(second->IsKindOf(RUNTIME_CLASS(CArTestLeaf)));
        ar.SealObjects(RUNTIME_CLASS(CArTestNode));
        EXPECT_EQ(ar.ReadObject(nullptr), second.get());
        EXPECT_EQ(CauseOf([&] { ar.ReadObject(nullptr); }), CArchiveException::badIndex);
    });
}

TEST(Archive, RejectsTagsThatReferToNothingFitting) {
    const Bytes record = {0x07, 0x00, 0x00, 0x00, 0x00, 0x00};
    const std::vector<Bytes> tags = {
        {0x03, 0x00},  // object not read yet
        {0x01, 0x00},  // index of a class
        {0x02, 0x80},  // class index of an object
        {0x05, 0x80},  // class not read yet
        {0x00, 0x80},  // class index 0
        {0xFF, 0x7F, 0x09, 0x00, 0x00, 0x00},
        {0xFF, 0x7F, 0xFF, 0xFF, 0xFF, 0xFF},
        {0xFF, 0x7F, 0x02, 0x00, 0x00, 0x80},
    };
    for (const Bytes& tag : tags) {
        const Bytes bytes = Concat({kNodeClass, record, tag});
        EXPECT_EQ(LoadFailure(bytes), CArchiveException::badIndex) << HexDump(bytes);
    }
    Load({0x02, 0x00}, [](CArchive& ar) { EXPECT_THROW(ar.ReadClass(), CArchiveException); });
}

TEST(Archive, TruncatedGraphThrowsAndLeavesNoObjectBehind) {
    CArTestNode a(1);
    CArTestNode b(2, &a);
    CArTestNode c(3, &b);
    a.next = &c;
    const Bytes bytes = Store([&](CArchive& ar) { ar << &a; });
    for (size_t length = 0; length < bytes.size(); ++length) {
        const Bytes truncated(bytes.begin(), bytes.begin() + length);
        const int liveBefore = CArTestNode::live;
        EXPECT_EQ(CauseOf([&] { Load(truncated, [](CArchive& ar) { ar.ReadObject(nullptr); }); }),
                  CArchiveException::endOfFile)
            << length;
        EXPECT_EQ(CArTestNode::live, liveBefore) << length;
    }
}

TEST(Archive, FailedObjectCannotBeReferencedAfterwards) {
    // The node's record refers to index 9, which does not exist. A caller that goes on
    // reading after the failure must not get the deleted node back through index 2.
    const Bytes bytes = Concat({kNodeClass, {0x07, 0x00, 0x00, 0x00, 0x09, 0x00}, {0x02, 0x00}});
    Load(bytes, [](CArchive& ar) {
        EXPECT_THROW(ar.ReadObject(nullptr), CArchiveException);
        EXPECT_EQ(CArTestNode::live, 0);
        EXPECT_EQ(CauseOf([&] { ar.ReadObject(nullptr); }), CArchiveException::badIndex);
    });
}

// Stores a record, compares its bytes, and checks that loading and storing again gives them.
template <class T>
void ExpectLayout(const T& record, const Bytes& expected) {
    const Bytes bytes = Store([&](CArchive& ar) { ar << record; });
    EXPECT_EQ(bytes, expected) << HexDump(bytes);
    T loaded;
    Load(bytes, [&](CArchive& ar) { ar >> loaded; });
    EXPECT_EQ(Store([&](CArchive& ar) { ar << loaded; }), bytes);
}

TEST(GdiArchive, RecordsAreStoredFieldByField) {
    LOGFONT font;
    font.lfHeight = -13;
    font.lfEscapement = 900;
    font.lfOrientation = 900;
    font.lfWeight = FW_BOLD;
    font.lfItalic = 1;
    font.lfStrikeOut = 1;
    font.lfOutPrecision = 3;
    font.lfClipPrecision = 2;
    font.lfQuality = 1;
    font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    std::strcpy(font.lfFaceName, "Arial");
    Bytes fontBytes = {0xF3, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x84, 0x03, 0x00,
                       0x00, 0x84, 0x03, 0x00, 0x00, 0xBC, 0x02, 0x00, 0x00, 0x01, 0x00,
                       0x01, 0x00, 0x03, 0x02, 0x01, 0x22, 'A',  'r',  'i',  'a',  'l'};
    fontBytes.resize(kStoredLogFontSize, 0);
    ExpectLayout(font, fontBytes);

    LOGPEN pen;
    pen.lopnStyle = PS_DASH;
    pen.lopnWidth = {3, -1};
    pen.lopnColor = RGB(1, 2, 3);
    ExpectLayout(pen, {0x01, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x01,
                       0x02, 0x03, 0x00});
    LOGBRUSH brush;
    brush.lbStyle = BS_HATCHED;
    brush.lbColor = RGB(0xFF, 0, 0x80);
    brush.lbHatch = HS_DIAGCROSS;
    ExpectLayout(brush, {0x02, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x80, 0x00, 0x05, 0x00, 0x00, 0x00});
    ExpectLayout(RECT{1, -2, 3, 0x01020304}, {0x01, 0x00, 0x00, 0x00, 0xFE, 0xFF, 0xFF, 0xFF, 0x03,
                                              0x00, 0x00, 0x00, 0x04, 0x03, 0x02, 0x01});
    ExpectLayout(SIZE{850, -1100}, {0x52, 0x03, 0x00, 0x00, 0xB4, 0xFB, 0xFF, 0xFF});
    ExpectLayout(POINT{-7, 9}, {0xF9, 0xFF, 0xFF, 0xFF, 0x09, 0x00, 0x00, 0x00});
}

TEST(GdiArchive, LoadedFaceNameIsAlwaysTerminated) {
    Bytes bytes(kStoredLogFontSize - LF_FACESIZE, 0);
    bytes.resize(kStoredLogFontSize, 'F');
    LOGFONT loaded;
    Load(bytes, [&](CArchive& ar) { ar >> loaded; });
    EXPECT_EQ(std::strlen(loaded.lfFaceName), static_cast<size_t>(LF_FACESIZE - 1));

    bytes.pop_back();
    EXPECT_THROW(Load(bytes, [&](CArchive& ar) { ar >> loaded; }), CArchiveException);
}

}  // namespace
