#include "edit/canvas_tools.h"

#include "common/text_tables.h"
#include "edit/canvas_figures.h"

#include <algorithm>

namespace {

void Box(Figure& f, QPoint start, QPoint end) {
    f.addBox(start, end);
}

void Ellipse(Figure& f, QPoint start, QPoint end) {
    f.addEllipse(start, end);
}

void RoundRect(Figure& f, QPoint start, QPoint end) {
    f.addRoundRect(start, end, RoundCornerSize(start, end));
}

void Line(Figure& f, QPoint start, QPoint end) {
    f.addLine(start, end);
}

// The head sits where the drag began.
void SingleArrow(Figure& f, QPoint start, QPoint end) {
    f.addLine(start, end);
    f.addArrowHead(end, start);
}

void DoubleArrow(Figure& f, QPoint start, QPoint end) {
    f.addLine(start, end);
    f.addArrowHead(end, start);
    f.addArrowHead(start, end);
}

// The drawing tools' buttons stand between the font button and the picture-size button.
const CanvasTool kTools[] = {
    {.id = ttText, .figure = Box, .result = ToolResult::TextBox},
    {.id = ttLine,
     .figure = Line,
     .keepsDirection = true,
     .button = "BtnAddLine",
     .glyph = "BtnAddLine",
     .left = 344,
     .width = 22,
     .hint = [] { return texts::Texts().TxtHintLine; }},
    {.id = ttSingleArrow,
     .figure = SingleArrow,
     .keepsDirection = true,
     .button = "BtnAddSingleArrow",
     .glyph = "BtnAddSingleArrow",
     .left = 365,
     .width = 21},
    {.id = ttDoubleArrow,
     .figure = DoubleArrow,
     .keepsDirection = true,
     .button = "BtnAddDoubleArrow",
     .glyph = "BtnAddDoubleArrow",
     .left = 385,
     .width = 23,
     .hint = [] { return texts::Texts().TxtHintDoubleArrow; }},
    {.id = ttCircle,
     .figure = Ellipse,
     .button = "BtnAddCircle",
     .glyph = "BtnAddCircle",
     .left = 407,
     .width = 27,
     .hint = [] { return texts::Texts().TxtHintCircle; }},
    {.id = ttRoundRec,
     .figure = RoundRect,
     .button = "BtnAddRoundRec",
     .glyph = "BtnAddRoundRec",
     .left = 431,
     .width = 26,
     .hint = [] { return texts::Texts().TxtHintRoundRect; }},
    {.id = ttRect,
     .figure = Box,
     .button = "BtnAddRECT",
     .glyph = "BtnAddRECT",
     .left = 458,
     .width = 24,
     .hint = [] { return texts::Texts().TxtHintRect; }},
    {.id = ttAreaCut, .figure = Box, .result = ToolResult::Selection, .dashed = true},
};

} // namespace

std::span<const CanvasTool> CanvasTools() {
    return kTools;
}

const CanvasTool* FindCanvasTool(std::uint8_t id) {
    if (id == ttNone) return nullptr;
    const auto row = std::find_if(std::begin(kTools), std::end(kTools),
                                  [id](const CanvasTool& t) { return t.id == id; });
    return row == std::end(kTools) ? nullptr : row;
}

QSize RoundCornerSize(QPoint a, QPoint b) {
    return QSize(static_cast<int>((static_cast<long long>(b.x()) - a.x()) / 5),
                 static_cast<int>((static_cast<long long>(b.y()) - a.y()) / 5));
}
