#include "gui/kit/PropertySheet.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include "model/app/SchematicApp.h"

namespace {

const char* const kSection = "Settings";
const char* const kLastPage = "LastPage";

}  // namespace

// ---------------------------------------------------------------------------------------------
// Pages

CPropertyPage::CPropertyPage(const QString& title, const char* rememberedName, QWidget* parent)
    : QWidget(parent), m_rememberedName(rememberedName) {
    setWindowTitle(title);
}

bool CPropertyPage::OnOK() {
    if (!Leave())
        return false;
    OnApply();
    return true;
}

void CPropertyPage::showEvent(QShowEvent* event) {
    if (isWindow())
        Load();
    QWidget::showEvent(event);
}

void CPropertyPage::Load() {
    if (m_loaded)
        return;
    m_loaded = true;
    OnLoad();
    m_changed.TakeOnAll(this);
}

bool CPropertyPage::Leave() {
    if (!OnKillActive())
        return false;
    if (CSchematicApp* app = GetApp(); app && m_rememberedName)
        app->WriteProfileString(kSection, kLastPage, m_rememberedName);
    return true;
}

// ---------------------------------------------------------------------------------------------
// Sheets

CPropertySheet::CPropertySheet(const QString& title, QWidget* parent)
    : QDialog(parent), m_tabs(new QTabWidget(this)), m_buttonRow(new QHBoxLayout) {
    setWindowTitle(title);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_tabs, &QTabWidget::currentChanged, this, &CPropertySheet::OnTabChosen);
    // Every page's tab stays in sight: the sheet grows to hold them rather than scroll them.
    m_tabs->setUsesScrollButtons(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    m_buttonRow->addWidget(buttons);
    layout->addLayout(m_buttonRow);
}

void CPropertySheet::AddToButtonRow(QWidget* widget) {
    m_buttonRow->insertWidget(0, widget);
}

void CPropertySheet::AddPage(CPropertyPage* page) {
    m_tabs->addTab(page, page->windowTitle());
}

int CPropertySheet::PageCount() const {
    return m_tabs->count();
}

CPropertyPage* CPropertySheet::Page(int index) const {
    return static_cast<CPropertyPage*>(m_tabs->widget(index));
}

CPropertyPage* CPropertySheet::CurrentPage() const {
    return m_current < 0 ? nullptr : Page(m_current);
}

bool CPropertySheet::SetCurrentPage(int index) {
    if (index == m_current)
        return true;
    if (m_current >= 0 && !Page(m_current)->Leave())
        return false;
    ShowPage(index);
    return true;
}

void CPropertySheet::accept() {
    if ((m_current >= 0 && !Page(m_current)->Leave()) || !MayClose())
        return;
    for (int i = 0; i < PageCount(); ++i) {
        if (Page(i)->IsLoaded())
            Page(i)->OnApply();
    }
    QDialog::accept();
}

void CPropertySheet::showEvent(QShowEvent* event) {
    if (m_current < 0 && PageCount() > 0)
        ShowPage(RememberedIndex());
    QDialog::showEvent(event);
}

void CPropertySheet::keyPressEvent(QKeyEvent* event) {
    const bool next = event->key() == Qt::Key_PageDown;
    if (!(event->modifiers() & Qt::ControlModifier) || PageCount() < 2 ||
        (!next && event->key() != Qt::Key_PageUp)) {
        QDialog::keyPressEvent(event);
        return;
    }
    // Through the tabs, as a click on one: the page on show is asked first.
    m_tabs->setCurrentIndex((m_tabs->currentIndex() + (next ? 1 : PageCount() - 1)) % PageCount());
}

// The tab widget has switched already: the page being left is put back on show while it
// decides, so that it can point at the field at fault.
void CPropertySheet::OnTabChosen(int index) {
    if (m_current < 0 || index == m_current)
        return;
    SelectTab(m_current);
    SetCurrentPage(index);
}

// A page is filled before it shows: the field that takes the focus then shows its value.
void CPropertySheet::ShowPage(int index) {
    Page(index)->Load();
    SelectTab(index);
    m_current = index;
}

void CPropertySheet::SelectTab(int index) {
    const QSignalBlocker blocker(m_tabs);
    m_tabs->setCurrentIndex(index);
}

int CPropertySheet::RememberedIndex() const {
    const CSchematicApp* app = GetApp();
    if (!app)
        return 0;
    const CString remembered = app->GetProfileString(kSection, kLastPage);
    for (int i = 0; i < PageCount(); ++i) {
        const char* name = Page(i)->RememberedName();
        if (name && remembered == name)
            return i;
    }
    return 0;
}
