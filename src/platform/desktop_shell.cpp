#include "platform/desktop_shell.h"

#include <QCoreApplication>
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

// Starts the program and watches its exit: a non-zero exit (xdg-open's "no method
// available", a missing file, a failed action) calls failedLater. Without an event loop to
// watch from, the program is started detached.
bool StartWatched(const QString& program, const QStringList& arguments,
                  const FailedLater& failedLater) {
    if (program.isEmpty()) return false;
    if (!failedLater || !QCoreApplication::instance()) return StartDetached(program, arguments);
    // Owned by the application: a process still running at exit is ended with it, while
    // the handler it started (its child) goes on.
    auto* process = new QProcess(QCoreApplication::instance());
    process->setProgram(program);
    process->setArguments(arguments);
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    process->start();
    if (!process->waitForStarted()) {
        delete process;
        return false;
    }
    QObject::connect(process, &QProcess::finished, process,
                     [process, failedLater](int exitCode, QProcess::ExitStatus status) {
                         process->deleteLater();
                         if (status != QProcess::NormalExit || exitCode != 0) failedLater();
                     });
    return true;
}

} // namespace

bool DesktopOpen(const QString& target, const FailedLater& failedLater) {
    if (target.isEmpty()) return false;
    return StartWatched(QStandardPaths::findExecutable("xdg-open"), {SafeArgument(target)},
                        failedLater);
}

bool StartPictureEditor(const QString& file, const FailedLater& failedLater) {
    for (const char* editor : {"kolourpaint", "pinta", "gimp", "drawing"}) {
        const QString program = QStandardPaths::findExecutable(QString::fromLatin1(editor));
        if (!program.isEmpty()) return StartDetached(program, {SafeArgument(file)});
    }
    return DesktopOpen(file, failedLater);
}

bool ShowFolder(const QString& folder, const FailedLater& failedLater) {
    return DesktopOpen(folder, failedLater);
}

bool StartHidden(const QString& file, const FailedLater& failedLater) {
    const QFileInfo info(file);
    if (info.isFile() && info.isExecutable()) return StartDetached(info.absoluteFilePath(), {});
    return DesktopOpen(file, failedLater);
}
