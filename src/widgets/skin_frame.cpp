#include "widgets/skin_frame.h"

#include "common/resources.h"
#include "widgets/tiled_panel.h"

#include <QWidget>

void StyleFixedWindow(QWidget* window, int width, int height) {
    window->setFixedSize(width, height);
    QPalette pal = window->palette();
    pal.setColor(QPalette::Window, kBarColor);
    window->setPalette(pal);
    window->setAutoFillBackground(true);
    QFont font("Arial");
    font.setPixelSize(13);
    window->setFont(font);
}

TiledPanel* FramePiece(QWidget* parent, const char* name, const QRect& place) {
    auto* piece = new TiledPanel(parent, kBarColor);
    piece->setObjectName(QString::fromLatin1(name));
    piece->setGeometry(place);
    QImage image;
    LoadResBitmap(image, QString::fromLatin1(name));
    piece->setImage(image);
    return piece;
}
