#include "gui/dialogs/wizards/DlgScctWiz1.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "gui/dialogs/wizards/SubcctWizard.h"
#include "gui/kit/StoredText.h"
#include "model/doc/DrawDoc.h"
#include "model/symbol/Symbol.h"
#include "platform/UserPrompt.h"

namespace {

constexpr int kMaxPath = 260;

}  // namespace

CDlgScctWiz1::CDlgScctWiz1(CSubcctWizard& wizard)
    : m_wizard(wizard),
      m_modes{new QRadioButton("Create a new sub-circuit and symbol", this),
              new QRadioButton("Create a sub-circuit symbol from a schematic", this),
              new QRadioButton("Create a schematic from a sub-circuit symbol ", this)},
      m_file(new QLineEdit(this)),
      m_browse(new QPushButton("Browse", this)),
      m_symbols(new QComboBox(this)) {
    setTitle("Sub-circuit Wizard - Step 1");
    m_file->setMaxLength(kMaxPath);
    auto* layout = new QGridLayout(this);
    layout->addWidget(m_modes[0], 0, 0, 1, 3);
    layout->addWidget(m_modes[1], 1, 0, 1, 3);
    layout->addWidget(new QLabel("Schematic Filename", this), 2, 0);
    layout->addWidget(m_file, 2, 1);
    layout->addWidget(m_browse, 2, 2);
    layout->addWidget(m_modes[2], 3, 0, 1, 3);
    layout->addWidget(new QLabel("Symbol Identifier", this), 4, 0);
    layout->addWidget(m_symbols, 4, 1, 1, 2);
    layout->setRowStretch(5, 1);
    for (int mode = 0; mode < 3; ++mode)
        connect(m_modes[mode], &QRadioButton::clicked, this, [this, mode] { ChooseMode(mode); });
    connect(m_browse, &QPushButton::clicked, this, &CDlgScctWiz1::Browse);
}

// The sub-circuit blocks of the document, by identifier.
void CDlgScctWiz1::initializePage() {
    m_symbols->clear();
    const CObList& objects = m_wizard.ActiveDocument().GetObjects();
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        auto* symbol = dynamic_cast<CSymbol*>(objects.GetNext(pos));
        if (!symbol || symbol->GetKind() != kSymbolSubCircuit)
            continue;
        CString id;
        symbol->LookupAttr("_ID", id);
        m_symbols->addItem(FromStoredText(id.c_str()), QVariant::fromValue<void*>(symbol));
    }
    m_modes[m_wizard.Mode()]->setChecked(true);
    ChooseMode(m_wizard.Mode());
}

void CDlgScctWiz1::ChooseMode(int mode) {
    m_wizard.SetMode(mode);
    m_file->setEnabled(mode == CSubcctWizard::kFromSchematic);
    m_browse->setEnabled(mode == CSubcctWizard::kFromSchematic);
    m_symbols->setEnabled(mode == CSubcctWizard::kFromSymbol);
    // Finish instead of Next when the symbol's schematic is all there is to make.
    setFinalPage(mode == CSubcctWizard::kFromSymbol);
    emit completeChanged();
}

int CDlgScctWiz1::nextId() const {
    switch (m_wizard.Mode()) {
        case CSubcctWizard::kFromSymbol:
            return -1;
        case CSubcctWizard::kFromSchematic:
            return CSubcctWizard::kStep3;
        default:
            return CSubcctWizard::kStep2;
    }
}

void CDlgScctWiz1::Browse() {
    const QString path =
        QFileDialog::getOpenFileName(this, "Select Schematic File..", m_file->text(),
                                     "Schematic Files (*.sch);;All Files (*.*)");
    if (!path.isEmpty())
        m_file->setText(path);
}

bool CDlgScctWiz1::validatePage() {
    switch (m_wizard.Mode()) {
        case CSubcctWizard::kFromSchematic: {
            const CString path(m_file->text().toUtf8().toStdString());
            if (m_wizard.OpenSchematic(path))
                return true;
            CString message;
            message.Format(
                "Sub-circuit Wizard could not open the file %s.\nPlease check the filename and "
                "try again.",
                path.c_str());
            AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
            m_file->setFocus();
            return false;
        }
        case CSubcctWizard::kFromSymbol:
            if (m_symbols->currentIndex() < 0) {
                AfxMessageBox("Please select a symbol from the symbol list.",
                              MB_OK | MB_ICONEXCLAMATION);
                m_symbols->setFocus();
                return false;
            }
            m_wizard.SetChosenSymbol(
                static_cast<CSymbol*>(m_symbols->currentData().value<void*>()));
            return true;
        default:
            return true;
    }
}
