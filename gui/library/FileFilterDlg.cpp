#include "gui/library/FileFilterDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "library/ShellFileOps.h"

namespace {

constexpr int kMaxFilterText = 80;

}  // namespace

CDlgFileFilter::CDlgFileFilter(Mode mode, const std::string& name, const std::string& extension,
                               QWidget* parent)
    : QDialog(parent), m_mode(mode), m_edit(new QLineEdit(this)) {
    setObjectName("fileFilter");
    const bool files = mode == kFileFilter;
    setWindowTitle(files ? "File Filter" : "Library Item Filter String");
    auto* label = new QLabel(files ? "File Name Filter" : "Library Item Filter", this);
    m_edit->setMaxLength(kMaxFilterText);
    m_edit->setText(QString::fromStdString(files ? name + "." + extension : name));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_edit);
    layout->addWidget(buttons);
}

std::string CDlgFileFilter::NamePart() const {
    return SplitFilterText(m_edit->text().toStdString(), m_mode == kFileFilter).name;
}

std::string CDlgFileFilter::ExtensionPart() const {
    return SplitFilterText(m_edit->text().toStdString(), m_mode == kFileFilter).extension;
}
