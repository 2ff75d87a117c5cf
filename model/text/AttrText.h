#pragma once
// CAttrText: a text box that shows one named attribute of its owner, a drawing object or the
// document. Editing the text sets the attribute through the owner, with its checks and the
// program's messages; changing the attribute elsewhere refreshes the text. The owner keeps
// the texts that show its attributes in a back-list (the object's attribute-text list, or the
// document's); PurgeAttrTexts restores that invariant after loading and editing.
//
// Display styles (text flags 0xC0): value only; "name = value"; "name : value"; title block
// (the value, with the name as a label at the top-left corner).
//
// Record after the text box record: DWORD 1 when the owner is the archive's document, else 0
// followed by the owner object (a reference, null allowed); then the attribute name.

#include "model/text/TextBox.h"

class CDrawDoc;

// Display styles of attribute texts.
constexpr WORD kAttrStyleValue = 0x00;
constexpr WORD kAttrStyleEquals = 0x40;
constexpr WORD kAttrStyleColon = 0x80;
constexpr WORD kAttrStyleTitleBlock = 0xC0;

// The message text for an attribute check result: for rc 1 to 15 the error (string 212 + rc,
// "must have an ID." ...), for rc -1 and -2 the warning (string 240 - rc); else empty.
const char* AttrCheckText(int rc);

class CAttrText : public CTextBox {
    DECLARE_SERIAL(CAttrText)
public:
    // Unlinked, with an empty name.
    CAttrText();
    explicit CAttrText(const CRect& position);
    // An unlinked copy with the same name.
    CAttrText(const CAttrText& source, CDrawDoc* document);

    void Serialize(CArchive& ar) override;

    CString GetTipText() const override;
    // Refreshes the value from the owner when the document changes.
    CDrawDoc* SetDocument(CDrawDoc* document) override;
    // The text box, then in title block style the attribute name as a label.
    void Draw(CDC* dc, const double* matrix) override;
    // The link to the owner (a line, or a circle for the document), then the text box tracker.
    void DrawTracker(CDC* dc, int state, const double* matrix) override;
    // The link reaches the owner, so the tracker meets what the text and its owner span; the
    // few texts of the document itself always draw theirs.
    bool TrackerMeets(const CRect& rect) const override;
    // Read-only attributes open the properties sheet instead of the in-place editor.
    void OnOpen(IDocView* view) override;
    CDrawObj* Clone(CDrawDoc* document) override;
    // While the text is selected in the view, the link is repainted too.
    void Invalidate(IDocView* view) override;
    // Puts the text back into its owner's back-list, or unlinks it from an owner that left the
    // document or keeps no texts.
    void PurgeAttrTexts() override;
    // The link as {text, 0, owner, null}, unless the owner is a marked object; a document owner
    // as {text, 1, null, null}, restored to the document that holds the text.
    void CollectConnections(CConnectionList* list) override;
    void Disconnect(const CConnectionRecord* record) override;
    void TakeLinksFrom(CDrawObj* replaced) override;
    void Connect(const CConnectionRecord* record) override;
    void GetLinkPlaces(const CConnectionRecord& record, std::vector<CLinkPlace>& places) override;
    void GiveLinksTo(CDrawObj* replacing) override;
    void MoveLinksTo(CDrawObj* other) override;
    // Attribute texts keep their place when geometry is copied.
    void CopyGeometryFrom(const CDrawObj* source) override;

    // Sets the attribute through the owner, asking the user when the owner refuses the
    // value. TRUE when the edit is finished (set, unchanged, or given up), FALSE when the
    // user goes on editing.
    BOOL SetText(const char* text, BOOL undoable) override;
    void GetDisplayText(CString& out) override;
    // Shows text without touching any attribute.
    virtual void SetShownText(const char* text);

    // Takes the owner's current value; with invalidate, repaints.
    void UpdateText(BOOL invalidate);
    // Gives symbol the identifier id that another symbol of its document has, and that one a
    // fresh identifier; with undoable, as one "renumber" step. TRUE when the edit is finished.
    BOOL DisplaceId(CDrawObj* symbol, const char* id, BOOL undoable);

    // The owner: a drawing object, the document, or null.
    CObject* GetOwner() const { return m_owner; }
    CDrawObj* GetOwnerObject() const;
    CDrawDoc* GetOwnerDocument() const;
    // Binds the text to the attribute name of owner; the owner's back-list is left alone.
    void Bind(CObject* owner, const char* name);
    const CString& GetName() const { return m_name; }

private:
    // The back-list of an owner, or null.
    static CObList* TextListOf(CObject* owner);
    // Takes the owner's link over from another text (which loses it).
    void TakeLinkOf(CAttrText* other);
    void DrawLabel(CDC* dc);
    // The message box for a refused value; nullopt to go on with the change.
    std::optional<BOOL> AskAboutCheck(int rc, const CString& entered);

    CObject* m_owner = nullptr;  // not owned
    CString m_name;
};
