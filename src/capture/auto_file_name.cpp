#include "capture/auto_file_name.h"

#include "common/app_globals.h"
#include "common/str_to_int.h"

#include <limits>

bool PicNumberOfName(const QString& fileName, const QString& prefix, int& number) {
    const QString name = fileName.mid(fileName.lastIndexOf('/') + 1);
    const int dot = name.lastIndexOf('.');
    if (dot < 0) return false;
    const QString ext = name.mid(dot);
    if (!PictureFormatList().contains(ext)) return false;
    QString rest = name;
    rest.remove(ext, Qt::CaseSensitive);
    if (!prefix.isEmpty()) rest.remove(prefix, Qt::CaseSensitive);
    return TryStrToInt(rest, number);
}

int NextPicNumber(const QStringList& files, const QString& prefix) {
    int highest = 0;
    for (const QString& file : files) {
        int n = 0;
        if (PicNumberOfName(file, prefix, n) && n > highest) highest = n;
    }
    // The highest possible number has no successor; stay on it (the save then picks a
    // free name).
    return highest == std::numeric_limits<int>::max() ? highest : highest + 1;
}

QString FormatAutoFileName(const QString& folder, const QString& prefix, int number,
                           const QString& ext, QChar sep) {
    QString name = folder + sep + prefix + QString::number(number) + ext;
    name.replace(QString(2, sep), QString(sep));
    return name;
}
