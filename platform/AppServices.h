#pragma once
// Services of the application that the headless core calls: change notices and the wait
// cursor. The window shell installs an implementation; without one every call does nothing.

#include <vector>

#include "platform/Types.h"

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
};

// Installs services for the whole process (null uninstalls) and returns the ones replaced.
// The caller keeps ownership and uninstalls them before destroying them.
IAppServices* SetAppServices(IAppServices* services);
// The installed services, else ones that do nothing.
IAppServices& GetAppServices();

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
