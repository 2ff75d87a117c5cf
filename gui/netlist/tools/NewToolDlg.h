#pragma once
// The New Tool dialog: asks for the name of a tool added on the custom tools page.

#include <QDialog>

class QLineEdit;

class CNewToolDlg : public QDialog {
    Q_OBJECT
public:
    explicit CNewToolDlg(QWidget* parent = nullptr);

    QString Name() const;
    QLineEdit* nameEdit() const { return m_name; }

private:
    QLineEdit* m_name;
};
