#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model/ConnectionList.h"
#include "model/DrawObj.h"
#include "platform/ObList.h"

namespace {

// An object with two-way links to others. It records a link to every partner that is not
// marked, and breaks and makes links both ways.
class LinkObj : public CDrawObj {
public:
    explicit LinkObj(char name) : name(name) {}

    void CollectConnections(CConnectionList* list) override {
        for (LinkObj* partner : links) {
            if (!(partner->GetFlags() & kFlagMark))
                list->Add({this, 0, partner, nullptr});
        }
    }
    void Disconnect(const CConnectionRecord* record) override {
        auto* partner = static_cast<LinkObj*>(record->partner);
        std::erase(links, partner);
        std::erase(partner->links, this);
    }
    void Connect(const CConnectionRecord* record) override { Link(this, record->partner); }

    static void Link(CDrawObj* first, CDrawObj* second) {
        auto* a = static_cast<LinkObj*>(first);
        auto* b = static_cast<LinkObj*>(second);
        a->links.push_back(b);
        b->links.push_back(a);
    }
    std::string Partners() const {
        std::string names;
        for (const LinkObj* partner : links)
            names += partner->name;
        return names;
    }

    char name;
    std::vector<LinkObj*> links;
};

// "ab" for the record {a, ., b, .}, one entry per record.
std::vector<std::string> Pairs(const CConnectionList& list) {
    std::vector<std::string> pairs;
    for (int i = 0; i < list.GetCount(); ++i) {
        const CConnectionRecord& record = list.GetAt(i);
        pairs.push_back({static_cast<LinkObj*>(record.object)->name,
                         static_cast<LinkObj*>(record.partner)->name});
    }
    return pairs;
}

TEST(ConnectionListTest, CapacityGrowsInWholeStepsAndACopyHoldsExactlyTheRecords) {
    CConnectionList list;
    for (int i = 0; i < 11; ++i)
        list.Add({nullptr, i, nullptr, nullptr});
    EXPECT_EQ(list.GetCapacity(), 20);
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(list.GetAt(i).end, i);
    CConnectionList copy(list);
    EXPECT_EQ(copy.GetCount(), 11);
    EXPECT_EQ(copy.GetCapacity(), 11);
    copy.Add({});
    EXPECT_EQ(copy.GetCapacity(), 21);
    EXPECT_EQ(list.GetCount(), 11);

    CConnectionList byOne(0);  // no growth would never make room
    byOne.Add({});
    byOne.Add({});
    EXPECT_EQ(byOne.GetCapacity(), 2);
    const CConnectionList empty(7);
    EXPECT_EQ(CConnectionList(empty).GetCapacity(), 0);
}

TEST(ConnectionListTest, ReplaceAndRemoveLookAtTheObjectFields) {
    LinkObj a('a'), b('b'), c('c'), n('n');
    CConnectionList list;
    list.Add({&a, 1, &b, nullptr});
    list.Add({&b, 0, &c, &a});
    list.Add({&c, 0, &a, nullptr});
    list.Add({&c, 1, &b, nullptr});

    list.Replace(&a, &n);
    EXPECT_EQ(list.GetAt(0), (CConnectionRecord{&n, 1, &b, nullptr}));
    EXPECT_EQ(list.GetAt(1), (CConnectionRecord{&b, 0, &c, &n}));
    EXPECT_EQ(list.GetAt(2), (CConnectionRecord{&c, 0, &n, nullptr}));
    EXPECT_EQ(list.GetAt(3), (CConnectionRecord{&c, 1, &b, nullptr}));

    list.Remove(&n);  // named by the first three records, two of them consecutive
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetAt(0), (CConnectionRecord{&c, 1, &b, nullptr}));
}

class LinkedChainTest : public ::testing::Test {
protected:
    void SetUp() override {
        LinkObj::Link(&a, &b);
        LinkObj::Link(&b, &c);
        LinkObj::Link(&c, &d);
    }
    CObList& Objects(std::initializer_list<CDrawObj*> objects) {
        for (CDrawObj* object : objects)
            objectList.AddTail(object);
        return objectList;
    }

    LinkObj a{'a'}, b{'b'}, c{'c'}, d{'d'};  // a - b - c - d
    CObList objectList;
    CConnectionList list;
};

TEST_F(LinkedChainTest, LinksInsideTheSetAreLeftOutOrRecordedOnce) {
    list.Collect(Objects({&b, &c}));
    EXPECT_EQ(Pairs(list), (std::vector<std::string>{"ba", "cd"}));
    list.RemoveAll();
    list.CollectInOrder(objectList);
    EXPECT_EQ(Pairs(list), (std::vector<std::string>{"ba", "bc", "cd"}));
    for (LinkObj* object : {&a, &b, &c, &d})
        EXPECT_FALSE(object->GetFlags() & kFlagMark);
}

TEST_F(LinkedChainTest, ReleasedLinksComeBackOnRestoreOrGoToAReplacement) {
    std::vector<CDrawObj*> middle{&b, &c};
    list.CollectAndRelease(middle);
    EXPECT_EQ(a.Partners() + b.Partners() + d.Partners(), "c");
    list.Restore();
    EXPECT_EQ(a.Partners() + "|" + b.Partners() + "|" + c.Partners(), "b|ca|bd");

    LinkObj copy('B');
    list.RemoveAll();
    list.CollectAndRelease(Objects({&b}));
    list.Replace(&b, &copy);
    list.Restore();
    EXPECT_EQ(copy.Partners() + "|" + b.Partners() + "|" + c.Partners(), "ca||dB");
}

}  // namespace
