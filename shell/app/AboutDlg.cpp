#include "shell/app/AboutDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

#include "platform/AppIdentity.h"
#include "platform/Geometry.h"
#include "shell/app/AboutLabel.h"
#include "shell/app/AboutLink.h"
#include "shell/app/AboutProduct.h"

namespace {

constexpr int kIconSize = 48;
constexpr int kTextWidth = 320;

struct LabelText {
    int id;
    const char* text;
};

QFont ArialFont(int points, int dpiY) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(MulDiv(points, dpiY, 72));
    font.setWeight(QFont::Normal);
    return font;
}

QString LabelName(int id) {
    return QStringLiteral("label%1").arg(id);
}

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About ") + kApplicationTitle);
    const QString version = QStringLiteral("Version ") + kProductVersion;
    const LabelText lines[] = {
        {394, kApplicationTitle},
        {382, nullptr},
        {353, "Schematic capture for electronic circuits"},
        {385, kRegistryKey},
        {384, "Copyright (C) Fenwyk Systems. All rights reserved."},
        {383, "This program is provided as is, without warranty of any kind."},
        {381, "On the web:"},
    };

    auto* text = new QVBoxLayout;
    for (const LabelText& line : lines) {
        auto* label = new CAboutLabel(line.text ? QString::fromUtf8(line.text) : version, this);
        label->setObjectName(LabelName(line.id));
        label->setMinimumWidth(kTextWidth);
        text->addWidget(label);
    }
    Label(384)->setFont(ArialFont(8, logicalDpiY()));
    m_link = new CAboutLink(kMakerWebAddress, kMakerHomePage, this);
    m_link->setObjectName(QStringLiteral("link127"));
    QFont linkFont = ArialFont(9, logicalDpiY());
    linkFont.setUnderline(true);
    m_link->setFont(linkFont);
    text->addWidget(m_link);

    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/vosk.svg")).pixmap(kIconSize, kIconSize));
    icon->setAlignment(Qt::AlignTop);
    auto* body = new QHBoxLayout;
    body->addWidget(icon);
    body->addSpacing(12);
    body->addLayout(text, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

CAboutLabel* CAboutDlg::Label(int id) const {
    return findChild<CAboutLabel*>(LabelName(id));
}
