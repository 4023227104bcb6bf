#include "widgets/tiled_panel.h"

#include <QPainter>

TiledPanel::TiledPanel(QWidget* parent, const QColor& color) : QWidget(parent), color_(color) {}

void TiledPanel::setImage(const QImage& image, Mode mode) {
    image_ = image;
    tile_ = QPixmap::fromImage(image);
    mode_ = mode;
    update();
}

void TiledPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), color_);
    if (image_.isNull()) return;
    if (mode_ == Mode::Tile)
        p.drawTiledPixmap(rect(), tile_);
    else
        p.drawImage(0, 0, image_);
}
