#include "edit/edit_history.h"

#include "edit/paint_target.h"

#include <QPainter>

const QImage& EditHistory::slot(int n) const {
    static const QImage none;
    return n >= 1 && n <= kSlots ? slots_[n - 1] : none;
}

void EditHistory::save(const QImage& picture, QSize displaySize) {
    if (pos_ >= kSlots) {
        // Drop the oldest state; the newest four stay in order.
        for (int i = 0; i + 1 < kSlots; ++i)
            slots_[i] = std::move(slots_[i + 1]);
        pos_ = kSlots - 1;
    }
    ++pos_;
    if (pos_ > newest_) newest_ = pos_;
    rect_ = QRect(QPoint(0, 0), displaySize.expandedTo(QSize(0, 0)));

    QImage state;
    if (!rect_.isEmpty()) {
        const QImage::Format format =
            picture.isNull() ? QImage::Format_RGB32 : PaintableFormat(picture.format());
        state = QImage(rect_.size(), format);
        if (!state.isNull()) {
            state.fill(Qt::white);
            if (!picture.isNull()) {
                QPainter p(&state);
                p.setCompositionMode(QPainter::CompositionMode_Source);
                p.drawImage(QPoint(0, 0), picture, rect_ & picture.rect());
            }
        }
    }
    slots_[pos_ - 1] = state;
}

bool EditHistory::stepBack(QImage& picture) {
    if (pos_ <= 0) return false;
    restore(pos_, picture);
    --pos_;
    return true;
}

bool EditHistory::stepForward(QImage& picture) {
    if (pos_ >= newest_ || pos_ >= kSlots) return false;
    ++pos_;
    restore(pos_, picture);
    return true;
}

void EditHistory::restore(int n, QImage& picture) const {
    const QImage& state = slot(n);
    const QRect area = rect_ & state.rect() & picture.rect();
    if (area.isEmpty()) return;
    EnsurePaintable(picture);
    QPainter p(&picture);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(area.topLeft(), state, area);
}
