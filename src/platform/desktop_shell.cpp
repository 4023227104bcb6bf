#include "platform/desktop_shell.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

// A relative path beginning with a dash would be read as an option by the started program.
QString SafeArgument(const QString& target) {
    if (target.startsWith('-')) return QFileInfo(target).absoluteFilePath();
    return target;
}

bool StartDetached(const QString& program, const QStringList& arguments) {
    if (program.isEmpty()) return false;
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    return process.startDetached();
}

} // namespace

bool DesktopOpen(const QString& target) {
    if (target.isEmpty()) return false;
    return StartDetached(QStandardPaths::findExecutable("xdg-open"), {SafeArgument(target)});
}

bool StartPictureEditor(const QString& file) {
    for (const char* editor : {"kolourpaint", "pinta", "gimp", "drawing"}) {
        const QString program = QStandardPaths::findExecutable(QString::fromLatin1(editor));
        if (!program.isEmpty()) return StartDetached(program, {SafeArgument(file)});
    }
    return DesktopOpen(file);
}

bool ShowFolder(const QString& folder) { return DesktopOpen(folder); }

bool StartHidden(const QString& file) {
    const QFileInfo info(file);
    if (info.isFile() && info.isExecutable()) return StartDetached(info.absoluteFilePath(), {});
    return DesktopOpen(file);
}
