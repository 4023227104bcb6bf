#include "capture/frozen_screen.h"

#include "common/guard.h"
#include "edit/canvas_tools.h"
#include "platform/monitors.h"
#include "platform/native_window.h"

#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QThread>
#include <cmath>
#include <optional>

QRect DeviceGeometry(const QScreen* screen) {
    if (!screen) return QRect();
    // The window system's own rectangle of the monitor, where it names it as the toolkit does.
    for (const Monitor& monitor : Monitors())
        if (!monitor.name.isEmpty() && monitor.name == screen->name()) return monitor.rect;
    // The toolkit keeps each screen's origin in device pixels and scales only its size.
    const QRect logical = screen->geometry();
    const qreal ratio = screen->devicePixelRatio();
    return QRect(logical.topLeft(),
                 QSize(qRound(logical.width() * ratio), qRound(logical.height() * ratio)));
}

// One monitor's window: its part of the grab, drawn at the monitor's device-pixel ratio so
// that one picture pixel is one screen pixel.
class FrozenView : public QWidget {
  public:
    FrozenView(FrozenScreen* owner, QScreen* screen, const QString& title, const QFont& font)
        : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
          owner_(owner), screen_(screen), device_(DeviceGeometry(screen)) {
        setObjectName("FrozenScreen");
        setWindowTitle(title);
        setAttribute(Qt::WA_QuitOnClose, false);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setAttribute(Qt::WA_NoSystemBackground);
        setMouseTracking(true);
        setCursor(Qt::CrossCursor);
        setFocusPolicy(Qt::StrongFocus);
        hint_ = new QLabel(this);
        hint_->setObjectName("PnlAreaCutHint");
        hint_->setFont(font);
        hint_->setAlignment(Qt::AlignCenter);
        hint_->setFrameShape(QFrame::Box);
        hint_->setAutoFillBackground(true);
        QPalette palette = hint_->palette();
        palette.setColor(QPalette::Window, QColor(255, 255, 225));
        palette.setColor(QPalette::WindowText, Qt::black);
        hint_->setPalette(palette);
        hint_->setAttribute(Qt::WA_TransparentForMouseEvents);
        hint_->hide();
    }

    QScreen* monitor() const { return screen_; }
    QRect device() const { return device_; }
    QLabel* hint() const { return hint_; }

    void cover() {
        forgetOrigin();
        setScreen(screen_);
        setGeometry(screen_->geometry());
        setWindowState(Qt::WindowFullScreen);
        show();
    }

    // Device pixels of the X screen for a position in this window. The window system says
    // where the window stands: the toolkit's own position of it may be a pixel off on a
    // scaled desktop.
    QPoint toDevice(QPointF local) {
        if (!origin_) origin_ = isVisible() ? NativeWindowOrigin(winId()) : std::nullopt;
        const QPoint at = localToDevice(local, origin_ ? *origin_ : device_.topLeft());
        // On a scaled screen the toolkit hands mouse positions on in whole scaled pixels, a
        // device pixel or so off; the window system's own pointer position is exact. It is
        // taken while it is that near (the mouse at rest, as at a press or a release).
        const qreal ratio = devicePixelRatioF();
        if (ratio == 1.0) return at;
        const std::optional<QPoint> pointer = PointerPosition();
        if (pointer && qAbs(pointer->x() - at.x()) <= ratio && qAbs(pointer->y() - at.y()) <= ratio)
            return *pointer;
        return at;
    }
    // The window area that shows the device rectangle (in X screen pixels).
    QRect toLocal(const QRect& deviceRect) const {
        const qreal ratio = devicePixelRatioF();
        const QRect r = deviceRect.translated(-device_.topLeft());
        const int left = int(std::floor(r.left() / ratio));
        const int top = int(std::floor(r.top() / ratio));
        const int right = int(std::ceil((r.right() + 1) / ratio));
        const int bottom = int(std::ceil((r.bottom() + 1) / ratio));
        return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
    }

    // Closing by the program itself, not by the window manager.
    bool closingOnPurpose = false;
    // The window moved or was shown anew: its place is asked for again.
    void forgetOrigin() { origin_.reset(); }

  protected:
    void paintEvent(QPaintEvent* e) override {
        QPainter p(this);
        const QImage& grab = owner_->picture();
        const QRect part = device_ & grab.rect();
        if (part.isEmpty()) {
            p.fillRect(rect(), Qt::black);
            return;
        }
        // The monitor's part of the grab, sharing its pixels.
        QImage view(grab.constBits() + qsizetype(part.y()) * grab.bytesPerLine() +
                        qsizetype(part.x()) * (grab.depth() / 8),
                    part.width(), part.height(), grab.bytesPerLine(), grab.format());
        const qreal ratio = devicePixelRatioF();
        view.setDevicePixelRatio(ratio);
        const QPoint shift = part.topLeft() - device_.topLeft();
        for (const QRect& r : e->region()) {
            // The device pixels under this piece of the window.
            const QRect wanted(
                QPoint(int(std::floor(r.left() * ratio)), int(std::floor(r.top() * ratio))),
                QPoint(int(std::ceil((r.right() + 1) * ratio)) - 1,
                       int(std::ceil((r.bottom() + 1) * ratio)) - 1));
            const QRect source = wanted.translated(-shift) & view.rect();
            if (!source.isEmpty())
                p.drawImage(QPointF(source.topLeft() + shift) / ratio, view, source);
        }
        // What the grab does not reach (a monitor larger than the grab) stays black.
        const QRect shown = toLocal(part);
        QRegion rest = QRegion(rect()) - shown;
        for (const QRect& r : rest & e->region())
            p.fillRect(r, Qt::black);
    }
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton) owner_->press(toDevice(e->position()));
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        owner_->move(toDevice(e->position()), e->buttons() & Qt::LeftButton);
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton) owner_->release(toDevice(e->position()));
    }
    void keyPressEvent(QKeyEvent* e) override {
        if (e->key() == Qt::Key_Escape) {
            owner_->giveUp();
            return;
        }
        QWidget::keyPressEvent(e);
    }
    void closeEvent(QCloseEvent* e) override {
        e->accept();
        if (!closingOnPurpose) owner_->giveUp();
    }

    void moveEvent(QMoveEvent* e) override {
        forgetOrigin();
        QWidget::moveEvent(e);
    }
    void resizeEvent(QResizeEvent* e) override {
        forgetOrigin();
        QWidget::resizeEvent(e);
    }

  private:
    QPoint localToDevice(QPointF local, QPoint origin) const {
        const qreal ratio = devicePixelRatioF();
        return QPoint(qRound(local.x() * ratio), qRound(local.y() * ratio)) + origin;
    }

    FrozenScreen* owner_;
    QScreen* screen_;
    QRect device_;
    QLabel* hint_ = nullptr;
    std::optional<QPoint> origin_;
};

