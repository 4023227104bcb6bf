#include "common/path_routines.h"

#include "common/guard.h"

#include <QDirIterator>
#include <QFileInfo>

QString NormalizeDirPath(const QString& path, QChar sep) {
    QString result = path.trimmed() + sep;
    const QString one(sep);
    result.replace(QString(3, sep), one);
    result.replace(QString(2, sep), one);
    return result;
}

QString DrivePart(const QString& path, QChar sep) {
    if (sep == QChar('/')) return path.startsWith(sep) ? QString(sep) : QString();
    if (path.size() >= 2 && path.at(1) == QChar(':')) return path.left(2);
    return QString();
}

bool DriveExists(const QString& drive, QChar sep, const QStringList& roots) {
    bool found = false;
    Guarded([&] {
        QString root = drive.trimmed();
        if (root.isEmpty()) return;
        if (!root.endsWith(sep)) root += sep;
        root = root.toUpper();
        for (const QString& r : roots)
            if (r.toUpper() == root) found = true;
    });
    return found;
}

int ListFolderFiles(const QString& folder, QStringList& list) {
    int added = 0;
    Guarded([&] {
        QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        while (it.hasNext()) {
            it.next();
            // A link that leads to a folder is a folder here too.
            if (it.fileInfo().isDir()) continue;
            list.append(folder + it.fileName());
            ++added;
        }
    });
    return added;
}
