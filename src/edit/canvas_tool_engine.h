// The drag of a canvas tool on the main picture: a rubber band drawn with the inverting pen
// while the mouse moves (drawing it again erases it), the box put in order on release and
// the final figure of the shape tools.
#pragma once

#include "edit/canvas_figures.h"
#include "edit/canvas_tools.h"

#include <cstdint>

// The tools that keep the direction of the drag (lines and arrows); every other tool works
// on a box that the release puts in order.
bool IsLineTool(std::uint8_t tool);

// Adds what `tool` draws from start to end (its row's figure): its rubber band and its
// final figure alike. Nothing for a code without a row.
void AddToolFigure(Figure& figure, std::uint8_t tool, QPoint start, QPoint end);

// The press point and the current drag point; the window holds the numbers.
struct DragPoints {
    int& startX;
    int& startY;
    int& endX;
    int& endY;
};

class CanvasToolEngine {
  public:
    explicit CanvasToolEngine(DragPoints points) : p_(points) {}

    // A press with a tool armed: the drag starts and ends at `at`; the pen becomes 1 pixel,
    // inverting, solid (dash-dot-dot for a dashed tool: the area selection) in `color`.
    void press(std::uint8_t tool, QPoint at, QRgb color);
    // A move with the left button down: the rubber band moves to `to`. Returns the changed
    // area of the picture.
    QRegion drag(QImage& picture, std::uint8_t tool, QPoint to);
    // The release at `at`: erases the rubber band, puts the box of a box tool in order with
    // the release point (line tools end at the last move point) and takes `color` as the pen
    // colour again. Returns the changed area.
    QRegion release(QImage& picture, std::uint8_t tool, QPoint at, QRgb color);
    // Draws the final figure of a shape tool with a solid pen; the mode stays inverting.
    QRegion commitShape(QImage& picture, std::uint8_t tool);
    // The dragged box after the release.
    QRect selection() const;
    void setCopyMode() { pen_.mode = RasterMode::Copy; }
    const CanvasPen& pen() const { return pen_; }

  private:
    QRegion drawTool(QImage& picture, std::uint8_t tool);

    DragPoints p_;
    CanvasPen pen_;
};
