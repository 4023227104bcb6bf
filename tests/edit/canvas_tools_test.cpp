// The table of canvas tools and the armed tool: what a row must carry for the engine and the
// edit toolbar to work with it.
#include "edit/canvas_figures.h"
#include "edit/canvas_tools.h"
#include "edit/tool_state.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

// The pixels a tool's figure covers from start to end on a 100 x 80 picture.
QImage FigureOf(const CanvasTool& tool, QPoint start, QPoint end) {
    QImage picture(100, 80, QImage::Format_RGB32);
    picture.fill(Qt::white);
    Figure figure(picture.size(), PenStyle::Solid);
    tool.figure(figure, start, end);
    figure.draw(picture, qRgb(0, 0, 0), RasterMode::Copy);
    return picture;
}

} // namespace

TEST(CanvasTools, EveryRowDrawsAndEveryButtonHasAPlaceAndAGlyph) {
    std::set<int> ids;
    std::set<std::string> buttons;
    int left = 0;
    for (const CanvasTool& tool : CanvasTools()) {
        SCOPED_TRACE(int(tool.id));
        EXPECT_NE(tool.id, ttNone);
        EXPECT_TRUE(ids.insert(tool.id).second) << "two rows share a code";
        EXPECT_EQ(FindCanvasTool(tool.id), &tool);
        ASSERT_NE(tool.figure, nullptr);
        const QImage blank = FigureOf(tool, {10, 10}, {10, 10});
        EXPECT_NE(FigureOf(tool, {10, 10}, {70, 50}), blank) << "the figure draws nothing";

        // A box tool's figure is the same from whichever corner the drag starts: the release
        // draws the box put in order over the rubber band drawn as dragged.
        if (!tool.keepsDirection) {
            const QImage ordered = FigureOf(tool, {10, 10}, {70, 50});
            EXPECT_EQ(FigureOf(tool, {70, 50}, {10, 10}), ordered);
            EXPECT_EQ(FigureOf(tool, {10, 50}, {70, 10}), ordered);
        }

        if (!tool.button) continue;
        SCOPED_TRACE(tool.button);
        EXPECT_TRUE(buttons.insert(tool.button).second) << "two tools share a button";
        ASSERT_NE(tool.glyph, nullptr);
        EXPECT_GT(tool.width, 0);
        // From the left, as the table promises.
        EXPECT_GT(tool.left, left) << "out of order";
        left = tool.left;
        EXPECT_EQ(tool.result, ToolResult::Shape) << "a button tool that draws nothing for good";
    }
    EXPECT_EQ(FindCanvasTool(ttNone), nullptr);
    EXPECT_EQ(FindCanvasTool(200), nullptr);
    // The text box and the area selection are tools without buttons of their own.
    ASSERT_NE(FindCanvasTool(ttText), nullptr);
    EXPECT_EQ(FindCanvasTool(ttText)->result, ToolResult::TextBox);
    ASSERT_NE(FindCanvasTool(ttAreaCut), nullptr);
    EXPECT_EQ(FindCanvasTool(ttAreaCut)->result, ToolResult::Selection);
    EXPECT_TRUE(FindCanvasTool(ttAreaCut)->dashed);
}

TEST(ToolState, ArmsOnlyToolsOfTheTable) {
    ToolState state;
    EXPECT_FALSE(state.armed());
    EXPECT_EQ(state.tool(), nullptr);
    state.arm(ttCircle);
    EXPECT_TRUE(state.armed());
    EXPECT_EQ(state.current(), ttCircle);
    EXPECT_EQ(state.tool(), FindCanvasTool(ttCircle));
    // A code without a row would leave a tool armed that draws nothing.
    state.arm(200);
    EXPECT_FALSE(state.armed());
    EXPECT_EQ(state.current(), ttNone);
    state.arm(ttLine);
    state.disarm();
    EXPECT_EQ(state.current(), ttNone);

    // Every window has its own.
    ToolState other;
    state.arm(ttRect);
    EXPECT_FALSE(other.armed());
}
