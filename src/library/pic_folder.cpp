#include "library/pic_folder.h"

#include "platform/atomic_file.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace {

int DigitValue(QChar c, int base) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9') return u - '0';
    if (base == 16 && u >= 'a' && u <= 'f') return u - 'a' + 10;
    if (base == 16 && u >= 'A' && u <= 'F') return u - 'A' + 10;
    return -1;
}

QStringView StemOf(const QString& name) {
    const qsizetype dot = name.lastIndexOf('.');
    return dot < 0 ? QStringView(name) : QStringView(name).left(dot);
}

int CompareNames(const QString& a, const QString& b) {
    const int c = QString::compare(a, b, Qt::CaseSensitive);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

} // namespace

QString FileNamePart(const QString& path) {
    return path.mid(path.lastIndexOf('/') + 1);
}

QString FileExtension(const QString& path) {
    const QString name = FileNamePart(path);
    const qsizetype dot = name.lastIndexOf('.');
    return dot < 0 ? QString() : name.mid(dot);
}

bool IsPicFormat(const QString& ext, const QStringList& exts) {
    return exts.contains(ext, Qt::CaseSensitive);
}

qint64 PicNameValue(QStringView stem) {
    const qsizetype n = stem.size();
    qsizetype i = 0;
    while (i < n && stem[i] == QChar(' '))
        ++i;
    bool negative = false;
    if (i < n && (stem[i] == QChar('+') || stem[i] == QChar('-'))) {
        negative = stem[i] == QChar('-');
        ++i;
    }
    int base = 10;
    if (i < n && stem[i] == QChar('$')) {
        base = 16;
        ++i;
    } else if (i + 1 < n && stem[i] == QChar('0') &&
               (stem[i + 1] == QChar('x') || stem[i + 1] == QChar('X'))) {
        base = 16;
        i += 2;
    } else if (i < n && (stem[i] == QChar('x') || stem[i] == QChar('X'))) {
        base = 16;
        ++i;
    }
    constexpr quint64 kLimit = std::numeric_limits<qint64>::max();
    quint64 value = 0;
    for (; i < n; ++i) {
        const int d = DigitValue(stem[i], base);
        if (d < 0 || value > (kLimit - quint64(d)) / quint64(base)) break;
        value = value * quint64(base) + quint64(d);
    }
    return negative ? -qint64(value) : qint64(value);
}

int ComparePicNames(const QString& a, const QString& b) {
    const qint64 va = PicNameValue(StemOf(a));
    const qint64 vb = PicNameValue(StemOf(b));
    if (va != vb) return va < vb ? -1 : 1;
    return CompareNames(a, b);
}

void SortPicNames(QStringList& names) {
    // The values are worked out once per name rather than once per comparison.
    std::vector<std::pair<qint64, QString>> keyed;
    keyed.reserve(names.size());
    for (const QString& name : names)
        keyed.emplace_back(PicNameValue(StemOf(name)), name);
    std::sort(keyed.begin(), keyed.end(), [](const auto& x, const auto& y) {
        if (x.first != y.first) return x.first < y.first;
        return CompareNames(x.second, y.second) < 0;
    });
    for (qsizetype i = 0; i < names.size(); ++i)
        names[i] = std::move(keyed[size_t(i)].second);
}

QStringList PicNamesOf(const QStringList& paths, const QStringList& exts) {
    QStringList names;
    names.reserve(paths.size());
    for (const QString& path : paths) {
        QString name = FileNamePart(path);
        // What a save killed half-way left behind is no picture of the user's.
        if (IsPicFormat(FileExtension(name), exts) && !IsAtomicFileTempName(name))
            names.append(std::move(name));
    }
    SortPicNames(names);
    return names;
}
