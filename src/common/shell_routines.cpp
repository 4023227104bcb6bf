#include "common/shell_routines.h"

#include "common/guard.h"
#include "common/image_control.h"
#include "platform/clipboard.h"
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

// A target with a scheme or a drive. Here an absolute path's drive is its leading "/",
// so local paths are never taken for host names.
bool HasDriveOrScheme(const QString& target) {
    return target.contains(':') || target.startsWith('/');
}

} // namespace

void OpenLocation(const QString& target) {
    Guarded([&] {
        const QString test = LocationTestForm(target);
        const QFileInfo info(target);
        const bool open = test.contains(QStringLiteral("http:")) ||
                          test.contains(QStringLiteral("https:")) || !HasDriveOrScheme(target) ||
                          info.isDir() || info.isFile();
        if (!open) return;
        if (HasDriveOrScheme(target))
            DesktopOpen(target);
        else
            DesktopOpen(QStringLiteral("http://") + target);
    });
}

void OpenUrl(const QString& address) {
    Guarded([&] {
        DesktopOpen(address.contains(QStringLiteral("://")) ? address
                                                            : QStringLiteral("http://") + address);
    });
}

void ShellOpen(const QString& target) {
    Guarded([&] { DesktopOpen(target); });
}

void ShellOpenHidden(const QString& file) {
    Guarded([&] { StartHidden(file); });
}

void OpenWithPaint(const QString& file) {
    Guarded([&] {
        if (QFileInfo(file).isFile()) StartPictureEditor(file);
    });
}

void OpenInExplorer(const QString& folder) {
    Guarded([&] { ShowFolder(folder); });
}

void CopyPicToClipboard(const ImageControl* image) {
    Guarded([&] {
        if (image && image->hasPicture()) PutImageOnClipboard(image->picture());
    });
}
