#include "gui/dialogs/options/OptionsPages.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/dialogs/objects/OutlineFillControls.h"
#include "gui/kit/StoredText.h"
#include "library/LibraryBarServices.h"
#include "model/app/SchematicApp.h"
#include "platform/UserPrompt.h"

namespace {

constexpr int kSlotRole = Qt::UserRole;
constexpr int kMaxFolderLength = 260;

CString Bytes(const QString& text) {
    return CString(text.toUtf8().constData());
}

QString Shown(const CString& text) {
    return FromStoredText(text.str());
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// General

CDlgAppOptions::CDlgAppOptions(AppGeneralOptions& form, QWidget* parent)
    : CPropertyPage("General", nullptr, parent),
      m_form(form),
      m_reopen(new QCheckBox("Re-open files from last session", this)),
      m_placeOnPaste(new QCheckBox("Enter Place Mode on Paste", this)),
      m_zoomToFit(new QCheckBox("Zoom to fit on File Open", this)),
      m_recentFiles(new QLineEdit(this)),
      m_zoomsOut(new QRadioButton("Zoom (forward roll zooms out)", this)),
      m_zoomsIn(new QRadioButton("Zoom (forward roll zooms in)", this)) {
    auto* recent = new QFormLayout;
    recent->addRow("Number of recent files displayed on the File menu:", m_recentFiles);
    auto* wheel = new QGroupBox("Mouse Wheel", this);
    auto* wheelLayout = new QVBoxLayout(wheel);
    wheelLayout->addWidget(m_zoomsOut);
    wheelLayout->addWidget(m_zoomsIn);
    auto* layout = new QVBoxLayout(this);
    for (QWidget* box : std::initializer_list<QWidget*>{m_reopen, m_placeOnPaste, m_zoomToFit})
        layout->addWidget(box);
    layout->addLayout(recent);
    layout->addWidget(wheel);
    layout->addStretch();
}

void CDlgAppOptions::OnLoad() {
    m_reopen->setChecked(m_form.reopenFiles);
    m_placeOnPaste->setChecked(m_form.placeOnPaste);
    m_zoomToFit->setChecked(m_form.zoomToFitOnOpen);
    m_recentFiles->setText(QString::number(m_form.recentFiles));
    (m_form.wheelZoomsIn == 1 ? m_zoomsIn : m_zoomsOut)->setChecked(true);
}

bool CDlgAppOptions::OnKillActive() {
    CString message;
    const QByteArray text = m_recentFiles->text().toUtf8();
    if (!m_form.ParseRecentFiles(text.constData(), message)) {
        AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
        m_recentFiles->setFocus();
        m_recentFiles->selectAll();
        return false;
    }
    return true;
}

void CDlgAppOptions::OnApply() {
    m_form.reopenFiles = m_reopen->isChecked();
    m_form.placeOnPaste = m_placeOnPaste->isChecked();
    m_form.zoomToFitOnOpen = m_zoomToFit->isChecked();
    m_form.wheelZoomsIn = m_zoomsIn->isChecked() ? 1 : 0;
}

// ---------------------------------------------------------------------------------------------
// Colours and other options

CDlgAppGeneral::CDlgAppGeneral(CSchematicApp& app, QWidget* parent)
    : CPropertyPage("Colours and Other Options", nullptr, parent),
      m_app(app),
      m_form(AppColourOptions::Load(app)),
      m_mm(new QRadioButton("mm", this)),
      m_inches(new QRadioButton("inches", this)),
      m_drawBorder(new QCheckBox("Draw Border", this)),
      m_restoreSize(new QCheckBox("Restore Size After Edit", this)) {
    static constexpr const char* kLabels[AppColourOptions::kColourCount] = {
        "Select Colour", "Select Colour (Dominant Object)", "Highlight Colour",
        "DRC Error Highlight Colour"};
    auto* colours = new QFormLayout;
    for (int i = 0; i < AppColourOptions::kColourCount; ++i) {
        m_colours[i] = new CColourButton(0, this);
        m_colours[i]->SetColour(m_form.colours[i]);
        connect(m_colours[i], &CColourButton::colourChosen, this,
                [this, i](ColourCode code, COLORREF colour) {
                    if (code == ColourCode::kNone)
                        return;
                    m_form.colours[i] =
                        code == ColourCode::kAutomatic
                            ? AppColourOptions::DefaultColour(AppColourOptions::Colour(i))
                            : colour;
                    m_colours[i]->SetColour(m_form.colours[i]);
                });
        colours->addRow(kLabels[i], m_colours[i]);
    }
    (m_form.metric ? m_mm : m_inches)->setChecked(true);
    m_drawBorder->setChecked(m_form.drawBorder);
    m_restoreSize->setChecked(m_form.restoreSize);
    auto* units = new QGroupBox("Units", this);
    auto* unitLayout = new QHBoxLayout(units);
    unitLayout->addWidget(m_mm);
    unitLayout->addWidget(m_inches);
    auto* objects = new QGroupBox("Embedded Objects", this);
    auto* objectLayout = new QVBoxLayout(objects);
    objectLayout->addWidget(m_drawBorder);
    objectLayout->addWidget(m_restoreSize);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(colours);
    layout->addWidget(units);
    layout->addWidget(objects);
    layout->addStretch();
}

void CDlgAppGeneral::OnApply() {
    m_form.metric = m_mm->isChecked();
    m_form.drawBorder = m_drawBorder->isChecked();
    m_form.restoreSize = m_restoreSize->isChecked();
    m_form.Apply(m_app);
}

// ---------------------------------------------------------------------------------------------
// Directories

CDlgAppDir::CDlgAppDir(CSchematicApp& app, QWidget* parent)
    : CPropertyPage("Directories", nullptr, parent), m_app(app) {
    static constexpr const char* kLabels[AppDirectories::kCount] = {
        "Standard Library Directory",
        "User Library Directory",
        "Spice Directory",
        "User defined macro - $(UserDir1)",
        "User defined macro - $(UserDir2)",
        "User defined macro - $(UserDir3)"};
    const AppDirectories directories = AppDirectories::Load(app);
    auto* layout = new QGridLayout(this);
    for (int i = 0; i < AppDirectories::kCount; ++i) {
        m_edits[i] = new QLineEdit(Shown(directories.folders[i]), this);
        m_edits[i]->setMaxLength(kMaxFolderLength);
        auto* browse = new QPushButton("...", this);
        browse->setFixedWidth(32);
        connect(browse, &QPushButton::clicked, this, [this, i] {
            const QString folder =
                QFileDialog::getExistingDirectory(this, "Select Folder", m_edits[i]->text());
            if (!folder.isEmpty())
                m_edits[i]->setText(folder);
        });
        layout->addWidget(new QLabel(kLabels[i], this), i * 2, 0, 1, 2);
        layout->addWidget(m_edits[i], i * 2 + 1, 0);
        layout->addWidget(browse, i * 2 + 1, 1);
    }
    layout->setRowStretch(AppDirectories::kCount * 2, 1);
}

void CDlgAppDir::OnApply() {
    AppDirectories directories;
    for (int i = 0; i < AppDirectories::kCount; ++i)
        directories.folders[i] = Bytes(m_edits[i]->text());
    directories.Apply(m_app);
    GetLibraryBarServices().RefreshLibraryFolders();
}

// ---------------------------------------------------------------------------------------------
// Function keys

CDlgKeys::CDlgKeys(FunctionKeyTable& keys, const std::vector<MenuCommand>& commands,
                   QWidget* parent)
    : CPropertyPage("Function Keys", nullptr, parent),
      m_table(keys),
      m_keys(new QListWidget(this)),
      m_commands(new QListWidget(this)) {
    for (const BindableKey& key : ListedFunctionKeys()) {
        auto* item = new QListWidgetItem(Shown(key.name), m_keys);
        item->setData(kSlotRole, key.slot);
    }
    (new QListWidgetItem("-- none --", m_commands))->setData(kSlotRole, 0u);
    for (const MenuCommand& command : commands)
        (new QListWidgetItem(Shown(command.label), m_commands))->setData(kSlotRole, command.id);
    connect(m_keys, &QListWidget::itemSelectionChanged, this, &CDlgKeys::ShowBinding);
    connect(m_commands, &QListWidget::itemSelectionChanged, this, &CDlgKeys::Bind);
    auto* keyLabel = new QLabel("&Function Key", this);
    keyLabel->setBuddy(m_keys);
    auto* commandLabel = new QLabel("&Menu Command", this);
    commandLabel->setBuddy(m_commands);
    auto* layout = new QGridLayout(this);
    layout->addWidget(keyLabel, 0, 0);
    layout->addWidget(commandLabel, 0, 1);
    layout->addWidget(m_keys, 1, 0);
    layout->addWidget(m_commands, 1, 1);
    layout->setColumnStretch(1, 2);
}

void CDlgKeys::ShowBinding() {
    m_commands->clearSelection();
    const QListWidgetItem* key = m_keys->currentItem();
    if (!key || !key->isSelected())
        return;
    const UINT bound = m_table.commands[key->data(kSlotRole).toInt()];
    for (int row = 0; row < m_commands->count(); ++row) {
        if (m_commands->item(row)->data(kSlotRole).toUInt() == bound) {
            m_commands->setCurrentRow(row);
            return;
        }
    }
}

// Whichever way a command row becomes selected (mouse or keys), the selected key takes it.
void CDlgKeys::Bind() {
    const QListWidgetItem* key = m_keys->currentItem();
    const QList<QListWidgetItem*> chosen = m_commands->selectedItems();
    if (key && key->isSelected() && chosen.size() == 1)
        m_table.commands[key->data(kSlotRole).toInt()] = chosen.first()->data(kSlotRole).toUInt();
}
