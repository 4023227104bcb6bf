// Outline figures drawn straight into a picture with the conventions of the Windows drawing
// calls: a 1-pixel pen, no fill, a box (X1,Y1)-(X2,Y2) covering X1..X2-1 x Y1..Y2-1 (either
// corner order), an ellipse inscribed in its box, a line drawing its start point but not its
// end point. A figure touches each of its pixels exactly once, so drawing it twice with the
// inverting mode gives the picture back byte for byte. Nothing outside the picture is read or
// written.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QRgb>

#include <array>
#include <optional>
#include <vector>

enum class PenStyle { Solid, DashDotDot };
enum class RasterMode {
    Copy,  // the pixel takes the pen colour
    NotXor // the pixel becomes NOT(pen XOR pixel), on the colour bytes only
};

struct CanvasPen {
    QRgb color = qRgb(255, 0, 0);
    PenStyle style = PenStyle::Solid;
    RasterMode mode = RasterMode::Copy;
};

// A run of pixels x0..x1 (inclusive) in row y.
struct PixelSpan {
    int y = 0;
    int x0 = 0;
    int x1 = 0;
};

// The pixels of one figure made of several outlines and lines, clipped to a picture of the
// given size. Pixels shared by two parts (the tip of an arrow and its shaft) count once.
class Figure {
  public:
    Figure(QSize picture, PenStyle style);

    void addBox(QPoint a, QPoint b);
    void addEllipse(QPoint a, QPoint b);
    // Rounded corners drawn with a corner ellipse of corner.width() x corner.height() (signs
    // ignored, at most the box's size).
    void addRoundRect(QPoint a, QPoint b, QSize corner);
    void addLine(QPoint a, QPoint b);
    // The two barbs of an arrow head whose tip is q and whose shaft runs towards p.
    void addArrowHead(QPoint p, QPoint q);

    // Everything added, before clipping; empty when nothing would be drawn.
    QRect bounds() const { return bounds_; }
    // The visible pixels, rows ascending, each pixel in exactly one span.
    const std::vector<PixelSpan>& spans();
    // Applies the pen colour with `mode` to every visible pixel once. Returns the changed area
    // as a few rectangles covering those pixels.
    QRegion draw(QImage& picture, QRgb color, RasterMode mode);

  private:
    void addSegment(QPoint a, QPoint b);
    void addPixel(int x, int y);
    void addRun(int y, long long x0, long long x1);
    void addRounded(QPoint a, QPoint b, int cornerW, int cornerH);
    void addStyledBox(int x0, int y0, int w, int h);
    void addStyledClosed(std::vector<PixelSpan> outline, QPointF centre, QPointF start);
    void include(const QRect& r);

    QSize size_;
    PenStyle style_;
    QRect bounds_;
    std::vector<PixelSpan> spans_;
    bool merged_ = true;
};

// Single figures drawn with a pen; each returns the changed area.
QRegion DrawBox(QImage& picture, QPoint a, QPoint b, const CanvasPen& pen);
QRegion DrawEllipse(QImage& picture, QPoint a, QPoint b, const CanvasPen& pen);
QRegion DrawRoundRect(QImage& picture, QPoint a, QPoint b, QSize corner, const CanvasPen& pen);
QRegion DrawLine(QImage& picture, QPoint a, QPoint b, const CanvasPen& pen);
QRegion DrawArrowHead(QImage& picture, QPoint p, QPoint q, const CanvasPen& pen);

// End points of the two barbs of an arrow head with tip q and shaft towards p: the unit
// vector from q to p turned by +-atan(1/2) and scaled to 10 * sqrt(1.25) pixels, computed
// in floating point and truncated toward zero. None when p and q coincide.
std::optional<std::array<QPoint, 2>> ArrowBarbEnds(QPoint p, QPoint q);

// Brings a picture into a pixel format the figures draw on (32-bit RGB, 32-bit ARGB or
// 24-bit RGB); others are converted once. False for an empty picture.
bool MakeDrawable(QImage& picture);

// The part of `picture` under `selection`, same pixel format; what lies outside the picture
// is black. An empty selection gives an empty (0x0) picture.
QImage CropPicture(const QImage& picture, QRect selection);
