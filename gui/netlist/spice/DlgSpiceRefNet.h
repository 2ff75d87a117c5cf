#pragma once
// "Spice Reference Net Required": the user picks the net that becomes Spice node 0 from the
// document's nets. OK is enabled once a net is picked.

#include <QDialog>

#include "platform/CString.h"

class CDocNetlist;
class QComboBox;
class QPushButton;

class CDlgSpiceRefNet : public QDialog {
    Q_OBJECT
public:
    explicit CDlgSpiceRefNet(CDocNetlist* walker, QWidget* parent = nullptr);

    // The picked net.
    CString Net() const;

    QComboBox* netBox() const { return m_nets; }
    QPushButton* okButton() const { return m_ok; }

private:
    QComboBox* m_nets;
    QPushButton* m_ok;
};
