#pragma once
// The "Attribute Link" page of an attribute text: the owner picked in the design tree of the
// text's document, the attribute name, and the display style.

#include "gui/kit/PropertySheet.h"

class CAttrText;
class CDesignTreeCtrl;
class QButtonGroup;
class QComboBox;
class QLabel;

class CDlgAttrText : public CPropertyPage {
    Q_OBJECT
public:
    explicit CDlgAttrText(CAttrText& text, QWidget* parent = nullptr);

    CDesignTreeCtrl* Tree() const { return m_tree; }
    // Whether OK changed the text.
    bool IsModified() const { return m_modified; }

protected:
    void OnLoad() override;
    bool OnKillActive() override;
    void OnApply() override;

private:
    void OnSelectionChanged();

    CAttrText& m_text;
    CDesignTreeCtrl* m_tree;
    QComboBox* m_name;
    QButtonGroup* m_style;
    QLabel* m_objectLabel;
    bool m_modified = false;
};
