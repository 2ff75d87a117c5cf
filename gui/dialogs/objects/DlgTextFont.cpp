#include "gui/dialogs/objects/DlgTextFont.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>
#include <cstring>

#include "gui/dialogs/objects/TriStateBox.h"
#include "gui/kit/FontFaces.h"
#include "gui/kit/QtDC.h"
#include "gui/kit/StoredText.h"
#include "platform/UserPrompt.h"

namespace {

constexpr double kPointsPerInch = 72.0;

// The fields a face gives a font: its name, the rest as a family's defaults.
LOGFONT FamilyFont(const QString& face) {
    LOGFONT font{};
    const QByteArray name = face.toUtf8();
    std::strncpy(font.lfFaceName, name.constData(), LF_FACESIZE - 1);
    return font;
}

}  // namespace

CDlgTextFont::CDlgTextFont(const TextFontState& state, QWidget* parent)
    : CPropertyPage("Font", nullptr, parent),
      m_state(state),
      m_faces(new QListWidget(this)),
      m_size(new QComboBox(this)),
      m_bold(new QCheckBox("&Bold", this)),
      m_italic(new QCheckBox("&Italic", this)),
      m_underline(new QCheckBox("&Underline", this)),
      m_sample(new QLabel("AaBbYyZz", this)) {
    m_faces->setSortingEnabled(true);
    m_faces->addItems(TextToolbarFaces());
    m_size->setEditable(true);
    m_size->setInsertPolicy(QComboBox::NoInsert);
    for (int size : kFontSizes)
        m_size->addItem(QString::number(size));
    auto* sampleBox = new QGroupBox("Sample", this);
    auto* sampleLayout = new QVBoxLayout(sampleBox);
    m_sample->setAlignment(Qt::AlignCenter);
    m_sample->setMinimumHeight(60);
    sampleLayout->addWidget(m_sample);

    auto* faceLabel = new QLabel("&Font", this);
    faceLabel->setBuddy(m_faces);
    auto* sizeLabel = new QLabel("&Size", this);
    sizeLabel->setBuddy(m_size);
    auto* faceColumn = new QVBoxLayout;
    faceColumn->addWidget(faceLabel);
    faceColumn->addWidget(m_faces);
    auto* sizeColumn = new QVBoxLayout;
    for (QWidget* widget :
         std::initializer_list<QWidget*>{sizeLabel, m_size, m_bold, m_italic, m_underline})
        sizeColumn->addWidget(widget);
    sizeColumn->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(faceColumn, 1);
    columns->addLayout(sizeColumn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addWidget(sampleBox);

    connect(m_faces, &QListWidget::currentTextChanged, this, &CDlgTextFont::ChooseFace);
    connect(m_size, &QComboBox::currentTextChanged, this, &CDlgTextFont::ReadSize);
    connect(m_bold, &QCheckBox::clicked, this, [this] {
        if (m_bold->checkState() != Qt::PartiallyChecked)
            m_state.SetBold(m_bold->isChecked());
        else
            m_state.weight.reset();
        ShowSample();
    });
    connect(m_italic, &QCheckBox::clicked, this, [this] {
        m_state.italic = ReadTriState(m_italic);
        ShowSample();
    });
    connect(m_underline, &QCheckBox::clicked, this, [this] {
        m_state.underline = ReadTriState(m_underline);
        ShowSample();
    });
}

void CDlgTextFont::OnLoad() {
    if (m_state.face && !m_state.face->IsEmpty())
        m_faces->setCurrentItem(FaceItem(FromStoredText(m_state.face->str())));
    const QString size = FromStoredText(m_state.SizeText().str());
    m_size->setCurrentIndex(m_size->findText(size));
    m_size->setEditText(size);
    ShowTriState(m_bold, m_state.Bold());
    ShowTriState(m_italic, m_state.italic);
    ShowTriState(m_underline, m_state.underline);
    ShowSample();
}

QListWidgetItem* CDlgTextFont::FaceItem(const QString& face) {
    const QList<QListWidgetItem*> found = m_faces->findItems(face, Qt::MatchFixedString);
    if (!found.isEmpty())
        return found.first();
    // A face this system lacks is listed too, so that the text's face shows and stays chosen.
    return new QListWidgetItem(face, m_faces);
}

void CDlgTextFont::ChooseFace() {
    if (QListWidgetItem* item = m_faces->currentItem())
        m_state.ChooseFace(FamilyFont(item->text()));
    ShowSample();
}

void CDlgTextFont::ReadSize() {
    CString unused;
    TextFontState sized = m_state;
    if (sized.ParseSize(m_size->currentText().toUtf8().constData(), unused))
        m_state.height = sized.height;
    ShowSample();
}

void CDlgTextFont::ShowSample() {
    const LOGFONT font = m_state.AppliedTo(m_state.font);
    const double points = FontHeightToPoints(font.lfHeight);
    m_sample->setFont(QtFontFromLogFont(font, points * logicalDpiY() / kPointsPerInch));
}

bool CDlgTextFont::OnKillActive() {
    CString message;
    const QByteArray size = m_size->currentText().toUtf8();
    if (!m_state.ParseSize(size.constData(), message)) {
        AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
        m_size->setFocus();
        m_size->lineEdit()->selectAll();
        return false;
    }
    return true;
}

void CDlgTextFont::OnApply() {
    m_changes = m_state;
    if (!IsChanged(m_faces))
        m_changes.faceFont.reset();
    if (!IsChanged(m_size))
        m_changes.height.reset();
    if (!IsChanged(m_bold))
        m_changes.weight.reset();
    if (!IsChanged(m_italic))
        m_changes.italic = TriState::kMixed;
    if (!IsChanged(m_underline))
        m_changes.underline = TriState::kMixed;
    m_applied = true;
}
