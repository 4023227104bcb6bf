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

// Starts a program for the target with `launch`; the hook hears when none could be
// started, at once or later, when the desktop's opener finds nothing to open it with (the
// opener holds its own copy of the hook, since it ends after the caller has returned).
void Launch(bool (*launch)(const QString&, const FailedLater&), const QString& target,
            const NoProgramHook& noProgram) {
    const FailedLater later = [target, noProgram] {
        if (noProgram) noProgram(target);
    };
    if (!launch(target, later)) later();
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
        Launch(DesktopOpen, opened, noProgram);
    });
}

void OpenUrl(const QString& address, const NoProgramHook& noProgram) {
    Guarded([&] {
        const QString opened =
            address.contains(QStringLiteral("://")) ? address : QStringLiteral("http://") + address;
        Launch(DesktopOpen, opened, noProgram);
    });
}

void ShellOpen(const QString& target, const NoProgramHook& noProgram) {
    Guarded([&] { Launch(DesktopOpen, target, noProgram); });
}

void ShellOpenHidden(const QString& file, const NoProgramHook& noProgram) {
    Guarded([&] { Launch(StartHidden, file, noProgram); });
}

void OpenWithPaint(const QString& file, const NoProgramHook& noProgram) {
    Guarded([&] {
        if (QFileInfo(file).isFile()) Launch(StartPictureEditor, file, noProgram);
    });
}

void OpenInExplorer(const QString& folder, const NoProgramHook& noProgram) {
    Guarded([&] { Launch(ShowFolder, folder, noProgram); });
}
