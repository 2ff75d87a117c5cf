#pragma once
// The report of the DRC page: read-only text without wrapping, on the window's background. A
// double click names the line it hit instead of selecting a word.

#include <QPlainTextEdit>

class CDrcReportEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CDrcReportEdit(QWidget* parent = nullptr);

    // Shows report text whose lines end with CR LF.
    void SetReport(const QString& text);
    // Selects the whole line and scrolls it into view.
    void SelectLine(int line);

signals:
    void lineDoubleClicked(int line);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};
