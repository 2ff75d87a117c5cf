#include "gui/dialogs/objects/DlgInsertSymbol.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <algorithm>
#include <vector>

#include "gui/dialogs/objects/ObjectPreview.h"
#include "model/app/SchematicApp.h"
#include "model/text/InsertedSymbol.h"

namespace {

constexpr const char* kSection = "Settings";
constexpr const char* kIndexEntry = "SymbolIndex";

// The built-in symbols as the list shows them: by name, case ignored.
std::vector<SpecSymbolName> SortedNames() {
    std::vector<SpecSymbolName> names(std::begin(kSpecSymbolNames), std::end(kSpecSymbolNames));
    std::sort(names.begin(), names.end(), [](const SpecSymbolName& a, const SpecSymbolName& b) {
        return QString::compare(a.name, b.name, Qt::CaseInsensitive) < 0;
    });
    return names;
}

}  // namespace

CDlgInsertSymbol::CDlgInsertSymbol(QWidget* parent)
    : CPropertyPage("IEEE Symbol", nullptr, parent),
      m_preview(new CObjectPreview(this)),
      m_list(new QListWidget(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_preview);
    connect(m_list, &QListWidget::currentRowChanged, this, &CDlgInsertSymbol::OnSelection);
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] {
        if (HasKind())
            emit chosen();
    });
}

CDrawObj* CDlgInsertSymbol::MakeChoice() const {
    return HasKind() ? MakeInsertedSpecSymbol(m_kind) : nullptr;
}

void CDlgInsertSymbol::OnLoad() {
    {
        const QSignalBlocker blocker(m_list);
        for (const SpecSymbolName& entry : SortedNames()) {
            auto* item = new QListWidgetItem(entry.name, m_list);
            item->setData(Qt::UserRole, entry.kind);
        }
    }
    const CSchematicApp* app = GetApp();
    const int row = app ? int(app->GetProfileInt(kSection, kIndexEntry, 0)) : 0;
    m_list->setCurrentRow(row);
    if (m_list->currentItem())
        m_list->scrollToItem(m_list->currentItem());
}

void CDlgInsertSymbol::OnSelection() {
    const int row = m_list->currentRow();
    if (CSchematicApp* app = GetApp(); app && row >= 0)
        app->WriteProfileInt(kSection, kIndexEntry, row);
    m_kind = row < 0 ? -1 : m_list->item(row)->data(Qt::UserRole).toInt();
    m_preview->SetObject(MakeChoice());
    emit insertEnabled(HasKind());
}

void CDlgInsertSymbol::showEvent(QShowEvent* event) {
    CPropertyPage::showEvent(event);
    emit insertEnabled(HasKind());
    emit pageShown();
}
