#include "gui/dialogs/document/DocPropertiesSheet.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include "gui/kit/StoredText.h"
#include "model/doc/DrawDoc.h"
#include "model/doc/SummaryInfo.h"

namespace {

QString ToQt(const CString& text) {
    return FromStoredText(text.c_str());
}

CString FromQt(const QString& text) {
    return CString(text.toUtf8().constData());
}

}  // namespace

CSummPage::CSummPage(SummaryFields& fields, QWidget* parent)
    : CPropertyPage("Summary", nullptr, parent), m_fields(fields) {
    auto* form = new QFormLayout(this);
    m_title = AddEdit(*form, "Title:", "title");
    m_subject = AddEdit(*form, "Subject:", "subject");
    m_author = AddEdit(*form, "Author:", "author");
    m_keywords = AddEdit(*form, "Keywords:", "keywords");
    m_comments = AddEdit(*form, "Comments:", "comments");
    m_template = AddEdit(*form, "Template:", "template");
    m_application = new QLabel(this);
    m_application->setObjectName("application");
    form->addRow("Application:", m_application);
}

QLineEdit* CSummPage::AddEdit(QFormLayout& form, const char* label, const char* name) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    form.addRow(label, edit);
    return edit;
}

void CSummPage::OnLoad() {
    m_author->setText(ToQt(m_fields.author));
    m_keywords->setText(ToQt(m_fields.keywords));
    m_subject->setText(ToQt(m_fields.subject));
    m_comments->setText(ToQt(m_fields.comments));
    m_template->setText(ToQt(m_fields.templateName));
    m_title->setText(ToQt(m_fields.title));
    m_application->setText(ToQt(m_fields.application));
}

void CSummPage::OnApply() {
    m_fields.author = FromQt(m_author->text());
    m_fields.keywords = FromQt(m_keywords->text());
    m_fields.subject = FromQt(m_subject->text());
    m_fields.comments = FromQt(m_comments->text());
    m_fields.templateName = FromQt(m_template->text());
    m_fields.title = FromQt(m_title->text());
}

CStatPage::CStatPage(const StatisticsFields& fields, QWidget* parent)
    : CPropertyPage("Statistics", nullptr, parent) {
    auto* form = new QFormLayout(this);
    const std::pair<const char*, const CString*> rows[] = {
        {"Last Saved By:", &fields.lastSavedBy},
        {"Revision number:", &fields.revision},
        {"Total Editing Time:", &fields.editingTime},
        {"Last Printed:", &fields.lastPrinted},
        {"Created:", &fields.created},
        {"Last Saved:", &fields.lastSaved},
        {"Number of Nets:", &fields.nets},
        {"Other Objects:", &fields.otherObjects},
        {"Number of Pins:", &fields.pins},
        {"Number of Symbols:", &fields.symbols}};
    for (const auto& [label, value] : rows)
        form->addRow(label, new QLabel(ToQt(*value), this));
}

void EditSummaryInfo(CDrawDoc& doc, QWidget* parent) {
    const CSummaryInfo none;
    const CSummaryInfo& summary = doc.GetSummaryInfo() ? *doc.GetSummaryInfo() : none;
    SummaryFields fields = SummaryFields::From(summary);
    const StatisticsFields statistics =
        StatisticsFields::Of(summary, ObjectCounts::Of(doc.GetObjects()));
    CPropertySheet sheet("Document Properties", parent);
    sheet.setObjectName("documentProperties");
    sheet.AddPage(new CSummPage(fields));
    sheet.AddPage(new CStatPage(statistics));
    if (sheet.exec() == QDialog::Accepted)
        doc.ApplySummaryFields(fields);
}
