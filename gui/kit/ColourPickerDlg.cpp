#include "gui/kit/ColourPickerDlg.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/kit/QtGdiStyles.h"
#include "model/app/SchematicApp.h"

namespace {

constexpr int kColumns = 8;
constexpr int kCellSize = 18;

constexpr ColourCellInfo kCells[] = {
    {127, 0x000000, "Black"},
    {128, 0x003399, "Brown"},
    {129, 0x003333, "Olive green"},
    {130, 0x003300, "Dark green"},
    {131, 0x663300, "Dark teal"},
    {132, 0x800000, "Dark blue"},
    {133, 0x993333, "Indigo"},
    {134, 0x333333, "Grey - 80%"},
    {135, 0x000080, "Dark red"},
    {136, 0x0066FF, "Orange"},
    {137, 0x008080, "Dark yellow"},
    {138, 0x008000, "Green"},
    {139, 0x808000, "Teal"},
    {140, 0xFF0000, "Blue"},
    {141, 0x996666, "Blue-grey"},
    {142, 0x808080, "Grey - 50%"},
    {143, 0x0000FF, "Red"},
    {144, 0x0099FF, "Light orange"},
    {145, 0x00CC99, "Lime"},
    {146, 0x669933, "Sea green"},
    {147, 0xCCCC33, "Aqua"},
    {148, 0xFF6633, "Light blue"},
    {149, 0x800080, "Violet"},
    {150, 0x969696, "Grey - 40%"},
    {166, 0xFF00FF, "Pink"},
    {167, 0x00CCFF, "Gold"},
    {168, 0x00FFFF, "Yellow"},
    {169, 0x00FF00, "Bright green"},
    {155, 0xFFFF00, "Turquoise"},
    {156, 0xFFCC00, "Sky blue"},
    {157, 0x663399, "Plum"},
    {158, 0xC0C0C0, "Light grey"},
    {159, 0xCC99FF, "Rose"},
    {160, 0x99CCFF, "Tan"},
    {161, 0xB0FFFF, "Light yellow"},
    {162, 0xCCFFCC, "Pale green "},
    {164, 0xFFFFCC, "Light turquoise"},
    {165, 0xFFCC99, "Pale blue"},
    {153, 0xFF99CC, "Lavender"},
    {154, 0xFFFFFF, "White"},
};

}  // namespace

std::optional<COLORREF> AskColour(COLORREF initial) {
    CSchematicApp* app = GetApp();
    if (app) {
        for (int i = 0; i < kCustomColours; ++i)
            QColorDialog::setCustomColor(i, ToQColor(app->GetCustomColours()[i]));
    }
    const QColor chosen = QColorDialog::getColor(ToQColor(initial));
    if (app) {
        for (int i = 0; i < kCustomColours; ++i)
            app->GetCustomColours()[i] = ToColorRef(QColorDialog::customColor(i));
    }
    if (!chosen.isValid())
        return std::nullopt;
    return ToColorRef(chosen);
}

std::span<const ColourCellInfo> ColourGridCells() {
    return kCells;
}

CColourCell::CColourCell(COLORREF colour, QWidget* parent)
    : CHotTrackedButton(parent), m_colour(colour) {
    SetFlags(kHotTrackEdge);
    setFixedSize(kCellSize, kCellSize);
}

void CColourCell::DrawFace(QPainter& painter, const QRect& face) {
    const QRect swatch = face.adjusted(1, 1, -1, -1);
    painter.setPen(QColor(128, 128, 128));
    painter.setBrush(isEnabled() ? ToQColor(m_colour)
                                 : palette().color(QPalette::Disabled, QPalette::Text));
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));
}

CColourPickerDlg::CColourPickerDlg(QWidget* parent) : QWidget(parent), m_colourDialog(AskColour) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    m_automatic = AddButton("&Automatic");
    m_automatic->setObjectName("automatic");
    auto* grid = new QGridLayout;
    grid->setSpacing(1);
    for (const ColourCellInfo& info : kCells) {
        auto* cell = new CColourCell(info.colour, this);
        cell->setObjectName(QString("cell%1").arg(info.id));
        cell->setToolTip(QString::fromUtf8(info.name));
        const int index = int(m_cells.size());
        grid->addWidget(cell, index / kColumns, index % kColumns);
        connect(cell, &QToolButton::clicked, this,
                [this, cell] { Choose(ColourCode::kColour, cell->Colour()); });
        m_cells.push_back(cell);
    }
    layout->addLayout(grid);
    m_none = AddButton("N&one");
    m_none->setObjectName("none");
    m_more = AddButton("&More Colours...");
    m_more->setObjectName("moreColours");
    connect(m_automatic, &QToolButton::clicked, this,
            [this] { Choose(ColourCode::kAutomatic, 0); });
    connect(m_none, &QToolButton::clicked, this, [this] { Choose(ColourCode::kNone, 0); });
    connect(m_more, &QToolButton::clicked, this, &CColourPickerDlg::ChooseMoreColours);
}

CHotTrackedButton* CColourPickerDlg::AddButton(const char* name) {
    auto* button = new CHotTrackedButton(this);
    button->setText(name);
    button->setFixedHeight(kCellSize + 4);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    layout()->addWidget(button);
    return button;
}

void CColourPickerDlg::Init(QWidget* target, UINT command, COLORREF colour, int mode) {
    m_target = PopupTargetRef(target);
    m_command = command;
    ColourState state{colour, true, (mode & kColourAutomaticChosen) != 0};
    if ((mode & kColourAskTarget) && m_target)
        state = m_target.get()->CurrentColour(command);
    m_colour = state.colour;
    const int none = mode & kColourNoneMask;
    m_none->setText(none == kColourNoFill      ? "N&o Fill"
                    : none == kColourNoOutline ? "N&o Outline"
                                               : "N&one");
    m_none->setEnabled(none == kColourNoFill || none == kColourNoOutline);
    ShowCurrent(state);
    setFocus();
}

void CColourPickerDlg::ShowCurrent(const ColourState& state) {
    bool matched = false;
    for (CColourCell* cell : m_cells) {
        const bool current =
            !matched && state.uniform && !state.automatic && cell->Colour() == state.colour;
        cell->setChecked(current);
        matched = matched || current;
    }
    m_automatic->setChecked(state.automatic);
    m_more->setChecked(!state.automatic && !matched);
}

void CColourPickerDlg::Choose(ColourCode code, COLORREF colour) {
    const UINT command = m_command;
    m_target.Post(
        [command, code, colour](PopupTarget& view) { view.ApplyColour(command, code, colour); });
    emit colourChosen(command, code, colour);
    emit finished();
}

void CColourPickerDlg::ChooseMoreColours() {
    // The popup closes first; the dialog takes its place.
    emit finished();
    if (const std::optional<COLORREF> colour = m_colourDialog(m_colour))
        Choose(ColourCode::kColour, *colour);
}

void CColourPickerDlg::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_A:
            m_automatic->click();
            break;
        case Qt::Key_O:
            if (m_none->isEnabled())
                m_none->click();
            break;
        case Qt::Key_M:
            m_more->click();
            break;
        default:
            event->ignore();
    }
}
