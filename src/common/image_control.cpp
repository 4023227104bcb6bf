#include "common/image_control.h"

#include <QPaintEvent>
#include <QPainter>

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
