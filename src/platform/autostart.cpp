#include "platform/autostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString AutostartFolder() {
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty() || !QDir::isAbsolutePath(config))
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/autostart");
}

void RemoveAutostartEntries(const QStringList& names) {
    const QDir folder(AutostartFolder());
    for (const QString& name : names) {
        // A name that could leave the folder is not one of ours.
        if (name.isEmpty() || name.contains('/') || name == "." || name == "..") continue;
        const QString path = folder.filePath(name + QStringLiteral(".desktop"));
        QFileInfo info(path);
        if (info.isFile() || info.isSymLink()) QFile::remove(path);
    }
}
