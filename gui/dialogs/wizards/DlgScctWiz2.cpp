#include "gui/dialogs/wizards/DlgScctWiz2.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "gui/dialogs/wizards/SubcctWizard.h"
#include "gui/kit/StoredText.h"
#include "model/symbol/SubcctLayout.h"
#include "platform/UserPrompt.h"

namespace {

constexpr int kMaxName = 80;

CString Bytes(const QString& text) {
    return CString(text.toUtf8().toStdString());
}

}  // namespace

CDlgScctWiz2::CDlgScctWiz2(CSubcctWizard& wizard)
    : m_wizard(wizard),
      m_name(new QLineEdit(this)),
      m_direction(new QComboBox(this)),
      m_bus(new QCheckBox("Use &bus pin for range", this)),
      m_add(new QPushButton("&Add >>", this)),
      m_remove(new QPushButton("<< &Remove ", this)),
      m_list(new QListWidget(this)) {
    setTitle("Sub-circuit Wizard - Step 2");
    m_name->setMaxLength(kMaxName);
    m_direction->addItems(
        {"Into the Sub-circuit", "Out of the Sub-circuit", "Bidirectional", "Other"});
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setSortingEnabled(true);
    auto* nameLabel = new QLabel("Signal &Name", this);
    nameLabel->setBuddy(m_name);
    auto* directionLabel = new QLabel("Signal &Direction", this);
    directionLabel->setBuddy(m_direction);
    auto* layout = new QGridLayout(this);
    layout->addWidget(nameLabel, 0, 0);
    layout->addWidget(m_name, 1, 0);
    layout->addWidget(directionLabel, 2, 0);
    layout->addWidget(m_direction, 3, 0);
    layout->addWidget(m_bus, 4, 0);
    layout->addWidget(m_add, 5, 0);
    layout->addWidget(m_remove, 6, 0);
    layout->addWidget(new QLabel("Signals ", this), 0, 1);
    layout->addWidget(m_list, 1, 1, 7, 1);
    layout->setRowStretch(7, 1);
    m_name->installEventFilter(this);
    connect(m_add, &QPushButton::clicked, this, &CDlgScctWiz2::Add);
    connect(m_remove, &QPushButton::clicked, this, &CDlgScctWiz2::Remove);
    connect(m_list, &QListWidget::itemSelectionChanged, this, &CDlgScctWiz2::OnSelection);
}

void CDlgScctWiz2::initializePage() {
    m_direction->setCurrentIndex(kSubcctInto);
    Refill();
}

void CDlgScctWiz2::Refill() {
    m_list->clear();
    for (const SubcctSignal& signal : m_wizard.Signals().All()) {
        auto* item = new QListWidgetItem(FromStoredText(signal.name.c_str()), m_list);
        item->setData(Qt::UserRole, SignalDirection(signal.word));
    }
    m_remove->setEnabled(false);
}

void CDlgScctWiz2::Add() {
    if (!m_wizard.Signals().Add(Bytes(m_name->text()), m_direction->currentIndex(),
                                m_bus->isChecked())) {
        AfxMessageBox("Please enter a name for the signal", MB_OK | MB_ICONEXCLAMATION);
        m_name->setFocus();
        return;
    }
    Refill();
}

// Enter in a typed name adds it, as Add does, rather than leaving the page; with nothing typed
// it moves on as in any other field.
bool CDlgScctWiz2::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_name || event->type() != QEvent::KeyPress)
        return QWizardPage::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if ((key != Qt::Key_Return && key != Qt::Key_Enter) || m_name->text().trimmed().isEmpty())
        return false;
    Add();
    m_name->selectAll();
    return true;
}

void CDlgScctWiz2::Remove() {
    for (const QListWidgetItem* item : m_list->selectedItems())
        m_wizard.Signals().Remove(Bytes(item->text()));
    Refill();
}

void CDlgScctWiz2::OnSelection() {
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    m_remove->setEnabled(!selected.isEmpty());
    if (selected.size() != 1)
        return;
    m_name->setText(selected.front()->text());
    m_direction->setCurrentIndex(selected.front()->data(Qt::UserRole).toInt());
}
