#pragma once
// "Other Attributes" (remembered as "Attr"): the merged attributes of the loaded objects in an
// editable list of names and values, with "&Add...", "&Edit..." and "&Delete", "Show all
// Properties" for the attributes that only some objects carry, and whether a value applies
// alone or to all objects. The last row is always an empty row for a new attribute. The list's
// keys copy, paste and delete rows; a reserved attribute's row stays.

#include "gui/dialogs/objects/DlgModifyAttr.h"
#include "gui/kit/EditListCtrl.h"
#include "gui/kit/PropertySheet.h"
#include "model/object/AttrMerge.h"

class QCheckBox;
class QRadioButton;
class QTableWidgetItem;

class CDlgOtherAttr : public CPropertyPage {
    Q_OBJECT
public:
    // mode 0 gives each row a visibility check box; mode 1 lists names and values only.
    CDlgOtherAttr(const QString& title, const CAttrMerge& merge, int mode, QWidget* parent);

    void SetCheck(AttrCheck check) { m_check = std::move(check); }
    void SetNameTable(AttrNameTable names) { m_names = std::move(names); }

    // The records as read back when the page was last left.
    const CAttrMerge& Merge() const { return m_merge; }
    // 0 "Apply value only", 1 "Apply to all".
    int ApplyMode() const;

    CEditListCtrl* table() const { return m_table; }
    QCheckBox* showAll() const { return m_showAll; }
    // Opens "Modify Attribute" over the current row (exec'd; tests close it).
    void EditRow();
    void AddRow();
    void DeleteRows();

protected:
    void OnLoad() override;
    bool OnKillActive() override;

private:
    void Fill();
    // Appends a row with the list's row flags.
    void AppendRow(const AttrListRow& row, DWORD listFlags);
    void AppendEmptyRow();
    std::vector<AttrListRow> Rows() const;
    void OnItemChanged(int row, int column);
    void FollowCheckCycle(QTableWidgetItem* name);
    void ToggleShowAll();
    // Validates the rows and reads them back into the records, which were listed with
    // "Show all Properties" as listedAll says; false after telling the user.
    bool TakeRows(bool listedAll);

    CAttrMerge m_merge;
    int m_mode;
    AttrCheck m_check;
    AttrNameTable m_names;
    bool m_filling = false;
    CEditListCtrl* m_table;
    QCheckBox* m_showAll;
    QRadioButton* m_valueOnly;
    QRadioButton* m_toAll;
};
