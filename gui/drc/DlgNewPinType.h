#pragma once
// "Create New Pin Type": the name of a new pin type.

#include <QDialog>

class QLineEdit;

class CDlgNewPinType : public QDialog {
    Q_OBJECT
public:
    explicit CDlgNewPinType(QWidget* parent = nullptr);

    QString Name() const;
    QLineEdit* NameEdit() const { return m_name; }

private:
    QLineEdit* m_name;
};
