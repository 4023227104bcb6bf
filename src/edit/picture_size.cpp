#include "edit/picture_size.h"

#include <QDir>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryFile>

int ReadSizeField(const QString& shown) {
    qsizetype i = 0;
    while (i < shown.size() && shown[i] == QLatin1Char(' '))
        ++i;
    int value = 0;
    for (int digits = 0; i < shown.size() && digits < 9; ++i, ++digits) {
        const QChar c = shown[i];
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) break;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

QImage ResizedPicture(const QImage& picture, int width, int height) {
    if (width <= 0 || height <= 0 || qint64(width) * height > kMaxResizedPixels) return {};
    QImage result(width, height, QImage::Format_RGB32);
    if (result.isNull()) return {};
    result.fill(Qt::white);
    if (!picture.isNull()) {
        QPainter p(&result);
        p.drawImage(QPoint(0, 0), picture);
    }
    return result;
}

bool ResizeThroughBmpFile(QImage& picture, int width, int height) {
    const QImage resized = ResizedPicture(picture, width, height);
    if (resized.isNull()) return false;
    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/qelshot-resize-XXXXXX.bmp"));
    if (!file.open()) return false;
    QImageWriter writer(&file, "bmp");
    if (!writer.write(resized) || !file.flush() || !file.seek(0)) return false;
    QImageReader reader(&file, "bmp");
    const QImage loaded = reader.read();
    if (loaded.isNull() || loaded.size() != resized.size()) return false;
    picture = loaded;
    return true;
}
