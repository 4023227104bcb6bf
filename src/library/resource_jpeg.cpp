#include "library/resource_jpeg.h"

#include "common/resources.h"
#include "library/jpeg_decode.h"

void LoadResJpeg(QImage& target, const QString& name, const QString& type) {
    const QByteArray data = ReadResource(name, type);
    if (data.isEmpty()) return;
    DecodeJpeg(data, target);
}
