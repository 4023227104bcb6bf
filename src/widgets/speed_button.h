// A flat button that shows a glyph bitmap, like a toolbar speed button: no frame until
// the mouse is over it, pressed look while held, hint as tooltip.
#pragma once

#include <QAbstractButton>
#include <QImage>
#include <QPixmap>

// Height of the buttons of the left tool column.
inline constexpr int ToolButtonHeight = 24;

class SpeedButton : public QAbstractButton {
    Q_OBJECT
  public:
    explicit SpeedButton(QWidget* parent = nullptr);

    // The bitmap's bottom-left colour is transparent when it is the key colour.
    void setGlyph(const QImage& bitmap);
    const QImage& glyphBitmap() const { return bitmap_; }

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent*) override;
    void enterEvent(QEnterEvent*) override;
    void leaveEvent(QEvent*) override;

  private:
    QImage bitmap_;
    QPixmap glyph_;
    bool hovered_ = false;
};
