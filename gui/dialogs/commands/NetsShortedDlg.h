#pragma once
// The "Nets Shorted" dialog: a connection joins several named nets, and the user picks the one
// that survives or cancels the edit. CNetsShortedChooser shows it for the core's INetChooser.

#include <QDialog>
#include <vector>

#include "model/net/NetChooser.h"

class CNet;
class QListWidget;

class CNetsShortedDlg : public QDialog {
    Q_OBJECT
public:
    // Lists the nets by name, in order.
    CNetsShortedDlg(const std::vector<CNet*>& nets, QWidget* parent);

    // The net chosen with OK, else null.
    CNet* GetChosen() const { return m_chosen; }
    QListWidget* list() const { return m_list; }

    // OK without a selection tells the user to choose and keeps the dialog open.
    void accept() override;

private:
    std::vector<CNet*> m_nets;
    QListWidget* m_list;
    CNet* m_chosen = nullptr;
};

class CNetsShortedChooser : public INetChooser {
public:
    explicit CNetsShortedChooser(QWidget* parent = nullptr) : m_parent(parent) {}
    CNet* ChooseNet(const std::vector<CNet*>& nets) override;

private:
    QWidget* m_parent;
};
