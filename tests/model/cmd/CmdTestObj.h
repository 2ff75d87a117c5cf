#pragma once
// A drawing object for the command tests: a tag, attributes, a text with an optional own font,
// and links to other such objects that it records, breaks and remakes through a connection
// list. Its record (for document snapshots) holds all of these, the links as partner tags.

#include <optional>
#include <ostream>
#include <vector>

#include "model/DrawDoc.h"
#include "model/DrawObj.h"
#include "model/cmd/TextContent.h"
#include "platform/Maps.h"

class CCmdTestObj : public CDrawObj, public ITextContent {
    DECLARE_SERIAL(CCmdTestObj)
public:
    CCmdTestObj() : CCmdTestObj(0) {}
    explicit CCmdTestObj(int tag);
    CCmdTestObj(const CCmdTestObj& source, CDrawDoc* doc);
    ~CCmdTestObj() override { --alive; }

    // Only stores: the tests snapshot documents, they never load them.
    void Serialize(CArchive& ar) override;

    CMapStringToString* GetAttrMap() override { return &m_attributes; }
    // Refuses the value "refused".
    int SetAttr(const char* name, const char* value, UINT flags) override;
    void RefreshAttrTexts(const char* /*name*/) override { ++refreshes; }
    void Invalidate(IDocView* /*view*/) override { ++invalidated; }
    CDrawObj* Clone(CDrawDoc* doc) override { return new CCmdTestObj(*this, doc); }

    void CollectConnections(CConnectionList* list) override;
    void Disconnect(const CConnectionRecord* record) override;
    void Connect(const CConnectionRecord* record) override;
    static void Link(CCmdTestObj* a, CCmdTestObj* b);
    bool IsLinkedTo(const CCmdTestObj* other) const;

    const LOGFONT* GetOwnFont() const override { return m_font ? &*m_font : nullptr; }
    void SetOwnFont(const LOGFONT* font) override;
    CString GetContentText() const override { return m_text; }
    void SetContentText(const char* text) override { m_text = text; }

    static inline int alive = 0;
    int tag;
    int refreshes = 0;
    int invalidated = 0;

private:
    CMapStringToString m_attributes;
    CString m_text;
    std::optional<LOGFONT> m_font;
    std::vector<CCmdTestObj*> m_links;
};

// What the round trips compare: the document's archived bytes, and its objects in list order
// with their flags.
struct DocSnapshot {
    std::vector<BYTE> bytes;
    std::vector<std::pair<const CObject*, DWORD>> objects;
    bool operator==(const DocSnapshot&) const = default;
};
DocSnapshot Snapshot(CDrawDoc& doc);
void PrintTo(const DocSnapshot& snapshot, std::ostream* out);

// The tags of the document's objects in list order.
std::vector<int> TagsOf(const CDrawDoc& doc);
