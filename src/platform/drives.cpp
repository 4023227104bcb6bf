#include "platform/drives.h"

#include <QDir>
#include <QFile>

#include <pwd.h>
#include <unistd.h>

QChar NativeDirSeparator() {
    return QChar('/');
}

QStringList LogicalDriveRoots() {
    return {QStringLiteral("/")};
}

QString FallbackRoot() {
    QString home = qEnvironmentVariable("HOME");
    if (!QDir::isAbsolutePath(home)) {
        const passwd* account = ::getpwuid(::getuid());
        home = account && account->pw_dir ? QFile::decodeName(account->pw_dir) : QString();
    }
    if (!QDir::isAbsolutePath(home)) return QStringLiteral("/");
    home = QDir::cleanPath(home);
    return home.endsWith('/') ? home : home + '/';
}
