// A panel painted with a background colour and, over it, an image tiled or drawn once.
#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>

class TiledPanel : public QWidget {
  public:
    enum class Mode { Tile, Once };
    explicit TiledPanel(QWidget* parent = nullptr, const QColor& color = QColor(245, 250, 254));

    void setImage(const QImage& image, Mode mode = Mode::Tile);
    const QImage& image() const { return image_; }

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    QColor color_;
    QImage image_;
    QPixmap tile_;
    Mode mode_ = Mode::Tile;
};
