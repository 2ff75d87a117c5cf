#pragma once
// CNet: one electrical net of a sheet, shared by the wires and buses that carry it. Its name is
// its "_ID"; its other attributes live in its own map. Holders count their references and the
// last Release deletes the net. Nets are not in the document's object list: they are stored
// as objects the wires refer to.
//
// Record: the attribute map (count, then name and value pairs), the flags (DWORD) without the
// run-time marks, then the name.

#include <memory>

#include "platform/CString.h"
#include "platform/Maps.h"
#include "platform/Object.h"

class CDrawDoc;

// Flag bits of a net.
constexpr DWORD kNetReadOnly = 0x4;
constexpr DWORD kNetNamed = 0x8;           // named by the user or by a net connector
constexpr DWORD kNetVisited = 0x20000000;  // run-time mark of walks over the nets
constexpr DWORD kNetClearedByUserName = 0x3;

class CNet : public CObject {
    DECLARE_SERIAL(CNet)
public:
    static constexpr UINT kSchema = 0;

    CNet();
    explicit CNet(const char* name);
    // The source's name, flags and attributes in their order; count 0.
    CNet(const CNet& source);
    CNet& operator=(const CNet&) = delete;
    ~CNet() override;

    void Serialize(CArchive& ar) override;

    void AddRef() { ++m_refCount; }
    // The new count; at the last reference the net is deleted and 0 returned.
    int Release();
    int GetRefCount() const { return m_refCount; }

    DWORD GetFlags() const { return m_flags; }
    void SetFlags(DWORD value, DWORD mask) { m_flags = (m_flags & ~mask) | (value & mask); }
    const CString& GetName() const { return m_name; }

    // Attributes: index 0 is "_ID" (the name), then the map in its order.
    void GetAttrAt(int index, CString& key, CString& value) const;
    CString GetAttr(const char* name) const;
    CString GetStdAttr(int id) const;
    BOOL LookupAttr(const char* name, CString& value) const;
    // Unless forced (0x1) the value is checked first. "_ID" takes the trimmed value and fails
    // for an empty one; the user flag (0x4) marks the net named.
    BOOL SetAttr(const char* name, const char* value, UINT flags);
    // -1 for a read-only net; for "_ID" trims the value and answers 3 when it is empty.
    int CheckAttrValue(const char* name, CString& value) const;
    BOOL IsIdAttrAt(int index) const { return index == 0; }
    int GetAttrCount() const { return (m_attributes ? m_attributes->GetCount() : 0) + 1; }
    BOOL RemoveAttr(const char* name);
    CMapStringToString* GetAttrMap() { return &Attributes(); }
    // Exchanges the attribute maps, each keeping its order, the names and the flags (but for
    // run-time marks) of the two nets.
    void ExchangeAttributes(CNet& other);

    // Gives the net a name no other net of the document bears: its own when free, else the
    // next "n%04d" of the document's counter. The objects carrying it refresh their "_ID" texts,
    // unless the caller, who knows all of them, does that itself (refresh FALSE).
    void MakeUniqueName(CDrawDoc* doc, BOOL refresh = TRUE);

private:
    // The map, made when first asked for.
    CMapStringToString& Attributes();

    // Most nets carry no attribute but their name: the map is made only when one is set.
    std::unique_ptr<CMapStringToString> m_attributes;
    CString m_name;
    int m_refCount = 0;
    DWORD m_flags = 0;
};
