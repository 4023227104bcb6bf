#include "support/folder_entries.h"

#include <QDir>

QStringList FolderEntries(const QString& folder) {
    QStringList names = QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
    names.sort();
    return names;
}
