#pragma once
// The window through which the dialogs pick an item from the libraries: the Search Libraries
// dialog with the caller's options and filter, over the active window.

#include "library/LibraryPicker.h"

class CSchematicApp;

class CSearchLibPicker : public ILibraryPicker {
public:
    explicit CSearchLibPicker(CSchematicApp& app) : m_app(app) {}
    std::optional<SearchChoice> PickLibraryItem(
        UINT options, const CLibrarySearchFilter::CallerFilter& filter) override;

private:
    CSchematicApp& m_app;
};
