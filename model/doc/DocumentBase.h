#pragma once
// The document side of the document/view machinery: path and title, the modified flag, the
// views that show the document, and storage in a compound file whose "Contents" stream holds
// the archived document.

#include <vector>

#include "platform/CString.h"
#include "platform/Object.h"

class CArchive;
class CDrawDoc;
class CObList;
class CompoundFile;
class CompoundStorage;
class IDocView;

class CDocumentBase : public CObject {
public:
    CDocumentBase();
    ~CDocumentBase() override;

    // Life cycle; the Open and Save defaults read and write the compound file at path.
    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(const char* path);
    virtual BOOL OnSaveDocument(const char* path);
    virtual void OnCloseDocument();
    virtual void DeleteContents();

    virtual void SetPathName(const char* path, BOOL addToMru = TRUE);
    const CString& GetPathName() const { return m_pathName; }
    virtual void SetTitle(const char* title);
    const CString& GetTitle() const { return m_title; }

    // Whether a failed open or save tells the user why (TRUE unless turned off). A document
    // read for another task, such as a sheet of a netlist build, leaves the report to it.
    void SetReportsFailures(BOOL report) { m_reportsFailures = report; }

    // The schematic this is, or null; the objects read from a file ask it for their document.
    virtual CDrawDoc* AsDrawDoc() { return nullptr; }

    virtual BOOL IsModified() const { return m_modified; }
    virtual void SetModifiedFlag(BOOL modified = TRUE);

    // Views
    void AddView(IDocView* view);
    void RemoveView(IDocView* view);
    const std::vector<IDocView*>& GetViews() const { return m_views; }
    // Tells every view but the sender what changed (UpdateHint), by one object or a list.
    void UpdateAllViews(IDocView* sender, int hint = 0, CObject* hintObject = nullptr);
    void UpdateAllViews(IDocView* sender, int hint, CObList* hintList);

    // The document from the "Contents" stream of a compound file, and into a new one
    // ("Contents" and whatever else Serialize puts into the root storage). Failures throw.
    void ReadDocument(CompoundFile& file);
    void WriteDocument(CompoundFile& file);

    // The root storage of the file being read or written; null outside those.
    CompoundStorage* GetRootStorage() const { return m_rootStorage; }
    // Sets the storage that GetRootStorage answers (for archives of objects that keep
    // storages of their own, written outside a file); returns the one before.
    CompoundStorage* SetRootStorage(CompoundStorage* storage);

private:
    struct RootScope;

    CString m_pathName;
    CString m_title;
    BOOL m_modified = FALSE;
    BOOL m_reportsFailures = TRUE;
    std::vector<IDocView*> m_views;
    CompoundStorage* m_rootStorage = nullptr;
};
