#pragma once
// "Modify Attribute": one attribute's name and value. The name may be locked; a menu of
// attribute names fills the name. The dialog is resizable and remembers its size in
// "Settings"/"AttrDlg" (height << 16 | width).

#include <QDialog>
#include <utility>
#include <vector>

#include "platform/CString.h"

class QLineEdit;
class QPlainTextEdit;
class QToolButton;

// The name menu: pairs of menu text and attribute name; the text "<sep>" is a separator.
using AttrNameTable = std::vector<std::pair<CString, CString>>;

class CDlgModifyAttr : public QDialog {
    Q_OBJECT
public:
    CDlgModifyAttr(const CString& name, const CString& value, bool nameLocked,
                   const AttrNameTable& names, QWidget* parent);

    CString Name() const;
    CString Value() const;

    QLineEdit* name() const { return m_name; }
    QPlainTextEdit* value() const { return m_value; }
    QToolButton* nameMenu() const { return m_nameMenu; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QLineEdit* m_name;
    QPlainTextEdit* m_value;
    QToolButton* m_nameMenu;
    bool m_sized = false;
};
