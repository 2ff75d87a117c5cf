#include "gui/netlist/tools/MacroMenu.h"

#include <QLineEdit>
#include <QMenu>

namespace {

struct MacroItem {
    const char* text;
    const char* macro;
};

constexpr MacroItem kMacros[] = {
    {"File Name", "$(FileName)"},
    {"File Extension", "$(FileExt)"},
    {"File Directory", "$(FileDir)"},
    {"Current Directory", "$(CurDir)"},
    {"Libraries Directory", "$(StdLibDir)"},
    {"User Libraries Directory", "$(UserLibDir)"},
    {"Spice Directory", "$(SpiceDir)"},
    {"User Defined 1", "$(UserDir1)"},
    {"User Defined 2", "$(UserDir2)"},
    {"User Defined 3", "$(UserDir3)"},
};

}  // namespace

QMenu* NewMacroMenu(QLineEdit* target, QWidget* parent) {
    auto* menu = new QMenu(parent);
    for (const MacroItem& item : kMacros) {
        const QString macro = QString::fromLatin1(item.macro);
        menu->addAction(QString::fromLatin1(item.text), target, [target, macro] {
            target->insert(macro);
            target->setFocus();
        });
    }
    return menu;
}
