#include "shell/commands/AcceleratorKeys.h"

#include <QHash>
#include <QKeyEvent>

#include "resources/CommandTable.h"

namespace {

// The menus' names of keys that Qt spells otherwise.
QString PortableKeyText(QString text) {
    const std::pair<const char*, const char*> names[] = {
        {"Page Up", "PgUp"}, {"Page Down", "PgDown"}, {"Plus", "+"}, {"Minus", "-"}};
    for (const auto& [shown, portable] : names) {
        if (text.endsWith(QLatin1String(shown)))
            return text.left(text.size() - qsizetype(strlen(shown))) + QLatin1String(portable);
    }
    return text;
}

bool IsFunctionKey(Qt::Key key) {
    return key >= Qt::Key_F1 && key <= Qt::Key_F35;
}

// Shift and the keypad only choose how a sign is typed: "+" is Shift+= on many keyboards.
Qt::KeyboardModifiers ViewKeyModifiers(const QKeyEvent& event) {
    Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    const QString text = event.text();
    if (text.size() == 1 && text[0].isPrint() && !text[0].isLetter())
        modifiers &= ~Qt::ShiftModifier;
    return modifiers;
}

}  // namespace

QKeySequence AcceleratorOf(const CommandInfo& info) {
    if (!*info.key)
        return {};
    return QKeySequence(PortableKeyText(QString::fromUtf8(info.key)), QKeySequence::PortableText);
}

QList<QKeySequence> WindowShortcutsOf(const CommandInfo& info) {
    const QKeySequence accelerator = AcceleratorOf(info);
    if (accelerator.isEmpty() || IsViewKey(accelerator))
        return {};
    QList<QKeySequence> shortcuts{accelerator};
    if (const QString key = QString::fromUtf8(info.key); key.endsWith("+Enter"))
        shortcuts.append(
            QKeySequence(QString(key).replace("+Enter", "+Return"), QKeySequence::PortableText));
    return shortcuts;
}

bool IsViewKey(const QKeySequence& key) {
    if (key.isEmpty())
        return false;
    const QKeyCombination combination = key[0];
    const Qt::Key code = combination.key();
    return !(combination.keyboardModifiers() &
             (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) &&
           !IsFunctionKey(code) && code != Qt::Key_Delete && code != Qt::Key_Escape;
}

UINT ViewKeyCommand(const QKeyEvent& event) {
    // The view's keys, read from the table once; the first entry of a key answers.
    static const QHash<QKeySequence, UINT> commands = [] {
        QHash<QKeySequence, UINT> keys;
        for (const CommandInfo& info : AllCommands()) {
            const QKeySequence key = AcceleratorOf(info);
            if (IsViewKey(key) && !keys.contains(key))
                keys.insert(key, info.id);
        }
        return keys;
    }();
    const QKeySequence pressed(QKeyCombination(ViewKeyModifiers(event), Qt::Key(event.key())));
    return commands.value(pressed, 0);
}
