#include "platform/drives.h"

QChar NativeDirSeparator() {
    return QChar('/');
}

QStringList LogicalDriveRoots() {
    return {QStringLiteral("/")};
}

QString FallbackRoot() {
    return QStringLiteral("/");
}
