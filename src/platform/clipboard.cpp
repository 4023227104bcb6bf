#include "platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

void PutImageOnClipboard(const QImage& image) {
    if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setImage(image);
}
