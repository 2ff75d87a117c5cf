#pragma once
// The "Document Properties" sheet of File > Summary Info: the "Summary" page edits the
// document's descriptive properties, the "Statistics" page shows its dates, revision, editing
// time and object counts.

#include <QString>

#include "gui/kit/PropertySheet.h"
#include "model/doc/DocStatistics.h"

class CDrawDoc;
class QFormLayout;
class QLabel;
class QLineEdit;

class CSummPage : public CPropertyPage {
    Q_OBJECT
public:
    explicit CSummPage(SummaryFields& fields, QWidget* parent = nullptr);

protected:
    void OnLoad() override;
    void OnApply() override;

private:
    QLineEdit* AddEdit(QFormLayout& form, const char* label, const char* name);

    SummaryFields& m_fields;
    QLineEdit* m_author;
    QLineEdit* m_keywords;
    QLineEdit* m_subject;
    QLineEdit* m_comments;
    QLineEdit* m_template;
    QLineEdit* m_title;
    QLabel* m_application;
};

class CStatPage : public CPropertyPage {
    Q_OBJECT
public:
    explicit CStatPage(const StatisticsFields& fields, QWidget* parent = nullptr);
};

// The command: the sheet over the document's summary and counts; OK writes the summary back,
// refreshes the attribute texts that show it and marks the document modified.
void EditSummaryInfo(CDrawDoc& doc, QWidget* parent);
