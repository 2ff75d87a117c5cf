#pragma once
// CDocNetlist: a document's connectivity walker, which the netlist build walks the document's
// objects, devices and nets with. It is bound to its document for its whole life.

class CDrawDoc;

class CDocNetlist {
public:
    explicit CDocNetlist(CDrawDoc* document);
    CDocNetlist(const CDocNetlist&) = delete;
    CDocNetlist& operator=(const CDocNetlist&) = delete;

    CDrawDoc* GetDocument() const { return m_document; }

private:
    CDrawDoc* m_document;
};
