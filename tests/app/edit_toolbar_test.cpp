// The edit toolbar built alone: clicks that report the row's command or tool, and the text
// buttons that come and go. Places, hints and glyphs are checked in the window.
#include "app/edit_toolbar.h"
#include "app/main_window.h"
#include "support/controls.h"
#include "widgets/speed_button.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <vector>

TEST(EditToolbar, EveryRowIsAButtonThatReportsItsCommandOrTool) {
    EditToolbar toolbar;
    EXPECT_EQ(toolbar.objectName(), "ImgFuntoolbar");
    toolbar.resize(800, 48);
    toolbar.show();

    std::vector<FormCommand> commands;
    std::vector<std::uint8_t> tools;
    QObject::connect(&toolbar, &EditToolbar::command,
                     [&](FormCommand handler) { commands.push_back(handler); });
    QObject::connect(&toolbar, &EditToolbar::toolChosen,
                     [&](std::uint8_t tool) { tools.push_back(tool); });
    toolbar.showTextButtons(true);
    QApplication::processEvents();

    for (const FormButton& row : EditToolbarButtons()) {
        SCOPED_TRACE(row.name);
        SpeedButton& button = Control<SpeedButton>(toolbar, row.name);
        EXPECT_EQ(button.parentWidget(), &toolbar);
        commands.clear();
        tools.clear();
        button.click();
        if (row.handler) {
            ASSERT_EQ(commands.size(), 1u);
            EXPECT_TRUE(commands[0] == row.handler);
            EXPECT_TRUE(tools.empty());
        } else {
            EXPECT_TRUE(commands.empty());
            ASSERT_EQ(tools.size(), 1u);
            EXPECT_EQ(tools[0], row.tool);
            EXPECT_EQ(toolbar.toolButton(row.tool), &button);
        }
    }
    EXPECT_EQ(toolbar.toolButton(ttNone), nullptr);

    // The confirm and cancel buttons of a text are there only while one is being added.
    toolbar.showTextButtons(false);
    EXPECT_TRUE(Control<SpeedButton>(toolbar, "BtnAddTextOk").isHidden());
    EXPECT_TRUE(Control<SpeedButton>(toolbar, "BtnCancelAddText").isHidden());
    EXPECT_FALSE(Control<SpeedButton>(toolbar, "BtnZoomIn").isHidden());
    toolbar.showTextButtons(true);
    EXPECT_FALSE(Control<SpeedButton>(toolbar, "BtnAddTextOk").isHidden());
    EXPECT_FALSE(Control<SpeedButton>(toolbar, "BtnCancelAddText").isHidden());
    // A new toolbar starts without them.
    EditToolbar fresh;
    EXPECT_TRUE(Control<SpeedButton>(fresh, "BtnAddTextOk").isHidden());
    EXPECT_TRUE(Control<SpeedButton>(fresh, "BtnCancelAddText").isHidden());
}
