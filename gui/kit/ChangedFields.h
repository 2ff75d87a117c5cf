#pragma once
// Which fields of a window the user changed, for windows that write back only those: an OK
// that nobody edited changes nothing, and a field left alone keeps what it stands for even
// when the window could not show it exactly (a value in another unit, a face this system
// lacks, a value the objects do not share).
//
// A field counts as changed when the user typed into it, chose from it or clicked it, or when
// the value it shows differs from the one the window showed it with. Fields are text edits,
// combo boxes, buttons that check, spin boxes, text areas and lists (by their current and
// selected rows); a list taken on has its current row fixed, so that the focus alone never
// makes a row current. A button that does not check but holds a value of its own (its class's
// USER property, such as a colour it offers a choice of) is a field by that value alone: a
// click that chose nothing changes nothing. A field never taken on counts as changed.

#include <QHash>
#include <QObject>
#include <QSet>
#include <QVariant>
#include <functional>

class QWidget;

class CChangedFields {
public:
    // Takes on every field of the window's tree, with the value it shows now.
    void TakeOnAll(QWidget* window);
    // Takes on one field, with the value it shows now, unchanged from now on.
    void TakeOn(QWidget* field);

    bool IsChanged(const QWidget* field) const;
    bool AnyChanged() const;

    // The window shows another value in the field itself (in another unit, from a list filled
    // anew): a field the user had not changed stays unchanged, a changed one stays changed.
    void Reshow(QWidget* field, const std::function<void()>& show);

    // The value a field shows, as compared; invalid for a widget that is no field.
    static QVariant ValueOf(const QWidget* field);

private:
    // Watches the user's edits of the field.
    void Watch(QWidget* field);

    // The value each field was shown with; an invalid one for a field the user edited.
    QHash<const QWidget*, QVariant> m_shown;
    QSet<const QWidget*> m_watched;
    QObject m_watching;  // the edits' connections end with the fields
};
