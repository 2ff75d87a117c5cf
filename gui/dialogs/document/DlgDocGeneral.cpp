#include "gui/dialogs/document/DlgDocGeneral.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/dialogs/objects/DlgTextFont.h"
#include "gui/dialogs/objects/OutlineFillControls.h"
#include "gui/kit/StoredText.h"
#include "platform/UserPrompt.h"

namespace {

using Form = DocDefaultsForm;

QString Shown(const CString& text) {
    return FromStoredText(text.str());
}

}  // namespace

CDlgDocGeneral::CDlgDocGeneral(DocSettings& settings, QWidget* parent)
    : CPropertyPage("General", "General", parent),
      m_settings(settings),
      m_form(DocDefaultsForm::Load(settings)) {
    for (int i = 0; i < Form::kColourCount; ++i) {
        m_colours[i] = new CColourButton(0, this);
        connect(m_colours[i], &CColourButton::colourChosen, this,
                [this, i](ColourCode code, COLORREF colour) {
                    if (code == ColourCode::kNone)
                        return;
                    m_form.colours[i] = code == ColourCode::kAutomatic
                                            ? Form::DefaultColour(Form::Colour(i))
                                            : colour;
                    m_colours[i]->SetColour(m_form.colours[i]);
                });
    }
    for (QLineEdit*& edit : m_lineSizes)
        edit = new QLineEdit(this);
    m_firstPartNumber = new QLineEdit(this);
    m_pinFont = new QPushButton("Pin Font..", this);
    m_textFont = new QPushButton("Textbox Font..", this);
    connect(m_pinFont, &QPushButton::clicked, this,
            [this] { ChooseFont("Pin Font", m_form.pinFont); });
    connect(m_textFont, &QPushButton::clicked, this,
            [this] { ChooseFont("Default Text Font", m_form.textFont); });

    auto* pin = new QGroupBox("Default Pin", this);
    auto* pinForm = new QFormLayout(pin);
    pinForm->addRow("Colour", m_colours[Form::kPinColour]);
    pinForm->addRow("Pin Names", m_colours[Form::kPinNameColour]);
    pinForm->addRow("Pin Numbers", m_colours[Form::kPinNumberColour]);
    pinForm->addRow("Line Size (Points)", m_lineSizes[Form::kPinLine]);
    pinForm->addRow(m_pinFont);
    auto* wire = new QGroupBox("Default Wire", this);
    auto* wireForm = new QFormLayout(wire);
    wireForm->addRow("Colour", m_colours[Form::kWireColour]);
    wireForm->addRow("Line Size (Points)", m_lineSizes[Form::kWireLine]);
    auto* object = new QGroupBox("Default Object", this);
    auto* objectForm = new QFormLayout(object);
    objectForm->addRow("Outline Colour", m_colours[Form::kOutlineColour]);
    objectForm->addRow("Fill Colour", m_colours[Form::kFillColour]);
    objectForm->addRow("Line Size (Points)", m_lineSizes[Form::kObjectLine]);
    objectForm->addRow(m_textFont);
    auto* base = new QFormLayout;
    base->addRow("Base Number for Auto ID Generation", m_firstPartNumber);
    auto* layout = new QVBoxLayout(this);
    for (QWidget* group : {pin, wire, object})
        layout->addWidget(group);
    layout->addLayout(base);
    layout->addStretch();
}

void CDlgDocGeneral::OnLoad() {
    for (int i = 0; i < Form::kColourCount; ++i)
        m_colours[i]->SetColour(m_form.colours[i]);
    for (int i = 0; i < Form::kLineSizeCount; ++i)
        m_lineSizes[i]->setText(Shown(m_form.LineSizeText(Form::LineSize(i))));
    m_firstPartNumber->setText(QString::number(m_form.firstPartNumber));
}

void CDlgDocGeneral::ChooseFont(const QString& title, LOGFONT& font) {
    TextFontState state;
    state.Load(font);
    auto* page = new CDlgTextFont(state, nullptr);
    CPropertySheet sheet(title, this);
    sheet.AddPage(page);
    if (sheet.exec() == QDialog::Accepted && page->IsApplied())
        font = page->State().AppliedTo(font);
}

bool CDlgDocGeneral::Refuse(QLineEdit* edit, const CString& message) {
    AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
    edit->setFocus();
    edit->selectAll();
    return false;
}

bool CDlgDocGeneral::OnKillActive() {
    CString message;
    // A size shown rounded to a tenth of a point is read only once the user changed it.
    for (int i = 0; i < Form::kLineSizeCount; ++i) {
        if (!IsChanged(m_lineSizes[i]))
            continue;
        const QByteArray text = m_lineSizes[i]->text().toUtf8();
        if (!m_form.ParseLineSize(Form::LineSize(i), text.constData(), message))
            return Refuse(m_lineSizes[i], message);
    }
    const QByteArray base = m_firstPartNumber->text().toUtf8();
    if (!m_form.ParseFirstPartNumber(base.constData(), message))
        return Refuse(m_firstPartNumber, message);
    return true;
}

void CDlgDocGeneral::OnApply() {
    m_form.ApplyTo(m_settings);
}
