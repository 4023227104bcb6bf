#include "widgets/image_control.h"

#include <QPaintEvent>
#include <QPainter>
#include <cmath>

ImageControl::ImageControl(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void ImageControl::setPicture(const QImage& image) {
    picture_ = image;
    fitToPicture();
    update();
}

void ImageControl::clearPicture() {
    setPicture(QImage());
}

void ImageControl::pictureChanged(const QRect& area) {
    fitToPicture();
    if (area.isNull() || stretch_ || picture_.isNull()) {
        update();
        return;
    }
    update(area);
}

void ImageControl::pictureChanged(const QRegion& area) {
    fitToPicture();
    if (area.isEmpty()) return;
    if (stretch_ || picture_.isNull()) {
        update();
        return;
    }
    update(area);
}

QPoint ImageControl::pictureAt(QPointF at) const {
    qreal x = at.x(), y = at.y();
    if (stretch_ && !picture_.isNull() && width() > 0 && height() > 0) {
        x = x * picture_.width() / width();
        y = y * picture_.height() / height();
    }
    return QPoint(int(std::floor(x)), int(std::floor(y)));
}

void ImageControl::setAutoSize(bool on) {
    autoSize_ = on;
    fitToPicture();
}

void ImageControl::setStretch(bool on) {
    stretch_ = on;
    update();
}

void ImageControl::fitToPicture() {
    if (autoSize_ && !picture_.isNull() && size() != picture_.size()) resize(picture_.size());
}

void ImageControl::paintEvent(QPaintEvent* e) {
    if (picture_.isNull()) return;
    QPainter p(this);
    if (stretch_) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(rect(), picture_);
    } else {
        // Piece by piece: a thin changed outline on a large picture stays cheap.
        for (const QRect& r : e->region())
            p.drawImage(r.topLeft(), picture_, r);
    }
}
