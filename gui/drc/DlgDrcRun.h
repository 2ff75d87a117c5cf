#pragma once
// The DRC page of the workspace bar: "Check Now" and "Options.." over the "Run While Working"
// box and the report. It drives the check (CDrcRun) in the application's idle time, shows its
// report, and a double click on a finding's line shows that finding's objects.

#include "drc/DrcRun.h"
#include "gui/kit/BarPage.h"

class CDrcReportEdit;
class QCheckBox;
class QPushButton;

class CDlgDrcRun : public CBarPage {
    Q_OBJECT
public:
    explicit CDlgDrcRun(QWidget* parent = nullptr);

    bool OnIdle(int count) override;
    // An empty change (code 0) checks the active schematic; others go to the check as notices.
    void OnDocumentChanged(const DocumentChange& change) override;

    CDrcRun& Run() { return m_run; }
    CDrcReportEdit* Report() const { return m_report; }
    QPushButton* CheckNowButton() const { return m_checkNow; }
    QPushButton* OptionsButton() const { return m_options; }
    QCheckBox* RunWhileWorkingBox() const { return m_runWhileWorking; }

    // A double click on the report's line.
    void OnReportDblClk(int line);

private:
    CDrcRun m_run;
    QPushButton* m_checkNow;
    QPushButton* m_options;
    QCheckBox* m_runWhileWorking;
    CDrcReportEdit* m_report;
};
