#pragma once
// The About box: product name, version, the maker's notices and a link to the maker's web
// site.

#include <QDialog>

class CAboutLabel;
class CAboutLink;

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    // The text line with the given number (394, 353, 384, 382, 385, 383 or 381), else null.
    CAboutLabel* Label(int id) const;
    CAboutLink* Link() const { return m_link; }

private:
    CAboutLink* m_link;
};
