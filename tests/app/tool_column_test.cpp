// The left tool column built alone: its buttons and menu from the tables, the toggles of the
// menu, the commands it reports and the stacking the window relies on.
#include "app/main_window.h"
#include "app/tool_column.h"
#include "support/controls.h"
#include "update/vendor_panel.h"
#include "widgets/speed_button.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <vector>

TEST(ToolColumn, ButtonsTogglesCommandsAndStacking) {
    QTemporaryDir dir;
    ToolColumn column;
    EXPECT_EQ(column.objectName(), "SbToollBar");
    QWidget& content = Control<QWidget>(column, "ToolColumn");
    EXPECT_EQ(column.widget(), &content);
    column.applyTexts();
    column.loadGlyphs();

    std::vector<FormCommand> commands;
    QObject::connect(&column, &ToolColumn::command,
                     [&](FormCommand handler) { commands.push_back(handler); });
    for (const FormButton& row : ToolColumnButtons()) {
        SCOPED_TRACE(row.name);
        SpeedButton& button = Control<SpeedButton>(column, row.name);
        EXPECT_EQ(button.parentWidget(), &content);
        commands.clear();
        button.click();
        ASSERT_EQ(commands.size(), 1u);
        EXPECT_TRUE(commands[0] == row.handler);
    }
    for (const FormMenuItem& row : OtherFunMenuItems()) {
        if (!row.name) continue;
        SCOPED_TRACE(row.name);
        QAction& item = Control<QAction>(column, row.name);
        EXPECT_FALSE(item.text().isEmpty());
        const bool checked = item.isChecked();
        commands.clear();
        item.trigger();
        ASSERT_EQ(commands.size(), 1u);
        EXPECT_TRUE(commands[0] == row.handler);
        // A toggle is flipped by its handler, not by the menu.
        EXPECT_EQ(item.isChecked(), checked);
    }

    // The toggles, the continuous one with its button's glyph.
    QAction& clipboard = Control<QAction>(column, "BtnSaveToCB");
    QAction& continuous = Control<QAction>(column, "BtnContinueCut");
    SpeedButton& continuousButton = Control<SpeedButton>(column, "BtnContinueCut2");
    EXPECT_FALSE(column.continuous());
    EXPECT_EQ(continuousButton.glyphBitmap(), ResourceGlyph("ncCoutinueCut"));
    column.setContinuous(true);
    EXPECT_TRUE(continuous.isChecked());
    EXPECT_TRUE(column.continuous());
    EXPECT_EQ(continuousButton.glyphBitmap(), ResourceGlyph("cCoutinueCut"));
    column.setClipboardWanted(true);
    EXPECT_TRUE(clipboard.isChecked());
    EXPECT_TRUE(column.clipboardWanted());

    // The other-functions button waits for the window; then the buttons and the vendor's
    // panel stack from the top, the exit button above the panel.
    SpeedButton& otherFun = Control<SpeedButton>(column, "BtnOtherFun");
    EXPECT_TRUE(otherFun.isHidden());
    column.showOtherFunButton();
    EXPECT_FALSE(otherFun.isHidden());
    column.addVendorPanel(dir.path(), {});
    column.layOut();
    column.resize(145, 400);
    column.show();
    QApplication::processEvents();
    const SpeedButton& exit = Control<SpeedButton>(column, "BtnExit");
    const SpeedButton& area = Control<SpeedButton>(column, "BtnMouseAreatPIC");
    EXPECT_EQ(continuousButton.pos(), QPoint(6, 1));
    EXPECT_EQ(area.pos(), QPoint(3, 28));
    EXPECT_EQ(otherFun.pos(), QPoint(3, 82));
    EXPECT_EQ(exit.height(), ToolButtonHeight);
    const QWidget& panel = Control<TPnlQelSoft>(column, "PnlQelSoft");
    EXPECT_GT(panel.y(), exit.geometry().bottom());
    EXPECT_GE(content.minimumHeight(), panel.geometry().bottom());
    EXPECT_EQ(column.otherFunMenuPoint(), otherFun.mapToGlobal(QPoint(otherFun.width(), 0)));
}
