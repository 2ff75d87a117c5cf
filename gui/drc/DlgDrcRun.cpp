#include "gui/drc/DlgDrcRun.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "drc/DrcServices.h"
#include "gui/drc/DrcReportEdit.h"
#include "gui/kit/StoredText.h"

CDlgDrcRun::CDlgDrcRun(QWidget* parent)
    : CBarPage(parent),
      m_checkNow(new QPushButton("Check Now", this)),
      m_options(new QPushButton("Options..", this)),
      m_runWhileWorking(new QCheckBox("Run While Working", this)),
      m_report(new CDrcReportEdit(this)) {
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_checkNow);
    buttons->addWidget(m_options);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(3, 3, 3, 0);
    layout->setSpacing(3);
    layout->addLayout(buttons);
    layout->addWidget(m_runWhileWorking);
    layout->addWidget(m_report, 1);

    connect(m_checkNow, &QPushButton::clicked, this, [this] { m_run.QueueCheck(nullptr); });
    connect(m_options, &QPushButton::clicked, this, [] { GetDrcServices().ShowDrcSetup(); });
    connect(m_runWhileWorking, &QCheckBox::toggled, this, [this](bool on) {
        m_run.SetRunWhileWorking(on);
        if (on)
            m_run.QueueCheck(nullptr);
    });
    connect(m_report, &CDrcReportEdit::lineDoubleClicked, this, &CDlgDrcRun::OnReportDblClk);
    m_run.SetReportObserver(
        [this](const CString& text) { m_report->SetReport(FromStoredText(text.str())); });
}

bool CDlgDrcRun::OnIdle(int /*count*/) {
    return m_run.OnIdle();
}

void CDlgDrcRun::OnDocumentChanged(const DocumentChange& change) {
    if (change.code == 0) {
        m_run.QueueCheck(nullptr);
        return;
    }
    const DrcCheckRequest request{change.code, change.document};
    m_run.QueueCheck(&request);
}

void CDlgDrcRun::OnReportDblClk(int line) {
    const DrcListedFinding* finding = m_run.FindingAtLine(line);
    if (!finding)
        return;
    m_run.ShowFinding(*finding);
    m_report->SelectLine(line);
}
