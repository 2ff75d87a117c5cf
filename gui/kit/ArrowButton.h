#pragma once
// CArrowButton: the small button with a right-pointing arrow beside an edit box of some
// property pages; it opens a menu of words to insert into the edit.

#include <QToolButton>

class CArrowButton : public QToolButton {
    Q_OBJECT
public:
    explicit CArrowButton(QWidget* parent = nullptr);
};
