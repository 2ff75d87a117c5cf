#include "netlist/tools/ui/ToolWindows.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <memory>

#include "model/app/SchematicApp.h"
#include "netlist/tools/ui/PropTool.h"

namespace {

QString Local(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The program file that program names, or empty when it is none.
QString ProgramFile(const QString& program) {
    if (program.contains('/')) {
        const QFileInfo file(program);
        return file.isFile() && file.isExecutable() ? file.absoluteFilePath() : QString();
    }
    return QStandardPaths::findExecutable(program);
}

}  // namespace

bool CToolLauncher::Start(const std::string& program, const std::vector<std::string>& args,
                          const std::string& directory) {
    const QString name = Local(program);
    const QString file = ProgramFile(name);
    if (file.isEmpty()) {
        const QFileInfo document(name);
        return document.exists() &&
               QDesktopServices::openUrl(QUrl::fromLocalFile(document.absoluteFilePath()));
    }
    QStringList arguments;
    for (const std::string& arg : args)
        arguments << Local(arg);
    return QProcess::startDetached(file, arguments, Local(directory));
}

bool CToolSetupWindow::EditCustomTools(int initialTool) {
    CSchematicApp* app = GetApp();
    if (!app)
        return false;
    std::unique_ptr<CPropertySheet> sheet(NewToolSetupSheet(
        app->Settings(), ToolSetupKind::kCustomTools, initialTool, QApplication::activeWindow()));
    return sheet->exec() == QDialog::Accepted;
}
