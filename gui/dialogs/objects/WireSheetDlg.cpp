#include "gui/dialogs/objects/WireSheetDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>
#include <utility>

#include "gui/dialogs/objects/DlgOutlineFill.h"
#include "gui/kit/EditListCtrl.h"
#include "gui/kit/StoredText.h"
#include "model/app/SchematicApp.h"
#include "model/net/Bus.h"
#include "model/net/Wire.h"
#include "model/object/DrawObj.h"
#include "platform/UserPrompt.h"

namespace {

// Each row of the attribute list knows the loaded attribute it shows, or that it was added.
constexpr int kLoadedRole = kListOwnerRole;
constexpr int kAddedRow = -1;

// Sheet units per unit shown: "cm" (0) and "inches" (1).
constexpr double kUnitsPer[] = {393.701, 1000.0};

QString Text(const CString& text) {
    return FromStoredText(text.str());
}

constexpr int kMixedState = 2;

void ShowTriState(QCheckBox* box, int state) {
    box->setTristate(state == kMixedState);
    box->setCheckState(state == kMixedState ? Qt::PartiallyChecked
                       : state              ? Qt::Checked
                                            : Qt::Unchecked);
}

int ReadTriState(const QCheckBox* box) {
    switch (box->checkState()) {
        case Qt::Checked:
            return 1;
        case Qt::PartiallyChecked:
            return kMixedState;
        default:
            return 0;
    }
}

// The "Line Style" page over the objects, with the kind flags that their types give.
template <class T>
CDlgOutlineFill* LineStylePage(const std::vector<T*>& objects) {
    CObList list;
    for (T* object : objects)
        list.AddTail(object);
    CObList targets;
    const DWORD kinds = CollectOutlineFillTargets(list, targets);
    OutlineFillState state;
    state.Load(targets, kinds);
    return new CDlgOutlineFill("Line Style", state, nullptr);
}

// What the page writes into each object, when OK applied it.
StyleApplier StyleOf(const CDlgOutlineFill& page) {
    if (!page.IsApplied())
        return {};
    return [state = page.State()](CDrawObj* object) { state.ApplyTo(*object); };
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Attributes page

CDlgWireAttr::CDlgWireAttr(const std::vector<AttrRow>& rows, QWidget* parent, AttrCheck check)
    : CPropertyPage("Other Attributes", "Attr", parent),
      m_loaded(rows),
      m_check(std::move(check)),
      m_table(new CEditListCtrl(0, this)) {
    m_table->setColumnCount(2);
    m_table->setHorizontalHeaderLabels({"Name", "Value"});
    m_table->horizontalHeader()->setStretchLastSection(true);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const DWORD locks =
            kRowFirstLocked | ((rows[i].flags & kAttrRowKeep) ? kRowOthersLocked : 0);
        AppendListRow(locks, static_cast<int>(i));
        m_table->SetRowCells(static_cast<int>(i), {rows[i].name, rows[i].value});
    }
    auto* add = new QPushButton("&Add", this);
    auto* remove = new QPushButton("&Delete", this);
    connect(add, &QPushButton::clicked, this, &CDlgWireAttr::AddRow);
    connect(remove, &QPushButton::clicked, this, &CDlgWireAttr::DeleteRows);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addLayout(buttons);
}

void CDlgWireAttr::AppendListRow(DWORD locks, int loaded) {
    const int row = m_table->rowCount();
    m_table->AppendRow(kRowKindLockable | kRowDeletable | locks, 2);
    m_table->item(row, 0)->setData(kLoadedRole, loaded);
}

void CDlgWireAttr::AddRow() {
    const int row = m_table->rowCount();
    AppendListRow(0, kAddedRow);
    m_table->EditCell(row, 0);
}

void CDlgWireAttr::DeleteRows() {
    m_table->DeleteRows();
}

bool CDlgWireAttr::OnKillActive() {
    for (int row = 0; m_check && row < m_table->rowCount(); ++row) {
        CString name = m_table->CellBytes(row, 0);
        name.Trim();
        if (name.IsEmpty() || !m_check(name, m_table->CellBytes(row, 1)))
            continue;
        m_table->clearSelection();
        m_table->setCurrentCell(row, 0);
        return false;
    }
    return true;
}

// A loaded row deleted from the list comes back marked removed.
std::vector<AttrRow> CDlgWireAttr::Rows() const {
    std::vector<int> listRow(m_loaded.size(), -1);
    std::vector<AttrRow> added;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const int loaded = m_table->item(row, 0)->data(kLoadedRole).toInt();
        if (loaded != kAddedRow) {
            listRow[static_cast<std::size_t>(loaded)] = row;
            continue;
        }
        CString name = m_table->CellBytes(row, 0);
        name.Trim();
        if (!name.IsEmpty())
            added.push_back({name, m_table->CellBytes(row, 1), kAttrRowAdd, 0});
    }
    std::vector<AttrRow> rows;
    for (std::size_t i = 0; i < m_loaded.size(); ++i) {
        AttrRow row = m_loaded[i];
        if (listRow[i] < 0) {
            row.flags |= kAttrRowRemove;
        } else {
            const CString value = m_table->CellBytes(listRow[i], 1);
            if (value != row.value)
                row.flags &= ~kAttrRowMixed;
            row.value = value;
        }
        rows.push_back(row);
    }
    rows.insert(rows.end(), added.begin(), added.end());
    return rows;
}

