#pragma once
// The "Select Net" dialog: a net name typed (at most 40 characters) or picked from the
// document's nets, sorted. OK is enabled only while there is a name.

#include <QDialog>

#include "platform/CString.h"

class CDrawDoc;
class QComboBox;
class QPushButton;

class CDlgSelectNet : public QDialog {
    Q_OBJECT
public:
    explicit CDlgSelectNet(CDrawDoc& doc, QWidget* parent = nullptr);

    // The name accepted, as typed or picked.
    CString NetName() const;
    QComboBox* netBox() const { return m_nets; }
    QPushButton* okButton() const { return m_ok; }

private:
    QComboBox* m_nets;
    QPushButton* m_ok;
};
