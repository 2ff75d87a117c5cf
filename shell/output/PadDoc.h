#pragma once
// The document of an output window: the text that its view shows, loaded and saved as a
// plain file. Output that a command writes into such a window can be closed without the save
// prompt.

#include <cstddef>
#include <functional>

#include "model/doc/DocumentBase.h"
#include "platform/Types.h"

class CStrEditView;

class CPadDoc : public CDocumentBase {
public:
    // Larger files are not opened into an output window.
    static constexpr std::size_t kMaxFileBytes = 16 * 1024 * 1024;

    // The view whose text the document loads and saves; null detaches it.
    void SetView(CStrEditView* view) { m_view = view; }
    CStrEditView* GetView() const { return m_view; }

    BOOL GetCloseWithoutAsking() const { return m_closeWithoutAsking; }
    void SetCloseWithoutAsking(BOOL closeWithoutAsking) {
        m_closeWithoutAsking = closeWithoutAsking;
    }

    // Whether the view's text changed since it was loaded, saved or cleared of the flag.
    BOOL IsModified() const override;
    void SetModifiedFlag(BOOL modified = TRUE) override;

    // Reads the file into the view as it is. A failure is shown to the user and gives FALSE.
    BOOL OnOpenDocument(const char* path) override;
    // Writes the view's text with CR LF line ends into the file, through a temporary file, and
    // clears the modified flag. A failure is shown to the user and gives FALSE.
    BOOL OnSaveDocument(const char* path) override;

    // Whether the document may close: TRUE at once when it closes without asking, else the
    // answer of askToSave (the usual save prompt).
    BOOL SaveModified(const std::function<BOOL()>& askToSave) const;

private:
    CStrEditView* m_view = nullptr;
    BOOL m_closeWithoutAsking = FALSE;
};
