#include "capture/auto_file_name.h"

#include "common/picture_formats.h"
#include "common/str_to_int.h"

#include <QDirIterator>
#include <QSet>

namespace {

// The file name without folder, and its picture extension (empty when it has none).
QString PictureExtension(const QString& name) {
    const qsizetype dot = name.lastIndexOf('.');
    if (dot < 0) return QString();
    const QString ext = name.mid(dot);
    return PictureFormatList().contains(ext) ? ext : QString();
}

QString NamePart(const QString& fileName) {
    return fileName.mid(fileName.lastIndexOf('/') + 1);
}

} // namespace

bool PicNumberOfName(const QString& fileName, const QString& prefix, int& number) {
    const QString name = NamePart(fileName);
    const QString ext = PictureExtension(name);
    if (ext.isEmpty()) return false;
    QString rest = name;
    rest.remove(ext, Qt::CaseSensitive);
    if (!prefix.isEmpty()) rest.remove(prefix, Qt::CaseSensitive);
    return TryStrToInt(rest, number);
}

qint64 NextPicNumber(const QStringList& files, const QString& prefix,
                     const QStringList& otherEntries) {
    int highest = 0;
    QSet<QString> stems; // picture names without their extension
    const auto addStem = [&](const QString& path) {
        const QString name = NamePart(path);
        const QString ext = PictureExtension(name);
        if (!ext.isEmpty()) stems.insert(name.chopped(ext.size()));
    };
    for (const QString& file : files) {
        int n = 0;
        if (PicNumberOfName(file, prefix, n) && n > highest) highest = n;
        addStem(file);
    }
    for (const QString& entry : otherEntries)
        addStem(entry);
    // Counted in 64 bits, so the largest 32-bit number has a successor. Numbers past it do
    // not count as the highest, so the names given past it are stepped over here, as is a
    // name whose number the removal of the prefix spoiled. Otherwise the next number is
    // highest + 1. Each step passes one file, so the count cannot overflow.
    qint64 next = qint64(highest) + 1;
    while (stems.contains(prefix + QString::number(next)))
        ++next;
    return next;
}

QString NextAutoFileName(const QString& folder, const QString& prefix, const QString& ext) {
    // Files count for the number; folders (a link to one included) and other entries only
    // as names already taken.
    QStringList files;
    QStringList others;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        (it.fileInfo().isDir() ? others : files).append(it.fileName());
    }
    return FormatAutoFileName(folder, prefix, NextPicNumber(files, prefix, others), ext);
}

QString FormatAutoFileName(const QString& folder, const QString& prefix, qint64 number,
                           const QString& ext, QChar sep) {
    QString name = folder + sep + prefix + QString::number(number) + ext;
    name.replace(QString(2, sep), QString(sep));
    return name;
}