// ---------------------------------------------------------------------------------------------
// Bus page

CDlgBus::CDlgBus(const BusGeneral& general, bool metric, QWidget* parent)
    : CPropertyPage("General", "General", parent),
      m_storedName(general.name),
      m_name(new QLineEdit(Text(general.name), this)),
      m_width(new QLineEdit(this)),
      m_unit(new QComboBox(this)),
      m_reverse(new QCheckBox("&Reverse breakout flow direction", this)),
      m_start(new QCheckBox("&Start", this)),
      m_end(new QCheckBox("&End", this)),
      m_loadedWidth(general.width) {
    m_unit->addItems({"cm", "inches"});
    m_shownUnit = metric ? 0 : 1;
    m_unit->setCurrentIndex(m_shownUnit);
    ShowWidth(m_shownUnit);
    connect(m_unit, &QComboBox::currentIndexChanged, this, [this](int unit) {
        Reshow(m_width, [this, unit] {
            m_loadedWidth = ReadWidth();
            ShowWidth(unit);
        });
    });
    ShowTriState(m_reverse, general.reverse);
    ShowTriState(m_start, general.startArrow);
    ShowTriState(m_end, general.endArrow);
    auto* width = new QHBoxLayout;
    width->addWidget(m_width);
    width->addWidget(m_unit);
    auto* arrows = new QHBoxLayout;
    arrows->addWidget(m_start);
    arrows->addWidget(m_end);
    auto* layout = new QFormLayout(this);
    layout->addRow("Bus &Name", m_name);
    // A row of a layout gets no buddy of its own: the label names the width box.
    auto* widthLabel = new QLabel("&Width", this);
    widthLabel->setBuddy(m_width);
    layout->addRow(widthLabel, width);
    layout->addRow("Arrows", arrows);
    layout->addRow(m_reverse);
}

void CDlgBus::ShowWidth(int unit) {
    m_shownUnit = unit;
    if (m_loadedWidth < 0) {
        m_width->clear();
        return;
    }
    CString text;
    text.Format("%.6g", m_loadedWidth / kUnitsPer[unit]);
    m_width->setText(Text(text));
}

// An empty or unreadable width is unknown: the buses keep theirs.
int CDlgBus::ReadWidth() const {
    double value = 0;
    const QByteArray text = m_width->text().trimmed().toUtf8();
    if (text.isEmpty() || !ParseDouble(text.constData(), value) || value < 0)
        return -1;
    return static_cast<int>(std::floor(value * kUnitsPer[m_shownUnit] + 0.5));
}

// A width that is typed but no width keeps the page.
bool CDlgBus::OnKillActive() {
    const QByteArray text = m_width->text().trimmed().toUtf8();
    if (text.isEmpty() || ReadWidth() >= 0)
        return true;
    AfxMessageBox("Please enter a width of 0 or more.", MB_OK | MB_ICONEXCLAMATION);
    m_width->setFocus();
    m_width->selectAll();
    return false;
}

BusGeneral CDlgBus::Values() const {
    const auto changed = [this](const QCheckBox* box) {
        return IsChanged(box) ? ReadTriState(box) : kMixedState;
    };
    BusGeneral values;
    if (IsChanged(m_name))
        values.name = ToStoredText(m_name->text().trimmed(), m_storedName);
    values.width = IsChanged(m_width) ? ReadWidth() : -1;
    values.reverse = changed(m_reverse);
    values.startArrow = changed(m_start);
    values.endArrow = changed(m_end);
    return values;
}

// ---------------------------------------------------------------------------------------------
// Sheets

bool CWireSheetRunner::RunWireSheet(WireSheet& sheet, const std::vector<CWire*>& wires,
                                    StyleApplier& style) {
    auto* lineStyle = LineStylePage(wires);
    auto* page = new CDlgWireAttr(sheet.rows, nullptr, sheet.check);
    CPropertySheet dialog(Text(sheet.title), m_parent);
    dialog.setObjectName("wireProperties");
    dialog.AddPage(lineStyle);
    dialog.AddPage(page);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    sheet.rows = page->Rows();
    style = StyleOf(*lineStyle);
    return true;
}

bool CWireSheetRunner::RunBusSheet(BusSheet& sheet, const std::vector<CBus*>& buses,
                                   StyleApplier& style) {
    const CSchematicApp* app = GetApp();
    auto* page = new CDlgBus(sheet.general, app && (app->Options & kOptionMetric), nullptr);
    auto* lineStyle = LineStylePage(buses);
    CPropertySheet dialog(Text(sheet.title), m_parent);
    dialog.setObjectName("busProperties");
    dialog.AddPage(page);
    dialog.AddPage(lineStyle);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    sheet.general = page->Values();
    style = StyleOf(*lineStyle);
    return true;
}
