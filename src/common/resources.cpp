#include "common/resources.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>

// Outside any namespace: Q_INIT_RESOURCE declares the initialiser of resources.qrc.
static void RegisterCompiledResources() {
    Q_INIT_RESOURCE(resources);
}

namespace {

constexpr QRgb kKeyColour = 0xFF00FF;

// Lower-case folder name -> (lower-case entry name -> resource path), read once.
using NameMap = QHash<QString, QHash<QString, QString>>;

const NameMap& ResourceNames() {
    static const NameMap names = [] {
        InitResources();
        NameMap map;
        const QDir root(":/");
        for (const QString& folder : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QHash<QString, QString>& entries = map[folder.toLower()];
            const QDir dir(":/" + folder);
            for (const QString& entry : dir.entryList(QDir::Files))
                entries.insert(entry.toLower(), dir.filePath(entry));
        }
        return map;
    }();
    return names;
}

} // namespace

QByteArray ReadResource(const QString& name, const QString& type) {
    const NameMap& names = ResourceNames();
    const auto folder = names.constFind(type.toLower());
    if (folder == names.constEnd()) return {};
    const auto entry = folder->constFind(name.toLower());
    if (entry == folder->constEnd()) return {};
    QFile file(*entry);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

void InitResources() {
    // The compiled-in resources are registered with the toolkit once per process.
    static QMutex mutex;
    static bool done = false;
    QMutexLocker lock(&mutex);
    if (done) return;
    RegisterCompiledResources();
    done = true;
}

void LoadResBitmap(QImage& target, const QString& name, const QString& type) {
    const QByteArray data = ReadResource(name, type);
    if (data.isEmpty()) return;
    QImage image;
    if (!image.loadFromData(data, "BMP")) return;
    target = image.convertToFormat(QImage::Format_RGB32);
}

QImage KeyedGlyph(const QImage& bmp) {
    if (bmp.isNull()) return {};
    QImage glyph = bmp.convertToFormat(QImage::Format_ARGB32);
    const int bottom = glyph.height() - 1;
    if ((glyph.pixel(0, bottom) & 0xFFFFFF) != kKeyColour) return glyph;
    for (int y = 0; y < glyph.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(glyph.scanLine(y));
        for (int x = 0; x < glyph.width(); ++x)
            if ((line[x] & 0xFFFFFF) == kKeyColour) line[x] = 0;
    }
    return glyph;
}

QIcon GlyphIcon(const QImage& bmp) {
    if (bmp.isNull()) return {};
    return QIcon(QPixmap::fromImage(KeyedGlyph(bmp)));
}
