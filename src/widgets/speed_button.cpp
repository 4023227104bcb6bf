#include "widgets/speed_button.h"

#include "common/resources.h"

#include <QPainter>

SpeedButton::SpeedButton(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
}

void SpeedButton::setGlyph(const QImage& bitmap) {
    bitmap_ = bitmap;
    glyph_ = bitmap.isNull() ? QPixmap() : GlyphIcon(bitmap).pixmap(bitmap.size());
    update();
}

QSize SpeedButton::sizeHint() const {
    return glyph_.isNull() ? QSize(22, 22) : glyph_.size() + QSize(2, 2);
}

void SpeedButton::enterEvent(QEnterEvent* e) {
    hovered_ = true;
    update();
    QAbstractButton::enterEvent(e);
}

void SpeedButton::leaveEvent(QEvent* e) {
    hovered_ = false;
    update();
    QAbstractButton::leaveEvent(e);
}

void SpeedButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect().adjusted(0, 0, -1, -1);
    const bool down = isDown() || isChecked();
    if (isEnabled() && (hovered_ || down)) {
        p.setPen(down ? QColor(120, 150, 190) : QColor(160, 190, 225));
        p.setBrush(down ? QColor(205, 222, 244) : QColor(228, 238, 250));
        p.drawRect(r);
    }
    if (glyph_.isNull()) return;
    QPoint at((width() - glyph_.width()) / 2, (height() - glyph_.height()) / 2);
    if (down) at += QPoint(1, 1);
    if (!isEnabled()) p.setOpacity(0.4);
    p.drawPixmap(at, glyph_);
}
