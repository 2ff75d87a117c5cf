#pragma once
// The windows of the "Wire Properties" and "Bus Properties" sheets: the attributes page of the
// wires' nets, the bus "General" page, and the runner the core asks to show them.

#include "gui/kit/EditListCtrl.h"
#include "gui/kit/PropertySheet.h"
#include "model/net/WireSheet.h"
#include "model/object/AttrMerge.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

// "Other Attributes" (remembered as "Attr"): one row per attribute of the nets (name, value);
// rows can be added and deleted. Reading back marks deleted rows and new ones.
class CDlgWireAttr : public CPropertyPage {
    Q_OBJECT
public:
    CDlgWireAttr(const std::vector<AttrRow>& rows, QWidget* parent, AttrCheck check = {});
    CEditListCtrl* table() const { return m_table; }
    // Adds an empty row and starts editing its name.
    void AddRow();
    // Deletes the selected rows, as the Delete key does.
    void DeleteRows();
    // The rows as edited: loaded rows with their new values, deleted ones marked removed, new
    // named rows marked added.
    std::vector<AttrRow> Rows() const;

protected:
    // A named row the check refuses keeps the page, with that row selected.
    bool OnKillActive() override;

private:
    // Appends a row that shows the loaded attribute at that index, or kAddedRow.
    void AppendListRow(DWORD locks, int loaded);

    std::vector<AttrRow> m_loaded;
    AttrCheck m_check;
    CEditListCtrl* m_table;
};

// The bus "General" page (remembered as "General").
class CDlgBus : public CPropertyPage {
    Q_OBJECT
public:
    CDlgBus(const BusGeneral& general, bool metric, QWidget* parent);
    // The fields the user changed; the others are left: no name, width -1, options mixed.
    BusGeneral Values() const;

    QLineEdit* name() const { return m_name; }
    QLineEdit* width() const { return m_width; }
    QComboBox* unit() const { return m_unit; }
    QCheckBox* reverse() const { return m_reverse; }
    QCheckBox* startArrow() const { return m_start; }
    QCheckBox* endArrow() const { return m_end; }

protected:
    bool OnKillActive() override;

private:
    void ShowWidth(int unit);
    int ReadWidth() const;

    CString m_storedName;  // the name as loaded, given back while it is shown unchanged
    QLineEdit* m_name;
    QLineEdit* m_width;
    QComboBox* m_unit;
    QCheckBox* m_reverse;
    QCheckBox* m_start;
    QCheckBox* m_end;
    int m_shownUnit = 1;
    LONG m_loadedWidth;
};

class CWireSheetRunner : public IWireSheetRunner {
public:
    explicit CWireSheetRunner(QWidget* parent = nullptr) : m_parent(parent) {}
    bool RunWireSheet(WireSheet& sheet, const std::vector<CWire*>& wires,
                      StyleApplier& style) override;
    bool RunBusSheet(BusSheet& sheet, const std::vector<CBus*>& buses,
                     StyleApplier& style) override;

private:
    QWidget* m_parent;
};
