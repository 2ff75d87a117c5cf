#pragma once
// Services of the application that the headless core calls: change notices, the wait cursor,
// view updates and the output bar of the main window. The window shell installs an
// implementation; without one every call does nothing. The calls about views and bars have
// do-nothing defaults, for a shell without those windows and for test doubles. The pages of
// the workspace bar that belong to a subsystem are reached through that subsystem's own
// interface (library/LibraryBarServices.h, drc/DrcServices.h).

#include <iosfwd>
#include <vector>

#include "platform/Installed.h"
#include "platform/Types.h"

class IDocView;

// Codes of NotifyDocumentChanged.
constexpr int kDocumentContentChanged = -1;
constexpr int kDocumentSetChanged = 4;

class IAppServices {
public:
    virtual ~IAppServices() = default;
    // A document's contents (kDocumentContentChanged) or the set of open documents
    // (kDocumentSetChanged) changed.
    virtual void NotifyDocumentChanged(void* document, int code) = 0;
    // Shows the busy cursor until the matching EndWaitCursor; the calls nest.
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;
    // Brings a document forward (makes one of its views the active one when the active view
    // shows another document) and has that view show the objects carrying one of the flag
    // bits. Without windows there is nothing to show.
    virtual void ShowDocumentObjects(void* /*document*/, unsigned long /*flagMask*/) {}
    // Whether a chosen printer (its system printer-names and printer-mode records) can still
    // print. Without a printing system nothing can be checked, and the choice is kept.
    virtual bool IsPrinterUsable(const std::vector<BYTE>& /*devNames*/,
                                 const std::vector<BYTE>& /*devMode*/) {
        return true;
    }

    // A document's title changed: the windows that show it take it as their caption.
    virtual void DocumentTitleChanged(void* /*document*/) {}
    // A document was opened from or saved to path: it goes to the top of the recent files.
    virtual void AddToRecentFileList(const char* /*path*/) {}
    // Sends hint to every view of every open document, with no sender.
    virtual void UpdateAllViews(int /*hint*/) {}
    // The view of the active document window; null when there is none.
    virtual IDocView* GetActiveView() { return nullptr; }
    // The stream buffer of the Output bar, for logs; null when there is no main window.
    virtual std::streambuf* GetOutputStreamBuf() { return nullptr; }
    virtual void ShowOutputBar() {}
};

// Without installed services every call does nothing.
template <>
IAppServices& Installed<IAppServices>::Fallback();

// Installs services for the whole process (null uninstalls) and returns the ones replaced.
// The caller keeps ownership and uninstalls them before destroying them.
inline IAppServices* SetAppServices(IAppServices* services) {
    return Installed<IAppServices>::Install(services);
}
// The installed services, else ones that do nothing.
inline IAppServices& GetAppServices() {
    return Installed<IAppServices>::Get();
}

// Shows the busy cursor for its lifetime, through the services installed when it was made.
class WaitCursor {
public:
    WaitCursor() : m_services(GetAppServices()) { m_services.BeginWaitCursor(); }
    ~WaitCursor() { m_services.EndWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    IAppServices& m_services;
};
