#pragma once
// A preview of one drawing object, fitted into the window at equal scale on both axes.

#include <QFrame>
#include <memory>

#include "platform/ObList.h"

class CDrawObj;

class CObjectPreview : public QFrame {
    Q_OBJECT
public:
    explicit CObjectPreview(QWidget* parent = nullptr);
    ~CObjectPreview() override;

    // Takes the object; null clears the preview.
    void SetObject(CDrawObj* object);
    const CDrawObj* Object() const;

    QSize sizeHint() const override { return {140, 140}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CObList m_objects;
};
