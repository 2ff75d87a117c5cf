#include "gui/library/DlgLibItem.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "gui/kit/PlainTextEdit.h"
#include "gui/kit/StoredText.h"
#include "library/LibraryFile.h"
#include "library/LibraryItem.h"
#include "platform/UserPrompt.h"

namespace {

constexpr int kMaxDescriptionLength = 1024;

const char* IconOfType(int type) {
    switch (type) {
        case kItemSymbol:
            return ":/icons/palette-gate.svg";
        case kItemDevice:
            return ":/icons/tree-device.svg";
        default:
            return ":/icons/document.svg";
    }
}

CString Stored(const QString& text) {
    return CString(text.toUtf8().toStdString());
}

}  // namespace

CDlgLibItem::CDlgLibItem(QWidget* parent, LibraryItemForm& form, CLibraryFile* library)
    : QDialog(parent), m_form(form), m_library(library) {
    setWindowTitle("Library Item Properties");
    m_icon = new QLabel;
    m_name = new QLineEdit(FromStoredText(form.name.str()));
    m_name->setObjectName("name");
    m_name->setMaxLength(kMaxItemNameLength);
    m_description = new QLineEdit(FromStoredText(form.description.str()));
    m_description->setObjectName("description");
    m_types = new QButtonGroup(this);
    auto* typeRow = new QHBoxLayout;
    const std::pair<const char*, int> types[] = {
        {"Symbol", kItemSymbol}, {"Circuit", kItemCircuit}, {"Device", kItemDevice}};
    for (const auto& [text, type] : types) {
        auto* button = new QRadioButton(text);
        m_types->addButton(button, type);
        typeRow->addWidget(button);
    }
    m_types->button(kItemSymbol)->setEnabled(form.symbolAllowed);
    m_types->button(kItemDevice)->setEnabled(form.deviceAllowed);
    if (QAbstractButton* chosen = m_types->button(form.type))
        chosen->setChecked(true);
    m_deviceOnly = new QCheckBox("Device Only (No Symbol)");
    m_deviceOnly->setEnabled(false);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    m_ok = buttons->button(QDialogButtonBox::Ok);

    auto* layout = new QFormLayout(this);
    layout->addRow(m_icon);
    layout->addRow("&Name", m_name);
    layout->addRow("&Description", m_description);
    layout->addRow("Type", typeRow);
    layout->addRow(m_deviceOnly);
    layout->addRow(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &CDlgLibItem::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDlgLibItem::reject);
    connect(m_types, &QButtonGroup::idClicked, this, &CDlgLibItem::ShowType);
    // An item without a name could not be found again.
    connect(m_name, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_ok->setEnabled(!text.trimmed().isEmpty()); });
    m_ok->setEnabled(!m_name->text().trimmed().isEmpty());
    ShowType(form.type);
}

void CDlgLibItem::ShowType(int type) {
    m_icon->setPixmap(QIcon(IconOfType(type)).pixmap(32, 32));
    // A device record holds its device alone, whatever the objects were.
    m_deviceOnly->setChecked(type == kItemDevice);
}

void CDlgLibItem::accept() {
    const CString name = Stored(m_name->text().trimmed());
    if (name.IsEmpty())
        return;
    if (m_library && !(m_form.flags & kItemNoNameCheck) && !(m_form.flags & kItemNoReplacePrompt)) {
        CLibraryItem existing;
        if (m_library->FindItem(existing, name) != kItemNotFound &&
            AfxMessageBox(m_library->ReplaceQuestion(name), MB_YESNO | MB_ICONQUESTION) != IDYES)
            return;
    }
    m_form.name = name;
    m_form.description = Stored(m_description->text());
    m_form.type = m_types->checkedId();
    QDialog::accept();
}

CDlgLibDescription::CDlgLibDescription(QWidget* parent, const CString& description,
                                       const LibraryCounts& counts)
    : QDialog(parent) {
    setWindowTitle("Modify Library Description");
    m_description = new CPlainTextEdit(FromStoredText(description.str()));
    m_description->setObjectName("description");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    auto* layout = new QFormLayout(this);
    layout->addRow("&Description", m_description);
    const std::pair<const char*, int> shown[] = {
        {"Symbols", counts.symbols}, {"Devices", counts.devices}, {"Circuits", counts.circuits}};
    for (const auto& [label, count] : shown) {
        auto* value = new QLabel(QString::number(count));
        value->setObjectName(label);
        layout->addRow(label, value);
    }
    layout->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // At most 1024 characters, and never empty: a library without a description cannot be
    // opened again.
    connect(m_description, &QPlainTextEdit::textChanged, this, [this] {
        QString text = m_description->toPlainText();
        if (text.size() > kMaxDescriptionLength) {
            text.truncate(kMaxDescriptionLength);
            m_description->setPlainText(text);
        }
        m_ok->setEnabled(!text.isEmpty());
    });
}

CString CDlgLibDescription::Description() const {
    return Stored(m_description->toPlainText());
}

bool EditLibraryDescription(QWidget* parent, CLibraryFile& library) {
    CDlgLibDescription dialog(parent, library.GetDescription(), CountLibraryItems(library));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const CString text = dialog.Description();
    return text != library.GetDescription() && library.SetDescription(text);
}

std::optional<CString> EditLibraryItem(QWidget* parent, CLibraryFile& library, int index) {
    CString name;
    const BOOL changed =
        EditItemProperties(library, index, [parent, &name](LibraryItemForm& form, CObList&) {
            CDlgLibItem dialog(parent, form, nullptr);
            const bool accepted = dialog.exec() == QDialog::Accepted;
            name = form.name;
            return accepted;
        });
    return changed ? std::optional<CString>(name) : std::nullopt;
}
