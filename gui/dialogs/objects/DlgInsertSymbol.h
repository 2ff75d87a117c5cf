#pragma once
// The "IEEE Symbol" page of the Insert Symbol sheet: one of the 31 built-in special symbols,
// listed by name, with a preview. The list position is remembered in "Settings"/"SymbolIndex".

#include "gui/kit/PropertySheet.h"

class CDrawObj;
class CObjectPreview;
class QListWidget;

class CDlgInsertSymbol : public CPropertyPage {
    Q_OBJECT
public:
    explicit CDlgInsertSymbol(QWidget* parent = nullptr);

    // 1-31, or -1 when none.
    int ChosenKind() const { return m_kind; }
    // A new special symbol of the chosen kind; null when none is chosen.
    CDrawObj* MakeChoice() const;

    QListWidget* List() const { return m_list; }

signals:
    void insertEnabled(bool enabled);
    void chosen();
    void pageShown();

protected:
    void OnLoad() override;
    void showEvent(QShowEvent* event) override;

private:
    void OnSelection();
    bool HasKind() const { return m_kind >= 1 && m_kind <= 31; }

    CObjectPreview* m_preview;
    QListWidget* m_list;
    int m_kind = -1;
};
