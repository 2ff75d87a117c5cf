#include "gui/library/SearchLibPicker.h"

#include <QApplication>

#include "gui/library/DlgSearchLib.h"

std::optional<SearchChoice> CSearchLibPicker::PickLibraryItem(
    UINT options, const CLibrarySearchFilter::CallerFilter& filter) {
    CDlgSearchLib dialog(QApplication::activeWindow(), m_app, options, filter);
    dialog.exec();
    if (dialog.Choices().empty())
        return std::nullopt;
    return dialog.Choices().front();
}
