#include "platform/screen_text.h"

#include <QFontMetrics>
#include <QPainter>
#include <QWidget>

namespace {

class ScreenTextSurface : public QWidget {
  public:
    ScreenTextSurface(const QString& text, const QFont& font, const QColor& color)
        : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool |
                               Qt::WindowTransparentForInput | Qt::X11BypassWindowManagerHint),
          text_(text), color_(color) {
        setAttribute(Qt::WA_TranslucentBackground);
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_DeleteOnClose);
        setFont(font);
        const QFontMetrics fm(font);
        resize(fm.horizontalAdvance(text_) + 4, fm.height() + 4);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setPen(color_);
        p.setFont(font());
        p.drawText(rect().adjusted(2, 2, -2, -2), Qt::AlignLeft | Qt::AlignTop, text_);
    }

  private:
    QString text_;
    QColor color_;
};

} // namespace

QWidget* PaintScreenText(const QString& text, QPoint at, const QString& fontName, int pointSize,
                         const QColor& color) {
    QFont font(fontName);
    font.setPointSize(pointSize);
    auto* surface = new ScreenTextSurface(text, font, color);
    surface->move(at);
    surface->show();
    return surface;
}

void RemoveScreenText(QPointer<QWidget>& surface) {
    if (!surface) return;
    surface->close();
    surface = nullptr;
}
