#pragma once
// The About box's link to the maker's web site. It turns blue while the mouse is over it,
// watches every 100 ms whether the mouse has left, and opens the web page when clicked.

#include <QTimer>
#include <QWidget>

class CAboutLink : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHoverCheckMilliseconds = 100;

    CAboutLink(const QString& text, const QString& url, QWidget* parent = nullptr);

    bool IsHot() const { return m_hot; }
    // The colour the text is drawn in now.
    QColor TextColour() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void CheckHover();

    QString m_text;
    QString m_url;
    bool m_hot = false;
    QTimer m_hoverTimer;
};
