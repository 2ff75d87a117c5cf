#include "gui/kit/ChangedFields.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListView>
#include <QMetaProperty>
#include <QPlainTextEdit>
#include <algorithm>

namespace {

// The rows of a list's selection, in order, after its current row.
QVariantList ListValue(const QListView& list) {
    QVariantList value{list.currentIndex().row()};
    if (const QItemSelectionModel* selection = list.selectionModel()) {
        QList<int> rows;
        for (const QModelIndex& index : selection->selectedIndexes())
            rows.append(index.row());
        std::sort(rows.begin(), rows.end());
        for (int row : rows)
            value.append(row);
    }
    return value;
}

// The value a button that does not check holds, by its class's own USER property (a button's
// is "checked"); invalid for a button with none.
QVariant OwnValueOf(const QAbstractButton& button) {
    const QMetaProperty user = button.metaObject()->userProperty();
    if (!user.isValid() || user.enclosingMetaObject() == &QAbstractButton::staticMetaObject)
        return {};
    return user.read(&button);
}

// The edit inside a combo or spin box is part of that field.
bool IsPartOfAnotherField(const QWidget* widget) {
    const QWidget* parent = widget->parentWidget();
    return qobject_cast<const QComboBox*>(parent) || qobject_cast<const QAbstractSpinBox*>(parent);
}

}  // namespace

QVariant CChangedFields::ValueOf(const QWidget* field) {
    if (auto* box = qobject_cast<const QCheckBox*>(field))
        return int(box->checkState());
    if (auto* button = qobject_cast<const QAbstractButton*>(field))
        return button->isCheckable() ? QVariant(button->isChecked()) : OwnValueOf(*button);
    if (auto* combo = qobject_cast<const QComboBox*>(field))
        return QVariantList{combo->currentIndex(), combo->currentText()};
    if (auto* spin = qobject_cast<const QAbstractSpinBox*>(field))
        return spin->text();
    if (auto* edit = qobject_cast<const QLineEdit*>(field))
        return IsPartOfAnotherField(edit) ? QVariant() : QVariant(edit->text());
    if (auto* area = qobject_cast<const QPlainTextEdit*>(field))
        return area->toPlainText();
    if (auto* list = qobject_cast<const QListView*>(field))
        return ListValue(*list);
    return {};
}

void CChangedFields::TakeOnAll(QWidget* window) {
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (ValueOf(widget).isValid())
            TakeOn(widget);
    }
}

void CChangedFields::TakeOn(QWidget* field) {
    // A list without a current row would make its first row current when it takes the focus.
    if (auto* list = qobject_cast<QListView*>(field); list && !list->currentIndex().isValid())
        list->setCurrentIndex(QModelIndex());
    m_shown.insert(field, ValueOf(field));
    Watch(field);
}

void CChangedFields::Watch(QWidget* field) {
    if (m_watched.contains(field))
        return;
    m_watched.insert(field);
    const auto edited = [this, field] { m_shown.insert(field, QVariant()); };
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        QObject::connect(edit, &QLineEdit::textEdited, &m_watching, edited);
    else if (auto* button = qobject_cast<QAbstractButton*>(field)) {
        if (button->isCheckable())
            QObject::connect(button, &QAbstractButton::clicked, &m_watching, edited);
    } else if (auto* combo = qobject_cast<QComboBox*>(field)) {
        QObject::connect(combo, &QComboBox::activated, &m_watching, edited);
        if (QLineEdit* typed = combo->lineEdit())
            QObject::connect(typed, &QLineEdit::textEdited, &m_watching, edited);
    }
    QObject::connect(field, &QObject::destroyed, &m_watching, [this, field] {
        m_shown.remove(field);
        m_watched.remove(field);
    });
}

bool CChangedFields::IsChanged(const QWidget* field) const {
    const auto shown = m_shown.constFind(field);
    return shown == m_shown.constEnd() || !shown->isValid() || *shown != ValueOf(field);
}

bool CChangedFields::AnyChanged() const {
    for (auto it = m_shown.constBegin(); it != m_shown.constEnd(); ++it) {
        if (IsChanged(it.key()))
            return true;
    }
    return false;
}

// A changed field keeps no shown value: it stays changed whatever it shows from now on.
void CChangedFields::Reshow(QWidget* field, const std::function<void()>& show) {
    const bool changed = IsChanged(field);
    show();
    if (changed)
        m_shown.insert(field, QVariant());
    else
        TakeOn(field);
}
