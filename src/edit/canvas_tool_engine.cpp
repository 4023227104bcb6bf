#include "edit/canvas_tool_engine.h"

#include <algorithm>
#include <limits>

bool IsLineTool(std::uint8_t tool) {
    const CanvasTool* row = FindCanvasTool(tool);
    return row && row->keepsDirection;
}

void AddToolFigure(Figure& figure, std::uint8_t tool, QPoint start, QPoint end) {
    if (const CanvasTool* row = FindCanvasTool(tool)) row->figure(figure, start, end);
}

void CanvasToolEngine::press(std::uint8_t tool, QPoint at, QRgb color) {
    p_.startX = p_.endX = at.x();
    p_.startY = p_.endY = at.y();
    pen_.color = color;
    const CanvasTool* row = FindCanvasTool(tool);
    pen_.style = row && row->dashed ? PenStyle::DashDotDot : PenStyle::Solid;
    pen_.mode = RasterMode::NotXor;
}

QRegion CanvasToolEngine::drawTool(QImage& picture, std::uint8_t tool) {
    Figure figure(picture.size(), pen_.style);
    AddToolFigure(figure, tool, QPoint(p_.startX, p_.startY), QPoint(p_.endX, p_.endY));
    return figure.draw(picture, pen_.color, pen_.mode);
}

QRegion CanvasToolEngine::drag(QImage& picture, std::uint8_t tool, QPoint to) {
    // Moving to the same point would draw and erase the same pixels.
    if (to == QPoint(p_.endX, p_.endY)) return QRegion();
    QRegion changed = drawTool(picture, tool);
    p_.endX = to.x();
    p_.endY = to.y();
    return changed.united(drawTool(picture, tool));
}

QRegion CanvasToolEngine::release(QImage& picture, std::uint8_t tool, QPoint at, QRgb color) {
    const QRegion changed = drawTool(picture, tool);
    if (!IsLineTool(tool)) {
        if (p_.startX < at.x()) {
            p_.endX = at.x();
        } else {
            p_.endX = p_.startX;
            p_.startX = at.x();
        }
        if (p_.startY < at.y()) {
            p_.endY = at.y();
        } else {
            p_.endY = p_.startY;
            p_.startY = at.y();
        }
    }
    pen_.color = color;
    return changed;
}

QRegion CanvasToolEngine::commitShape(QImage& picture, std::uint8_t tool) {
    pen_.style = PenStyle::Solid;
    return drawTool(picture, tool);
}

QRect CanvasToolEngine::selection() const {
    // The side from `from` to `to`, kept inside the integer range of a rectangle.
    const auto side = [](int from, int to) {
        const long long limit = std::numeric_limits<int>::max() - std::max(from, 0);
        return static_cast<int>(std::clamp(static_cast<long long>(to) - from, 0LL, limit));
    };
    return QRect(p_.startX, p_.startY, side(p_.startX, p_.endX), side(p_.startY, p_.endY));
}
