#include "gui/dialogs/wizards/SubcctWizard.h"

#include <QIcon>
#include <QPixmap>

#include "gui/dialogs/wizards/DlgScctWiz1.h"
#include "gui/dialogs/wizards/DlgScctWiz2.h"
#include "gui/dialogs/wizards/DlgScctWiz3.h"
#include "model/doc/DrawDoc.h"
#include "model/symbol/Symbol.h"
#include "netlist/walker/SheetOpener.h"

namespace {

// The file name without folder and extension.
CString TitleOf(const CString& path) {
    const std::string text(path.c_str());
    const size_t slash = text.find_last_of("/\\");
    std::string name = slash == std::string::npos ? text : text.substr(slash + 1);
    if (const size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0)
        name.erase(dot);
    return CString(name);
}

constexpr QSize kSidePicture(164, 314);

}  // namespace

CSubcctWizard::CSubcctWizard(CDrawDoc& active, QWidget* parent)
    : QWizard(parent),
      m_active(active),
      m_step1(new CDlgScctWiz1(*this)),
      m_step2(new CDlgScctWiz2(*this)),
      m_step3(new CDlgScctWiz3(*this)) {
    setWindowTitle("Sub-circuit Wizard");
    setWizardStyle(QWizard::ClassicStyle);
    setPage(kStep1, m_step1);
    setPage(kStep2, m_step2);
    setPage(kStep3, m_step3);
    // Steps 1 and 2 show a block with pins on a sheet down their left side; step 3 its preview.
    const QPixmap picture = QIcon(":/icons/subcircuit-wizard.svg").pixmap(kSidePicture);
    m_step1->setPixmap(QWizard::WatermarkPixmap, picture);
    m_step2->setPixmap(QWizard::WatermarkPixmap, picture);
}

CSubcctWizard::~CSubcctWizard() = default;

bool CSubcctWizard::OpenSchematic(const CString& path) {
    std::unique_ptr<CDrawDoc> sheet = GetSheetOpener().OpenSheet(path);
    if (!sheet)
        return false;
    m_opened = std::move(sheet);
    m_openedPath = path;
    m_signals.FillFromPorts(*m_opened);
    return true;
}

CSymbol* CSubcctWizard::MakeSymbol() const {
    const bool ownSheet = m_mode == kFromSchematic && m_opened;
    return BuildSubcctSymbol(m_signals.PlacedInOrder(), m_step3->Look(),
                             ownSheet ? m_openedPath : CString(),
                             ownSheet ? TitleOf(m_openedPath) : CString());
}
