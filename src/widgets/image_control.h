// The picture control: shows a bitmap either at its natural size (auto-size) or
// stretched over the control.
#pragma once

#include <QImage>
#include <QRegion>
#include <QWidget>

class ImageControl : public QWidget {
    Q_OBJECT
  public:
    explicit ImageControl(QWidget* parent = nullptr);

    bool hasPicture() const { return !picture_.isNull(); }
    QImage& picture() { return picture_; }
    const QImage& picture() const { return picture_; }
    // Replaces the picture; with auto-size on, the control takes the picture's size.
    void setPicture(const QImage& image);
    void clearPicture();
    // Call after drawing on picture() directly; `area` in picture coordinates.
    void pictureChanged(const QRect& area = QRect());
    // The same for a changed area made of several pieces; an empty one repaints nothing.
    void pictureChanged(const QRegion& area);

    // The picture pixel under a point of the control: the control may show the picture
    // stretched, and a point may fall between device pixels on a scaled desktop.
    QPoint pictureAt(QPointF at) const;

    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool on);
    bool stretch() const { return stretch_; }
    void setStretch(bool on);

  protected:
    void paintEvent(QPaintEvent* e) override;

  private:
    void fitToPicture();

    QImage picture_;
    bool autoSize_ = true;
    bool stretch_ = false;
};
