#pragma once
// A line of text in the About box: drawn in the label's font on the dialog's background, cut
// with an ellipsis when it does not fit, and with '&' shown as it is.

#include <QWidget>

class CAboutLabel : public QWidget {
    Q_OBJECT
public:
    explicit CAboutLabel(const QString& text, QWidget* parent = nullptr);

    const QString& text() const { return m_text; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
};
