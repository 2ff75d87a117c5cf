#include "gui/library/DlgAttrText.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "gui/kit/StoredText.h"
#include "gui/library/DesignTreeCtrl.h"
#include "library/AttrTextLink.h"
#include "model/doc/DrawDoc.h"
#include "model/text/AttrText.h"
#include "platform/UserPrompt.h"

namespace {

constexpr int kMaxAttrNameLength = 80;

CString Stored(const QString& text) {
    return CString(text.toUtf8().toStdString());
}

}  // namespace

CDlgAttrText::CDlgAttrText(CAttrText& text, QWidget* parent)
    : CPropertyPage("Attribute Link", nullptr, parent), m_text(text) {
    m_tree = new CDesignTreeCtrl;
    m_name = new QComboBox;
    m_name->setObjectName("attributeName");
    m_name->setEditable(true);
    m_name->lineEdit()->setMaxLength(kMaxAttrNameLength);
    m_objectLabel = new QLabel;
    m_objectLabel->setObjectName("objectLabel");
    m_style = new QButtonGroup(this);
    auto* layout = new QGridLayout(this);
    layout->addWidget(m_tree, 0, 0, 7, 1);
    layout->addWidget(m_objectLabel, 0, 1);
    layout->addWidget(new QLabel("Attribute"), 1, 1);
    layout->addWidget(m_name, 2, 1);
    int row = 3;
    for (const char* style :
         {"Value Only", "Attribute = Value", "Attribute : Value", "Title Block Style"}) {
        auto* button = new QRadioButton(style);
        m_style->addButton(button, row - 3);
        layout->addWidget(button, row++, 1);
    }
    connect(m_tree, &CDesignTreeCtrl::SelectedNodeChanged, this, &CDlgAttrText::OnSelectionChanged);
}

void CDlgAttrText::OnLoad() {
    m_tree->ShowForLinking(m_text.GetDocument());
    CString nameField;
    const IDesignTree::Node owner = FindOwnerNode(*m_tree, m_text, nameField);
    if (QAbstractButton* style = m_style->button((m_text.GetTextFlags() & 0xC0) >> 6))
        style->setChecked(true);
    if (owner)
        m_tree->Select(owner);
    m_name->setEditText(FromStoredText(nameField.str()));
}

void CDlgAttrText::OnSelectionChanged() {
    const IDesignTree::Node node = m_tree->GetSelected();
    const QString name = m_name->currentText();
    m_objectLabel->setText(node ? FromStoredText(m_tree->GetLabel(node).str()) : QString());
    m_name->clear();
    if (node && IsDesignFolder(m_tree->GetKind(node)))
        return;
    for (const CString& attribute : AttributeNamesOf(*m_tree, node))
        m_name->addItem(FromStoredText(attribute.str()));
    m_name->setEditText(name);
}

bool CDlgAttrText::OnKillActive() {
    const AttrLinkOwner owner = LinkOwnerOf(*m_tree, m_tree->GetSelected());
    if (!owner.owner) {
        return AfxMessageBox("No object is selected.\nRemove Property Link?",
                             MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
    }
    if (m_name->currentText().isEmpty()) {
        AfxMessageBox("Must enter a property name", MB_ICONEXCLAMATION);
        m_name->setFocus();
        return false;
    }
    return true;
}

void CDlgAttrText::OnApply() {
    m_modified = ApplyAttrLink(m_text, LinkOwnerOf(*m_tree, m_tree->GetSelected()),
                               Stored(m_name->currentText()), std::max(0, m_style->checkedId()));
}
