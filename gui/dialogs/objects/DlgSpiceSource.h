#pragma once
// The parameters of a simulation source: its kind (DC, PULSE, SIN, EXP, PWL, SFFM) and one row
// of values, a column per parameter of the kind. The dialog widens for a long row as far as
// the screen allows; the rest of the row scrolls. Choosing another kind stores the row first,
// with the checks of the source's sets; a value that does not pass keeps the kind and puts the
// cursor on it. A row left empty is not stored. OK stores the row on show and gives the new
// state, which the caller applies as one edit.

#include <QDialog>

#include "model/symbol/SpiceSymbol.h"

class QComboBox;
class QTableWidget;

class CDlgSpiceSource : public QDialog {
    Q_OBJECT
public:
    explicit CDlgSpiceSource(CSpiceSymbol& source, QWidget* parent = nullptr);

    // The kind and sets after OK.
    const CSpiceSymbol::SourceState& State() const { return m_state; }

    QComboBox* kindBox() const { return m_kind; }
    QTableWidget* table() const { return m_table; }

    void accept() override;

private:
    void OnKindChosen(int kind);
    // Stores the row as the set of kind; the column at fault, or -1.
    int StoreRow(int kind);
    void ShowRow(int kind);
    // The width of a parameter's column: its header's text whole.
    int ColumnWidth(const char* label) const;
    int RowWidth(int kind) const;
    // Widens or narrows the dialog to show the row of kind whole, within the screen.
    void FitToRow(int kind);

    CSpiceSymbol m_work;  // the sets while they are edited
    CSpiceSymbol::SourceState m_state;
    int m_shownKind = 0;
    QComboBox* m_kind;
    QTableWidget* m_table;
};
