#include "common/picture_formats.h"

#include <QFileInfo>
#include <QStringList>

const QStringList& PictureFormatList() {
    static const QStringList formats = {".jpg", ".bmp", ".jpeg", ".png", ".emf", ".wmf", ".ico"};
    return formats;
}

PictureWriter PictureWriterOf(const QString& path) {
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg")) return PictureWriter::Jpeg;
    if (ext == QLatin1String("png")) return PictureWriter::Png;
    return PictureWriter::Bmp;
}
