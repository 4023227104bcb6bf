#include "platform/screen_text.h"

#include "platform/x11_connection.h"

#include <QBitmap>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QWidget>
#include <cstdlib>
#include <string>

namespace {

// Whether a compositing manager blends translucent windows over the screen. Without one,
// the transparent parts of a window show as black.
bool Composited() {
    if (QGuiApplication::platformName() != "xcb") return true;
    const X11Connection* x = X11();
    if (!x) return false;
    int number = 0;
    for (auto it = xcb_setup_roots_iterator(xcb_get_setup(x->xcb)); it.rem;
         xcb_screen_next(&it), ++number)
        if (it.data == x->screen) break;
    const std::string name = "_NET_WM_CM_S" + std::to_string(number);
    const xcb_atom_t selection = X11Atom(*x, name.c_str());
    if (!selection) return false;
    auto* owner =
        xcb_get_selection_owner_reply(x->xcb, xcb_get_selection_owner(x->xcb, selection), nullptr);
    const bool running = owner && owner->owner != XCB_NONE;
    std::free(owner);
    return running;
}

class ScreenTextSurface : public QWidget {
  public:
    ScreenTextSurface(const QString& text, QFont font, const QColor& color, bool composited)
        : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool |
                               Qt::WindowTransparentForInput | Qt::X11BypassWindowManagerHint),
          text_(text), color_(color) {
        setAttribute(Qt::WA_TranslucentBackground);
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_DeleteOnClose);
        // Cut to the glyphs themselves, edges must be all or nothing.
        if (!composited) font.setStyleStrategy(QFont::NoAntialias);
        setFont(font);
        const QFontMetrics fm(font);
        resize(fm.horizontalAdvance(text_) + 4, fm.height() + 4);
        if (!composited) {
            QImage glyphs(size(), QImage::Format_ARGB32_Premultiplied);
            glyphs.fill(Qt::transparent);
            QPainter p(&glyphs);
            paintText(p);
            p.end();
            setMask(QBitmap::fromImage(glyphs.createAlphaMask()));
        }
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        paintText(p);
    }

  private:
    void paintText(QPainter& p) {
        p.setPen(color_);
        p.setFont(font());
        p.drawText(rect().adjusted(2, 2, -2, -2), Qt::AlignLeft | Qt::AlignTop, text_);
    }

    QString text_;
    QColor color_;
};

} // namespace

QWidget* PaintScreenText(const QString& text, QPoint at, const QString& fontName, int pointSize,
                         const QColor& color) {
    QFont font(fontName);
    font.setPointSize(pointSize);
    auto* surface = new ScreenTextSurface(text, font, color, Composited());
    surface->move(at);
    surface->show();
    return surface;
}

void RemoveScreenText(QPointer<QWidget>& surface) {
    if (!surface) return;
    surface->close();
    surface = nullptr;
}