FrozenScreen::FrozenScreen(QImage screen, QRgb pen, const QString& title, const QFont& font)
    : screen_(std::move(screen)), pen_(pen), font_(font) {
    // The rubber band's first stroke gives this picture pixels of its own; the windows read
    // them afresh for every paint.
    for (QScreen* monitor : QGuiApplication::screens())
        views_.append(new FrozenView(this, monitor, title, font));
}

FrozenScreen::~FrozenScreen() {
    for (const QPointer<FrozenView>& view : views_) {
        if (!view) continue;
        view->closingOnPurpose = true;
        delete view.data();
    }
}

QList<QWidget*> FrozenScreen::windows() const {
    QList<QWidget*> list;
    for (const QPointer<FrozenView>& view : views_)
        if (view) list.append(view.data());
    return list;
}

void FrozenScreen::show() {
    FrozenView* focus = nullptr;
    const QPoint cursor = QCursor::pos();
    for (const QPointer<FrozenView>& view : views_) {
        if (!view) continue;
        view->cover();
        if (!focus || view->monitor()->geometry().contains(cursor)) focus = view.data();
    }
    if (focus) {
        focus->raise();
        focus->activateWindow();
        focus->setFocus();
    }
}

void FrozenScreen::hide() {
    for (const QPointer<FrozenView>& view : views_)
        if (view) {
            view->closingOnPurpose = true;
            view->hide();
            view->closingOnPurpose = false;
        }
}

bool FrozenScreen::isVisible() const {
    for (const QPointer<FrozenView>& view : views_)
        if (view && view->isVisible()) return true;
    return false;
}

void FrozenScreen::showHint(const QString& text) {
    hintText_ = text;
    hintShown_ = true;
    for (const QPointer<FrozenView>& view : views_)
        if (view) {
            view->hint()->setText(text);
            view->hint()->adjustSize();
            view->hint()->resize(qMax(177, view->hint()->width() + 8), 20);
        }
    // The cursor in device pixels of the monitor it stands on.
    const QPoint cursor = QCursor::pos();
    QPoint at = cursor;
    for (const QPointer<FrozenView>& view : views_)
        if (view && view->monitor()->geometry().contains(cursor))
            at = view->toDevice(view->mapFromGlobal(QPointF(cursor)));
    placeHint(at);
}

void FrozenScreen::hideHint() {
    hintShown_ = false;
    for (const QPointer<FrozenView>& view : views_)
        if (view) view->hint()->hide();
}

void FrozenScreen::placeHint(QPoint devicePos) {
    for (const QPointer<FrozenView>& view : views_) {
        if (!view) continue;
        QLabel* hint = view->hint();
        if (!hintShown_ || !view->device().contains(devicePos)) {
            hint->hide();
            continue;
        }
        const QRect local = view->toLocal(QRect(devicePos, QSize(1, 1)));
        hint->move(local.topLeft() + QPoint(10, -20));
        hint->show();
        hint->raise();
    }
}

void FrozenScreen::repaint(const QRegion& changed) {
    for (const QPointer<FrozenView>& view : views_) {
        if (!view) continue;
        for (const QRect& r : changed & view->device())
            view->update(view->toLocal(r));
    }
}

void FrozenScreen::press(QPoint at) {
    Guarded([&] {
        if (hintShown_) {
            hideHint();
            // The hint's place is redrawn from the grab before the drag starts.
            QThread::msleep(200);
        }
        dragging_ = true;
        engine_.press(ttAreaCut, at, pen_);
    });
}

void FrozenScreen::move(QPoint at, bool leftDown) {
    Guarded([&] {
        if (hintShown_) placeHint(at);
        if (!dragging_ || !leftDown) return;
        repaint(engine_.drag(screen_, ttAreaCut, at));
    });
}

void FrozenScreen::release(QPoint at) {
    Guarded([&] {
        if (!dragging_) return;
        dragging_ = false;
        repaint(engine_.release(screen_, ttAreaCut, at, pen_));
        engine_.setCopyMode();
        const QRect box = engine_.selection();
        // A click without a drag selects nothing; the screen stays frozen for a real drag.
        if (box.width() <= 0 || box.height() <= 0) return;
        emit selected(box);
    });
}

void FrozenScreen::giveUp() {
    emit cancelled();
}
