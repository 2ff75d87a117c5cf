#include "gui/dialogs/objects/DlgOutlineFill.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <utility>

#include "gui/dialogs/objects/OutlineFillControls.h"
#include "gui/dialogs/objects/TriStateBox.h"
#include "gui/kit/ColourPickerDlg.h"
#include "gui/kit/StoredText.h"
#include "model/object/DrawObj.h"
#include "platform/UserPrompt.h"

namespace {

void ShowIndex(QComboBox* combo, std::optional<int> index) {
    combo->setCurrentIndex(index.value_or(-1));
}

QLabel* Label(const char* text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

}  // namespace

CDlgOutlineFill::CDlgOutlineFill(const QString& title, const OutlineFillState& state,
                                 QWidget* parent)
    : CPropertyPage(title, "Style", parent), m_state(state) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildOutline());
    layout->addWidget(BuildFill());
    layout->addWidget(BuildArrows());
    m_closed = new QCheckBox("&Closed Curve", this);
    layout->addWidget(m_closed);
    layout->addStretch();
    Connect();
}

QGroupBox* CDlgOutlineFill::BuildOutline() {
    m_outlineGroup = new QGroupBox("Outline", this);
    m_outlineDefault = new QCheckBox("&Use Default", m_outlineGroup);
    m_noOutline = new QCheckBox("No &Outline", m_outlineGroup);
    m_style = new CLineStyleCombo(m_outlineGroup);
    m_weight = new CWeightSpin(m_outlineGroup);
    m_penColour = new CColourButton(kColourNoOutline, m_outlineGroup);
    m_insideFrame = new QCheckBox("&Inside Frame", m_outlineGroup);
    m_styleLabel = Label("&Style", m_style, m_outlineGroup);
    m_weightLabel = Label("&Weight (Points)", m_weight, m_outlineGroup);
    m_penLabel = Label("Colo&ur", m_penColour, m_outlineGroup);
    auto* grid = new QGridLayout(m_outlineGroup);
    grid->addWidget(m_outlineDefault, 0, 0);
    grid->addWidget(m_noOutline, 0, 1);
    grid->addWidget(m_styleLabel, 1, 0);
    grid->addWidget(m_style, 1, 1);
    grid->addWidget(m_weightLabel, 2, 0);
    grid->addWidget(m_weight, 2, 1);
    grid->addWidget(m_penLabel, 3, 0);
    grid->addWidget(m_penColour, 3, 1);
    grid->addWidget(m_insideFrame, 4, 0, 1, 2);
    return m_outlineGroup;
}

QGroupBox* CDlgOutlineFill::BuildFill() {
    m_fillGroup = new QGroupBox("Fill", this);
    m_fillDefault = new QCheckBox("Use De&fault", m_fillGroup);
    m_noFill = new QCheckBox("&No Fill", m_fillGroup);
    m_hatch = new CHatchCombo(m_fillGroup);
    m_brushColour = new CColourButton(kColourNoFill, m_fillGroup);
    m_hatchLabel = Label("&Hatch", m_hatch, m_fillGroup);
    m_brushLabel = Label("Colou&r", m_brushColour, m_fillGroup);
    auto* grid = new QGridLayout(m_fillGroup);
    grid->addWidget(m_fillDefault, 0, 0);
    grid->addWidget(m_noFill, 0, 1);
    grid->addWidget(m_hatchLabel, 1, 0);
    grid->addWidget(m_hatch, 1, 1);
    grid->addWidget(m_brushLabel, 2, 0);
    grid->addWidget(m_brushColour, 2, 1);
    return m_fillGroup;
}

QGroupBox* CDlgOutlineFill::BuildArrows() {
    m_arrowGroup = new QGroupBox("Arrows", this);
    m_startArrow = new CArrowCombo(true, m_arrowGroup);
    m_endArrow = new CArrowCombo(false, m_arrowGroup);
    auto* grid = new QGridLayout(m_arrowGroup);
    grid->addWidget(Label("S&tart", m_startArrow, m_arrowGroup), 0, 0);
    grid->addWidget(m_startArrow, 0, 1);
    grid->addWidget(Label("&End", m_endArrow, m_arrowGroup), 1, 0);
    grid->addWidget(m_endArrow, 1, 1);
    return m_arrowGroup;
}

