#pragma once
// The main frame's status bar: the message pane ("Ready" when there is no prompt), then the panes
// of the cursor position (170), the selection's position (171) and size (172) and the units (173).
// The view writes their texts; a click on the units pane asks for the other units.

#include <QStatusBar>
#include <map>

#include "platform/Types.h"

class QLabel;

class CStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit CStatusBar(QWidget* parent);

    void SetPaneText(UINT id, const QString& text);
    QString PaneText(UINT id) const;
    // The pane of id (its tooltip, geometry), or null.
    QWidget* Pane(UINT id) const;

signals:
    void unitsPaneClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AddPane(UINT id, const char* text, const char* icon, const char* tooltip);

    struct PaneWidgets {
        QWidget* pane;
        QLabel* text;
    };
    std::map<UINT, PaneWidgets> m_panes;
};
