#include "gui/netlist/tools/NewToolDlg.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QStyle>
#include <QVBoxLayout>

CNewToolDlg::CNewToolDlg(QWidget* parent) : QDialog(parent), m_name(new QLineEdit("New Tool")) {
    setWindowTitle("Please enter a name for the tool..");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_name);
    layout->addWidget(buttons);
    m_name->selectAll();
    // The title asks the question, so the window is wide enough to show it whole beside the
    // title bar's icon and buttons, in the title bar's bold face.
    QFont bold = font();
    bold.setBold(true);
    const int titleBar = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
    setMinimumWidth(QFontMetrics(bold).horizontalAdvance(windowTitle()) + 4 * titleBar);
}

QString CNewToolDlg::Name() const {
    return m_name->text();
}
