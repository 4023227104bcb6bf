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

NoProgramHook& Hook() {
    static NoProgramHook hook;
    return hook;
}

// Tells the hook that no program could be started for the target.
void NoProgram(const QString& target) {
    if (Hook()) Hook()(target);
}

// Starting a program for the target gave `started`; tells the hook when it failed.
void Started(bool started, const QString& target) {
    if (!started) NoProgram(target);
}

// Called when the desktop's opener, once started, finds nothing to open the target with.
FailedLater Later(const QString& target) {
    return [target] { NoProgram(target); };
}

// A target with a scheme or a drive. Here an absolute path's drive is its leading "/",
// so local paths are never taken for host names.
bool HasDriveOrScheme(const QString& target) {
    return target.contains(':') || target.startsWith('/');
}

} // namespace

void SetNoProgramHook(NoProgramHook hook) {
    Hook() = std::move(hook);
}

void OpenLocation(const QString& target) {
    Guarded([&] {
        const QString test = LocationTestForm(target);
        const QFileInfo info(target);
        const bool open = test.contains(QStringLiteral("http:")) ||
                          test.contains(QStringLiteral("https:")) || !HasDriveOrScheme(target) ||
                          info.isDir() || info.isFile();
        if (!open) return;
        const QString opened =
            HasDriveOrScheme(target) ? target : QStringLiteral("http://") + target;
        Started(DesktopOpen(opened, Later(opened)), opened);
    });
}

void OpenUrl(const QString& address) {
    Guarded([&] {
        const QString opened =
            address.contains(QStringLiteral("://")) ? address : QStringLiteral("http://") + address;
        Started(DesktopOpen(opened, Later(opened)), opened);
    });
}

void ShellOpen(const QString& target) {
    Guarded([&] { Started(DesktopOpen(target, Later(target)), target); });
}

void ShellOpenHidden(const QString& file) {
    Guarded([&] { Started(StartHidden(file, Later(file)), file); });
}

void OpenWithPaint(const QString& file) {
    Guarded([&] {
        if (QFileInfo(file).isFile()) Started(StartPictureEditor(file, Later(file)), file);
    });
}

void OpenInExplorer(const QString& folder) {
    Guarded([&] { Started(ShowFolder(folder, Later(folder)), folder); });
}