void CDlgOutlineFill::Connect() {
    // Each reaction changes the state, which the controls then show; the controls' own signals
    // while they are being shown are not the user's.
    const auto react = [this](auto change) {
        return [this, change](auto... args) {
            if (m_showing)
                return;
            change(args...);
            ShowState();
        };
    };
    connect(m_outlineDefault, &QCheckBox::clicked, this,
            react([this](bool) { m_state.SetOutlineDefault(ReadTriState(m_outlineDefault)); }));
    connect(m_noOutline, &QCheckBox::clicked, this,
            react([this](bool) { m_state.SetNoOutline(ReadTriState(m_noOutline)); }));
    connect(m_insideFrame, &QCheckBox::clicked, this,
            react([this](bool) { m_state.SetInsideFrame(ReadTriState(m_insideFrame)); }));
    connect(m_closed, &QCheckBox::clicked, this,
            react([this](bool) { m_state.SetClosed(ReadTriState(m_closed)); }));
    connect(m_fillDefault, &QCheckBox::clicked, this,
            react([this](bool) { m_state.SetFillDefault(ReadTriState(m_fillDefault)); }));
    connect(m_noFill, &QCheckBox::clicked, this,
            react([this](bool) { m_state.SetNoFill(ReadTriState(m_noFill)); }));
    connect(m_style, &QComboBox::activated, this,
            react([this](int index) { m_state.ChooseStyle(index); }));
    connect(m_hatch, &QComboBox::activated, this,
            react([this](int index) { m_state.ChooseHatch(index); }));
    connect(m_startArrow, &QComboBox::activated, this,
            react([this](int index) { m_state.ChooseStartArrow(index); }));
    connect(m_endArrow, &QComboBox::activated, this,
            react([this](int index) { m_state.ChooseEndArrow(index); }));
    connect(m_weight, &CWeightSpin::stepped, this,
            react([this](int steps) { m_state.Spin(steps); }));
    connect(m_weight->edit(), &QLineEdit::textEdited, this, [this](const QString& text) {
        // Text that is no weight yet keeps the last one; leaving the page refuses it.
        std::optional<double> points = m_state.weight;
        CString unused;
        OutlineFillState::ParseWeight(text.toUtf8().constData(), points, unused);
        m_state.TypeWeight(points);
        ShowState(false);
    });
    connect(
        m_penColour, &CColourButton::colourChosen, this,
        react([this](ColourCode code, COLORREF colour) {
            if (code == ColourCode::kNone)
                m_state.ChoosePenNone();
            else
                m_state.ChoosePenColour(code == ColourCode::kAutomatic ? kDefaultColour : colour);
        }));
    connect(
        m_brushColour, &CColourButton::colourChosen, this,
        react([this](ColourCode code, COLORREF colour) {
            if (code == ColourCode::kNone)
                m_state.ChooseBrushNone();
            else
                m_state.ChooseBrushColour(code == ColourCode::kAutomatic ? kDefaultColour : colour);
        }));
}

void CDlgOutlineFill::OnLoad() {
    ShowState();
}

void CDlgOutlineFill::ShowState(bool withWeight) {
    m_showing = true;
    ShowTriState(m_outlineDefault, m_state.outlineDefault);
    ShowTriState(m_noOutline, m_state.noOutline);
    ShowTriState(m_insideFrame, m_state.insideFrame);
    ShowTriState(m_closed, m_state.closed);
    ShowTriState(m_fillDefault, m_state.fillDefault);
    ShowTriState(m_noFill, m_state.noFill);
    ShowIndex(m_style, m_state.style);
    ShowIndex(m_hatch, m_state.hatch);
    ShowIndex(m_startArrow, m_state.startArrow);
    ShowIndex(m_endArrow, m_state.endArrow);
    if (withWeight)
        m_weight->edit()->setText(FromStoredText(m_state.WeightText().str()));
    m_penColour->SetColour(m_state.penColour);
    m_brushColour->SetColour(m_state.brushColour);
    ShowLayout();
    ShowEnabling();
    m_showing = false;
}

void CDlgOutlineFill::ShowLayout() {
    m_insideFrame->setVisible(m_state.ShowsInsideFrame());
    m_closed->setVisible(m_state.ShowsClosed());
    m_fillGroup->setVisible(m_state.ShowsFill());
    m_arrowGroup->setVisible(m_state.ShowsArrows());
    m_outlineGroup->setTitle(m_state.ShowsFill() ? "Outline" : "Line");
}

void CDlgOutlineFill::ShowEnabling() {
    m_outlineDefault->setEnabled(m_state.OutlineDefaultEnabled());
    const bool outline = m_state.OutlineControlsEnabled();
    for (QWidget* control :
         std::initializer_list<QWidget*>{m_style, m_styleLabel, m_weight, m_weightLabel,
                                         m_penColour, m_penLabel, m_insideFrame})
        control->setEnabled(outline);
    m_fillDefault->setEnabled(m_state.FillDefaultEnabled());
    const bool fill = m_state.FillControlsEnabled();
    for (QWidget* control :
         std::initializer_list<QWidget*>{m_hatch, m_hatchLabel, m_brushColour, m_brushLabel})
        control->setEnabled(fill);
    m_noOutline->setEnabled(m_state.NoOutlineEnabled());
}

// The weight is only checked here: the state took it while it was typed, and an untouched
// weight is not written back.
bool CDlgOutlineFill::OnKillActive() {
    std::optional<double> points;
    CString message;
    const QByteArray text = m_weight->edit()->text().toUtf8();
    if (!OutlineFillState::ParseWeight(text.constData(), points, message)) {
        AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
        m_weight->setFocus();
        m_weight->selectAll();
        return false;
    }
    return true;
}

// The state is told which fields the user changed; it knows what each of them implies.
void CDlgOutlineFill::OnApply() {
    using State = OutlineFillState;
    const std::pair<const QWidget*, unsigned> fields[] = {
        {m_penColour, State::kPenColourField},
        {m_outlineDefault, State::kOutlineDefaultField},
        {m_noOutline, State::kNoOutlineField},
        {m_insideFrame, State::kInsideFrameField},
        {m_style, State::kStyleField},
        {m_weight, State::kWeightField},
        {m_brushColour, State::kBrushColourField},
        {m_fillDefault, State::kFillDefaultField},
        {m_noFill, State::kNoFillField},
        {m_hatch, State::kHatchField},
        {m_closed, State::kClosedField},
        {m_startArrow, State::kStartArrowField},
        {m_endArrow, State::kEndArrowField},
    };
    unsigned changed = 0;
    for (const auto& [field, bit] : fields) {
        if (IsChanged(field))
            changed |= bit;
    }
    m_state.SetChanged(changed);
    m_applied = true;
}
