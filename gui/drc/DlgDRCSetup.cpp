#include "gui/drc/DlgDRCSetup.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QVBoxLayout>

#include "drc/DrcRules.h"

namespace {

struct CheckBoxBit {
    const char* text;
    DWORD bit;
};

// The first five report errors; the last is an option.
constexpr std::array<CheckBoxBit, 6> kBoxes = {{
    {"Pin Type Connection Errors", kDrcCheckPinConnection},
    {"Not Connected Errors", kDrcCheckUnconnectedPin},
    {"Empty Nets", kDrcCheckEmptyNet},
    {"Nets Connecting only One Pin", kDrcCheckOnePinNet},
    {"Shorts Across All of a Symbol's Pins", kDrcCheckShortedSymbol},
    {"Allow Custom Pin Types", kDrcCheckSharedPin},
}};
constexpr size_t kReportBoxes = 5;

}  // namespace

CDlgDRCSetup::CDlgDRCSetup(DWORD& flags, QWidget* parent)
    : CPropertyPage("DRC Setup Options", nullptr, parent), m_flags(flags) {
    auto* report = new QGroupBox("Report Errors", this);
    auto* options = new QGroupBox("Options", this);
    auto* reportLayout = new QVBoxLayout(report);
    auto* optionsLayout = new QVBoxLayout(options);
    for (size_t i = 0; i < kBoxes.size(); ++i) {
        m_boxes[i] = new QCheckBox(kBoxes[i].text, this);
        (i < kReportBoxes ? reportLayout : optionsLayout)->addWidget(m_boxes[i]);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(report);
    layout->addWidget(options);
    layout->addStretch();
}

QCheckBox* CDlgDRCSetup::Box(DWORD bit) const {
    for (size_t i = 0; i < kBoxes.size(); ++i) {
        if (kBoxes[i].bit == bit)
            return m_boxes[i];
    }
    return nullptr;
}

void CDlgDRCSetup::OnLoad() {
    for (size_t i = 0; i < kBoxes.size(); ++i)
        m_boxes[i]->setChecked(m_flags & kBoxes[i].bit);
}

void CDlgDRCSetup::OnApply() {
    DWORD flags = 0;
    for (size_t i = 0; i < kBoxes.size(); ++i)
        flags |= m_boxes[i]->isChecked() ? kBoxes[i].bit : 0;
    m_flags = flags;
}
