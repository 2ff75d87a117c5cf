#pragma once
// The "Connect Wire Implicitly To.." dialog: a sorted list of the hidden pins a wire's net may
// be tied to (see ImplicitPinChoices), those already tied chosen, several at a time. OK gives
// the chosen entries joined with ",".

#include <QDialog>
#include <string>

class CDrawDoc;
class CNet;
class QListWidget;

class CDlgConnectWire : public QDialog {
    Q_OBJECT
public:
    CDlgConnectWire(CDrawDoc& doc, const CNet* net, QWidget* parent = nullptr);

    QListWidget* list() const { return m_list; }
    // The chosen entries, in list order, joined with ",".
    std::string Chosen() const;

private:
    QListWidget* m_list;
};
