#include "gui/dialogs/objects/DlgInsSymbol.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <algorithm>

#include "gui/dialogs/objects/ObjectPreview.h"
#include "gui/dialogs/objects/WndCharMap.h"
#include "gui/kit/FontFaces.h"
#include "gui/kit/StoredText.h"
#include "model/app/SchematicApp.h"
#include "model/text/InsertedSymbol.h"
#include "model/text/TextBox.h"
#include "platform/SymbolFace.h"

namespace {

constexpr const char* kSection = "Settings";
constexpr const char* kFontEntry = "SymbolFont";
constexpr const char* kCharEntry = "SymbolCharIndex";
constexpr const char* kDefaultFace = "Symbol";
constexpr const char* kNormalText = "(normal text)";
constexpr BYTE kSymbolCharSet = 2;

LOGFONT FamilyFont(const QString& family) {
    LOGFONT font = CTextBox::kDefaultFont;
    const QByteArray name = family.toUtf8().left(LF_FACESIZE - 1);
    std::fill(std::begin(font.lfFaceName), std::end(font.lfFaceName), '\0');
    std::copy(name.begin(), name.end(), font.lfFaceName);
    font.lfPitchAndFamily = 0;
    font.lfCharSet = IsSymbolFace(name.constData()) ? kSymbolCharSet : 0;
    return font;
}

}  // namespace

CDlgInsSymbol::CDlgInsSymbol(QWidget* parent)
    : CPropertyPage("Character Map", nullptr, parent),
      m_preview(new CObjectPreview(this)),
      m_map(new CWndCharMap(this)),
      m_fonts(new QComboBox(this)) {
    m_fonts->setEditable(true);
    m_fonts->setInsertPolicy(QComboBox::NoInsert);
    auto* fontLabel = new QLabel("&Font:", this);
    fontLabel->setBuddy(m_fonts);
    auto* grid = new QGridLayout(this);
    grid->addWidget(fontLabel, 0, 0);
    grid->addWidget(m_fonts, 0, 1);
    grid->addWidget(m_map, 1, 0, 1, 2);
    grid->addWidget(m_preview, 0, 2, 2, 1);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(1, 1);
    connect(m_fonts, &QComboBox::activated, this, &CDlgInsSymbol::OnFontChosen);
    connect(m_map, &CWndCharMap::clicked, this, &CDlgInsSymbol::UpdatePreview);
    connect(m_map, &CWndCharMap::activated, this, &CDlgInsSymbol::chosen);
}

CDrawObj* CDlgInsSymbol::MakeChoice() const {
    return m_chosen < 0 ? nullptr : MakeInsertedCharacter(m_chosenFont, m_chosen);
}

void CDlgInsSymbol::OnLoad() {
    FillFonts();
    const CSchematicApp* app = GetApp();
    const CString face =
        app ? app->GetProfileString(kSection, kFontEntry, kDefaultFace) : CString(kDefaultFace);
    const int index = m_fonts->findText(FromStoredText(face.c_str()), Qt::MatchFixedString);
    m_fonts->setCurrentIndex(index);
    if (index >= 0)
        m_map->SetFace(*CurrentFont());
    const int character = app ? int(app->GetProfileInt(kSection, kCharEntry, -1)) : -1;
    m_map->Select(character);
    if (character >= CCharMapGrid::kFirstChar && character <= CCharMapGrid::kLastChar)
        m_map->ScrollIntoView(character);
    UpdatePreview();
}

// "(normal text)" and the installed families, with the Symbol face always among them: its
// characters are shown through their Unicode equivalents.
void CDlgInsSymbol::FillFonts() {
    QStringList families = TextToolbarFaces();
    if (!families.contains(kDefaultFace, Qt::CaseInsensitive))
        families.append(kDefaultFace);
    families.append(kNormalText);
    std::sort(families.begin(), families.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    m_faces.clear();
    m_fonts->clear();
    for (const QString& family : families) {
        m_fonts->addItem(family, int(m_faces.size()));
        m_faces.push_back(family == kNormalText ? CTextBox::kDefaultFont : FamilyFont(family));
    }
}

const LOGFONT* CDlgInsSymbol::CurrentFont() const {
    const int index = m_fonts->currentIndex();
    if (index < 0)
        return nullptr;
    return &m_faces[size_t(m_fonts->itemData(index).toInt())];
}

void CDlgInsSymbol::OnFontChosen(int) {
    if (const LOGFONT* font = CurrentFont())
        m_map->SetFace(*font);
    UpdatePreview();
}

void CDlgInsSymbol::UpdatePreview() {
    m_chosen = -1;
    const int character = m_map->Selection();
    const LOGFONT* font = CurrentFont();
    CSchematicApp* app = GetApp();
    if (character >= CCharMapGrid::kFirstChar && character <= CCharMapGrid::kLastChar && font) {
        if (app)
            app->WriteProfileString(kSection, kFontEntry, font->lfFaceName);
        m_chosenFont = *font;
        m_chosen = character;
        m_preview->SetObject(MakeInsertedCharacter(*font, character));
    } else {
        m_preview->SetObject(nullptr);
    }
    if (app)
        app->WriteProfileInt(kSection, kCharEntry, m_chosen);
    emit insertEnabled(m_chosen != -1);
}

void CDlgInsSymbol::showEvent(QShowEvent* event) {
    CPropertyPage::showEvent(event);
    emit insertEnabled(CurrentFont() && m_chosen != -1);
    emit pageShown();
}
