#include "gui/dialogs/objects/InsertSymbolPropSheet.h"

#include <QPushButton>
#include <algorithm>

#include "gui/dialogs/objects/DlgInsSymbol.h"
#include "gui/dialogs/objects/DlgInsertSymbol.h"

CInsertSymbolPropSheet::CInsertSymbolPropSheet(int pageIndex, QWidget* parent)
    : CPropertySheet("Insert Symbol", parent),
      m_characters(new CDlgInsSymbol),
      m_symbols(new CDlgInsertSymbol) {
    OkButton()->setText("Insert");
    const auto enableInsert = [this](bool enabled) { OkButton()->setEnabled(enabled); };
    connect(m_characters, &CDlgInsSymbol::insertEnabled, this, enableInsert);
    connect(m_symbols, &CDlgInsertSymbol::insertEnabled, this, enableInsert);
    connect(m_characters, &CDlgInsSymbol::chosen, this, &CInsertSymbolPropSheet::accept);
    connect(m_symbols, &CDlgInsertSymbol::chosen, this, &CInsertSymbolPropSheet::accept);
    connect(m_characters, &CDlgInsSymbol::pageShown, this, [this] { PageShown(0); });
    connect(m_symbols, &CDlgInsertSymbol::pageShown, this, [this] { PageShown(1); });
    AddPage(m_characters);
    AddPage(m_symbols);
    SetCurrentPage(std::clamp(pageIndex, 0, 1));
}

void CInsertSymbolPropSheet::PageShown(int index) {
    m_lastPage = index;
}

CDrawObj* CInsertSymbolPropSheet::MakeChoice() const {
    switch (m_lastPage) {
        case 0:
            return m_characters->MakeChoice();
        case 1:
            return m_symbols->MakeChoice();
        default:
            return nullptr;
    }
}
