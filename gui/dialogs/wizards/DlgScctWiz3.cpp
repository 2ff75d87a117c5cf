#include "gui/dialogs/wizards/DlgScctWiz3.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>

#include "gui/dialogs/objects/ObjectPreview.h"
#include "gui/dialogs/objects/OutlineFillControls.h"
#include "gui/dialogs/wizards/SubcctWizard.h"
#include "gui/kit/ColourPickerDlg.h"
#include "gui/kit/StoredText.h"
#include "model/app/SchematicApp.h"
#include "model/object/DrawObj.h"
#include "model/symbol/SubcctLayout.h"
#include "model/symbol/Symbol.h"

namespace {

constexpr const char* kSection = "Settings";
constexpr const char* kOutlineEntry = "SubcktOutL";
constexpr const char* kFillEntry = "SubcktFill";
constexpr const char* kStyleEntry = "SubcktStyle";

// The colour grid's answer as the look takes it: none for "None".
std::optional<COLORREF> ChoiceOf(ColourCode code, COLORREF colour) {
    switch (code) {
        case ColourCode::kAutomatic:
            return kDefaultColour;
        case ColourCode::kNone:
            return std::nullopt;
        case ColourCode::kColour:
            break;
    }
    return colour;
}

}  // namespace

CDlgScctWiz3::CDlgScctWiz3(CSubcctWizard& wizard)
    : m_wizard(wizard),
      m_pins(new QListWidget(this)),
      m_side(new QComboBox(this)),
      m_style(new QComboBox(this)),
      m_outline(new CColourButton(kColourNoOutline, this)),
      m_fill(new CColourButton(kColourNoFill, this)),
      m_preview(new CObjectPreview(this)) {
    setTitle("Sub-circuit Wizard - Step 3");
    m_pins->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_side->addItems({"Left", "Right", "Up", "Down"});
    m_style->addItems({"Simple", "Ports Shown"});
    auto* pinsLabel = new QLabel("&Pins", this);
    pinsLabel->setBuddy(m_pins);
    auto* sideLabel = new QLabel("&Direction of pin", this);
    sideLabel->setBuddy(m_side);
    auto* styleLabel = new QLabel("&Style", this);
    styleLabel->setBuddy(m_style);
    auto* outlineLabel = new QLabel("Outline", this);
    auto* fillLabel = new QLabel("Fill", this);
    auto* layout = new QGridLayout(this);
    layout->addWidget(pinsLabel, 0, 0);
    layout->addWidget(m_pins, 1, 0, 1, 2);
    layout->addWidget(sideLabel, 2, 0);
    layout->addWidget(m_side, 2, 1);
    layout->addWidget(styleLabel, 3, 0);
    layout->addWidget(m_style, 3, 1);
    layout->addWidget(outlineLabel, 4, 0);
    layout->addWidget(m_outline, 4, 1);
    layout->addWidget(fillLabel, 5, 0);
    layout->addWidget(m_fill, 5, 1);
    layout->addWidget(m_preview, 0, 2, 6, 1);
    layout->setColumnStretch(2, 1);
    connect(m_pins, &QListWidget::itemSelectionChanged, this, &CDlgScctWiz3::OnSelection);
    connect(m_side, &QComboBox::activated, this, &CDlgScctWiz3::ChooseSide);
    connect(m_style, &QComboBox::activated, this, &CDlgScctWiz3::ChooseStyle);
    connect(m_outline, &CColourButton::colourChosen, this,
            [this](ColourCode code, COLORREF colour) {
                ChooseColour(SubcctBodyPart::kOutline, code, colour);
            });
    connect(m_fill, &CColourButton::colourChosen, this, [this](ColourCode code, COLORREF colour) {
        ChooseColour(SubcctBodyPart::kFill, code, colour);
    });
}

void CDlgScctWiz3::initializePage() {
    if (const CSchematicApp* app = GetApp()) {
        m_look.outline = app->GetProfileInt(kSection, kOutlineEntry, 0xFF0000);
        m_look.fill = app->GetProfileInt(kSection, kFillEntry, 0xB0FFFF);
        m_look.style = int(app->GetProfileInt(kSection, kStyleEntry, kSubcctPortsShown));
    }
    m_style->setCurrentIndex(m_look.style);
    PaintButtons();
    Refill();
    Rebuild();
}

// The pins in their order, each shown on its side from now on.
void CDlgScctWiz3::Refill() {
    m_pins->clear();
    for (const SubcctSignal& signal : m_wizard.Signals().PlacedInOrder()) {
        m_wizard.Signals().Find(signal.name)->word = signal.word;
        auto* item = new QListWidgetItem(FromStoredText(signal.name.c_str()), m_pins);
        item->setData(Qt::UserRole, QByteArray(signal.name.c_str()));
    }
}

void CDlgScctWiz3::Rebuild() {
    m_preview->SetObject(m_wizard.MakeSymbol());
}

void CDlgScctWiz3::OnSelection() {
    int shared = -2;
    for (const QListWidgetItem* item : m_pins->selectedItems()) {
        const CString name(item->data(Qt::UserRole).toByteArray().toStdString());
        const int side = SignalSide(m_wizard.Signals().Find(name)->word);
        shared = shared == -2 || shared == side ? side : -1;
    }
    m_side->setCurrentIndex(shared < 0 ? -1 : shared);
}

void CDlgScctWiz3::ChooseSide(int side) {
    for (const QListWidgetItem* item : m_pins->selectedItems()) {
        const CString name(item->data(Qt::UserRole).toByteArray().toStdString());
        SubcctSignal* signal = m_wizard.Signals().Find(name);
        signal->word = WithSide(signal->word, side);
    }
    Rebuild();
}

void CDlgScctWiz3::ChooseStyle(int style) {
    m_look.style = style;
    if (CSchematicApp* app = GetApp())
        app->WriteProfileInt(kSection, kStyleEntry, style);
    Rebuild();
}

// "None" is no colour: it is not remembered.
void CDlgScctWiz3::ChooseColour(SubcctBodyPart part, ColourCode code, COLORREF colour) {
    const std::optional<COLORREF> stored = m_look.Choose(part, ChoiceOf(code, colour));
    CSchematicApp* app = GetApp();
    if (stored && app)
        app->WriteProfileInt(kSection, part == SubcctBodyPart::kFill ? kFillEntry : kOutlineEntry,
                             int(*stored));
    PaintButtons();
    Rebuild();
}

// A part drawn without outline or fill shows no colour.
void CDlgScctWiz3::PaintButtons() {
    m_outline->SetColour(m_look.outlined ? std::optional(m_look.outline) : std::nullopt);
    m_fill->SetColour(m_look.filled ? std::optional(m_look.fill) : std::nullopt);
}
