#include "common/program_places.h"

#include "common/program_id.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <unistd.h>

namespace {

QString WithSlash(QString folder) {
    folder = QDir::cleanPath(folder);
    if (!folder.endsWith('/')) folder += '/';
    return folder;
}

// Whether this user may create files in `folder` (false also on a read-only mount).
bool FolderWritable(const QString& folder) {
    return ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0;
}

// The system's folders for installed programs: root may write there, but an installed
// program's settings and pictures never belong beside it.
bool SystemProgramFolder(const QString& folder) {
    static const QStringList system = {"/bin/",       "/sbin/",           "/usr/bin/",
                                       "/usr/sbin/",  "/usr/local/bin/",  "/usr/local/sbin/",
                                       "/usr/games/", "/usr/local/games/"};
    return system.contains(folder);
}

} // namespace

ProgramPlaces ProgramPlaces::Beside(const QString& folder) {
    ProgramPlaces places;
    places.programFolder = WithSlash(QDir(folder).absolutePath());
    places.settingsFolder = places.programFolder;
    places.pictureFolder = places.programFolder;
    places.besideProgram = true;
    return places;
}

QString ProgramPlaces::settingsFile() const {
    return settingsFolder + QString::fromLatin1(kSettingsFileName);
}

ProgramPlaces FindProgramPlaces(const QString& programFolder, bool lookUpPictures) {
    ProgramPlaces places = ProgramPlaces::Beside(programFolder);
    if (FolderWritable(places.programFolder) && !SystemProgramFolder(places.programFolder))
        return places;
    places.besideProgram = false;
    places.settingsFolder =
        WithSlash(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + '/' +
                  ProgramId());
    places.pictureFolder = lookUpPictures ? UserPicturesFolder() : QString();
    return places;
}

QString UserPicturesFolder() {
    QProcess query;
    query.start(QStringLiteral("xdg-user-dir"), {QStringLiteral("PICTURES")}, QIODevice::ReadOnly);
    if (query.waitForFinished(3000) && query.exitStatus() == QProcess::NormalExit &&
        query.exitCode() == 0) {
        const QString named = QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
        if (QDir::isAbsolutePath(named) && QFileInfo(named).isDir()) return WithSlash(named);
    }
    query.kill();
    query.waitForFinished(1000);
    return WithSlash(QDir::homePath());
}

bool EnsureFolder(const QString& folder) {
    if (QFileInfo(folder).isDir()) return true;
    return QDir().mkpath(folder);
}
