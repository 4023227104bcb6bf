// The canvas tools, one row each: what a drag with the tool draws on a picture, what its
// release leaves, and the tool's button on the main window's edit toolbar. A new drawing
// tool is a row of the table in canvas_tools.cpp and the function that draws its figure.
#pragma once

#include <QPoint>
#include <QSize>
#include <QString>

#include <cstdint>
#include <span>

class Figure;

// The tools' codes; ttNone is no tool.
enum ToolTypeCode : std::uint8_t {
    ttNone = 0,
    ttText = 1,
    ttRect = 2,
    ttCircle = 3,
    ttLine = 4,
    ttAreaCut = 5,
    ttRoundRec = 6,
    ttSingleArrow = 7,
    ttDoubleArrow = 8,
};

// What the release of a drag with the tool leaves.
enum class ToolResult : std::uint8_t {
    Shape,     // the figure, drawn for good into the picture
    TextBox,   // the text box, placed on the dragged box
    Selection, // the dragged box as a selection; the picture stays as it was
};

struct CanvasTool {
    std::uint8_t id = ttNone;
    // Adds the tool's figure from the press point to the drag point: the rubber band while
    // the mouse moves and, for a shape, the figure drawn on release.
    void (*figure)(Figure& figure, QPoint start, QPoint end) = nullptr;
    ToolResult result = ToolResult::Shape;
    // Lines and arrows keep the direction of the drag; the box of every other tool is put
    // in order by the release.
    bool keepsDirection = false;
    // The rubber band is dash-dot-dot rather than solid.
    bool dashed = false;
    // The tool's own button on the edit toolbar: object name, glyph bitmap, left and width
    // within the toolbar, and its hint (none when null). No name, no button.
    const char* button = nullptr;
    const char* glyph = nullptr;
    int left = 0;
    int width = 0;
    QString (*hint)() = nullptr;
};

// Every tool; those with a button in the order of their buttons from the left.
std::span<const CanvasTool> CanvasTools();

// The row of a tool; null for ttNone and for codes no row has.
const CanvasTool* FindCanvasTool(std::uint8_t id);

// The corner ellipse of a rounded rectangle drawn from a to b: a fifth of each side,
// truncated toward zero (negative for a reversed drag; the figure ignores the sign).
QSize RoundCornerSize(QPoint a, QPoint b);
