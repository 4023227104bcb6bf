#include "platform/desktop_trash.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

namespace {

QString HomeTrash() {
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir::isAbsolutePath(dataHome) ? dataHome + QStringLiteral("/Trash") : QString();
}

// The home trash, made when it is missing (a new account has no data folder yet). The
// toolkit makes only the last folder and, when it cannot, trashes into the working folder.
bool HomeTrashReady() {
    const QString trash = HomeTrash();
    if (trash.isEmpty()) return false;
    const QFileInfo info(trash);
    if (!info.exists() && QDir().mkpath(info.absolutePath()))
        QDir(info.absolutePath())
            .mkdir(info.fileName(),
                   QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return QFileInfo(trash).isDir();
}

// Writes the information file of a trashed file again with its old place URL-escaped, as
// file managers expect (the toolkit writes it raw, so that a name with "%" or a line
// break cannot be restored, or restored elsewhere). The home trash keeps absolute paths,
// the trash of another file system paths from its top folder.
void WriteTrashInfo(const QString& moved, const QString& oldPath) {
    const QFileInfo inTrash(moved);
    const QDir trash(inTrash.absolutePath() + QStringLiteral("/.."));
    QString place = QFileInfo(oldPath).absoluteFilePath();
    if (QDir::cleanPath(trash.absolutePath()) != QDir::cleanPath(HomeTrash())) {
        QDir top = trash;
        top.cdUp(); // $topdir/.Trash-$uid
        if (trash.dirName() != QStringLiteral(".Trash-") + QString::number(::getuid()))
            top.cdUp(); // $topdir/.Trash/$uid
        place = top.relativeFilePath(place);
    }
    QSaveFile info(trash.filePath(QStringLiteral("info/") + inTrash.fileName() +
                                  QStringLiteral(".trashinfo")));
    if (!info.open(QIODevice::WriteOnly)) return;
    info.write("[Trash Info]\nPath=" + QUrl::toPercentEncoding(place, "/") + "\nDeletionDate=" +
               QDateTime::currentDateTime().toString(Qt::ISODate).toUtf8() + "\n");
    info.commit();
}

// Puts a file that the toolkit moved to a relative place back where it was.
void PutBack(const QString& moved, const QString& path) {
    const QFileInfo inTrash(QDir::current(), moved);
    const QByteArray from = QFile::encodeName(inTrash.absoluteFilePath());
    const QByteArray to = QFile::encodeName(path);
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) != 0)
        return; // leave it where it is rather than replace anything
    QFile::remove(inTrash.absolutePath() + QStringLiteral("/../info/") + inTrash.fileName() +
                  QStringLiteral(".trashinfo"));
}

} // namespace

bool MoveToDesktopTrash(const QString& path) {
    if (path.isEmpty() || !HomeTrashReady()) return false;
    QString moved;
    if (!QFile::moveToTrash(path, &moved)) return false;
    if (!QDir::isAbsolutePath(moved)) {
        PutBack(moved, path);
        return false;
    }
    WriteTrashInfo(moved, path);
    return true;
}
