#include "common/shell_routines.h"

#include "common/guard.h"
#include "platform/desktop_shell.h"

#include <QFileInfo>

QString LocationTestForm(const QString& target) {
    QString t = target;
    t.replace(QStringLiteral("///"), QStringLiteral("\\"));
    t.replace(QStringLiteral("//"), QStringLiteral("\\"));
    t.replace('/', '\\');
    return t.toLower();
}

namespace {

// Starting a program for the target gave `started`; tells the hook when it failed.
void Started(bool started, const QString& target, const NoProgramHook& noProgram) {
    if (!started && noProgram) noProgram(target);
}

// Called when the desktop's opener, once started, finds nothing to open the target with;
// holds its own copy of the hook, since the opener ends after the caller has returned.
FailedLater Later(const QString& target, const NoProgramHook& noProgram) {
    return [target, noProgram] {
        if (noProgram) noProgram(target);
    };
}

// A target with a scheme or a drive. Here an absolute path's drive is its leading "/",
// so local paths are never taken for host names.
bool HasDriveOrScheme(const QString& target) {
    return target.contains(':') || target.startsWith('/');
}

} // namespace

void OpenLocation(const QString& target, const NoProgramHook& noProgram) {
    Guarded([&] {
        const QString test = LocationTestForm(target);
        const QFileInfo info(target);
        const bool open = test.contains(QStringLiteral("http:")) ||
                          test.contains(QStringLiteral("https:")) || !HasDriveOrScheme(target) ||
                          info.isDir() || info.isFile();
        if (!open) return;
        const QString opened =
            HasDriveOrScheme(target) ? target : QStringLiteral("http://") + target;
        Started(DesktopOpen(opened, Later(opened, noProgram)), opened, noProgram);
    });
}

void OpenUrl(const QString& address, const NoProgramHook& noProgram) {
    Guarded([&] {
        const QString opened =
            address.contains(QStringLiteral("://")) ? address : QStringLiteral("http://") + address;
        Started(DesktopOpen(opened, Later(opened, noProgram)), opened, noProgram);
    });
}

void ShellOpen(const QString& target, const NoProgramHook& noProgram) {
    Guarded([&] { Started(DesktopOpen(target, Later(target, noProgram)), target, noProgram); });
}

void ShellOpenHidden(const QString& file, const NoProgramHook& noProgram) {
    Guarded([&] { Started(StartHidden(file, Later(file, noProgram)), file, noProgram); });
}

void OpenWithPaint(const QString& file, const NoProgramHook& noProgram) {
    Guarded([&] {
        if (QFileInfo(file).isFile())
            Started(StartPictureEditor(file, Later(file, noProgram)), file, noProgram);
    });
}

void OpenInExplorer(const QString& folder, const NoProgramHook& noProgram) {
    Guarded([&] { Started(ShowFolder(folder, Later(folder, noProgram)), folder, noProgram); });
}
