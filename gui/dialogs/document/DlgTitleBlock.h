#pragma once
// The "Title Block Contents" page: up to four columns of up to six headed fields, each column
// with a width in percent or sharing the rest, and a preview of the block as it will be
// inserted. The page holds the layout, which starts as the default one.

#include "gui/kit/PropertySheet.h"
#include "model/doc/TitleBlockLayout.h"

class CDC;
class CMappedPreview;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;

class CDlgTitleBlock : public CPropertyPage {
    Q_OBJECT
public:
    explicit CDlgTitleBlock(QWidget* parent = nullptr);

    const CTitleBlockLayout& Layout() const { return m_layout; }
    QSpinBox* columnCount() const { return m_count; }
    QComboBox* columnList() const { return m_columns; }
    QComboBox* headingBox() const { return m_heading; }
    QPushButton* addButton() const { return m_add; }
    QPushButton* removeButton() const { return m_remove; }
    QListWidget* fieldList() const { return m_fields; }
    QLineEdit* widthEdit() const { return m_width; }

private:
    CTitleRow& Column();
    void OnCountChanged(int count);
    void OnColumnChosen();
    void OnAdd();
    void OnRemove();
    void OnWidthEdited();
    void UpdateButtons();
    void DrawPreview(CDC& dc) const;

    CTitleBlockLayout m_layout;
    QSpinBox* m_count = nullptr;
    QComboBox* m_columns = nullptr;
    QComboBox* m_heading = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_remove = nullptr;
    QListWidget* m_fields = nullptr;
    QLineEdit* m_width = nullptr;
    CMappedPreview* m_preview = nullptr;
};
