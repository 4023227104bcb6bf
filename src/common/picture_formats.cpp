#include "common/picture_formats.h"

#include <QStringList>

const QStringList& PictureFormatList() {
    static const QStringList formats = {".jpg", ".bmp", ".jpeg", ".png", ".emf", ".wmf", ".ico"};
    return formats;
}
