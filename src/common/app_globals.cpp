#include "common/app_globals.h"

#include <QStringList>

QString PicFolder;
int ToolButtonHeight = 24;
int PngRowFilter = 0;

const QStringList& PictureFormatList() {
    static const QStringList formats = {".jpg", ".bmp", ".jpeg", ".png", ".emf", ".wmf", ".ico"};
    return formats;
}
