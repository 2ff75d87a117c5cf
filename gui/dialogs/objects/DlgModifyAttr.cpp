#include "gui/dialogs/objects/DlgModifyAttr.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QResizeEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include "gui/kit/PlainTextEdit.h"
#include "gui/kit/StoredText.h"
#include "model/app/SchematicApp.h"

namespace {

constexpr char kSection[] = "Settings";
constexpr char kSizeEntry[] = "AttrDlg";
constexpr int kMinWidth = 300;
constexpr int kMinHeight = 125;

QFont ValueFont() {
    QFont font("Courier New", 10);
    if (!QFontDatabase::hasFamily("Courier New"))
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    return font;
}

CString Bytes(const QString& text) {
    return CString(text.toUtf8().constData());
}

}  // namespace

CDlgModifyAttr::CDlgModifyAttr(const CString& name, const CString& value, bool nameLocked,
                               const AttrNameTable& names, QWidget* parent)
    : QDialog(parent),
      m_name(new QLineEdit(FromStoredText(name.str()), this)),
      m_value(new CPlainTextEdit(FromStoredText(value.str()).replace("\r\n", "\n"), this)),
      m_nameMenu(new QToolButton(this)) {
    setWindowTitle("Modify Attribute");
    setMinimumSize(kMinWidth, kMinHeight);
    m_name->setEnabled(!nameLocked);
    m_value->setFont(ValueFont());
    m_nameMenu->setArrowType(Qt::RightArrow);
    m_nameMenu->setEnabled(!nameLocked && !names.empty());
    auto* menu = new QMenu(m_nameMenu);
    for (const auto& [text, attribute] : names) {
        if (text == "<sep>") {
            menu->addSeparator();
            continue;
        }
        const QString chosen = FromStoredText(attribute.str());
        menu->addAction(FromStoredText(text.str()), this,
                        [this, chosen] { m_name->setText(chosen); });
    }
    connect(m_nameMenu, &QToolButton::clicked, this,
            [this, menu] { menu->exec(m_nameMenu->mapToGlobal(QPoint(m_nameMenu->width(), 0))); });
    auto* close = new QPushButton("Close", this);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* nameLabel = new QLabel("&Attribute", this);
    nameLabel->setBuddy(m_name);
    auto* valueLabel = new QLabel("&Value", this);
    valueLabel->setBuddy(m_value);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->addWidget(nameLabel, 0, 0);
    grid->addWidget(m_name, 0, 1);
    grid->addWidget(m_nameMenu, 0, 2);
    grid->addWidget(valueLabel, 1, 0, Qt::AlignTop);
    grid->addWidget(m_value, 1, 1, 2, 1);
    grid->addWidget(close, 1, 2, Qt::AlignTop | Qt::AlignRight);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(2, 1);

    if (const CSchematicApp* app = GetApp()) {
        const int size = int(app->GetProfileInt(kSection, kSizeEntry, -1));
        if (size != -1)
            resize(std::max(size & 0xFFFF, kMinWidth), std::max(size >> 16, kMinHeight));
    }
    m_sized = true;
}

CString CDlgModifyAttr::Name() const {
    return Bytes(m_name->text());
}

CString CDlgModifyAttr::Value() const {
    return Bytes(m_value->toPlainText().replace("\n", "\r\n"));
}

void CDlgModifyAttr::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (!m_sized)
        return;
    if (CSchematicApp* app = GetApp()) {
        const QSize size = event->size();
        app->WriteProfileInt(kSection, kSizeEntry, (size.height() << 16) | size.width());
    }
}
