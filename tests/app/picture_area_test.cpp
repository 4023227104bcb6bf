// The picture area built alone: the picture and the text box on their panel, the panel
// following the picture's size, and the menu of both.
#include "app/main_window.h"
#include "app/picture_area.h"
#include "support/controls.h"
#include "widgets/image_control.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTextEdit>
#include <gtest/gtest.h>

#include <vector>

TEST(PictureArea, PictureTextBoxPanelAndMenu) {
    PictureArea area;
    EXPECT_EQ(area.objectName(), "SBDisplay");
    QWidget& panel = Control<QWidget>(area, "PnlPic");
    EXPECT_EQ(area.panel(), &panel);
    EXPECT_EQ(area.widget(), &panel);
    EXPECT_EQ(area.image(), &Control<ImageControl>(area, "ImgMain"));
    EXPECT_EQ(area.textBox(), &Control<QTextEdit>(area, "MemoText"));
    EXPECT_EQ(area.image()->parentWidget(), &panel);
    EXPECT_EQ(area.textBox()->parentWidget(), &panel);
    // The text box waits, hidden, at its first size and never scrolls sideways.
    EXPECT_TRUE(area.textBox()->isHidden());
    EXPECT_EQ(area.textBox()->size(), QSize(185, 74));
    EXPECT_EQ(area.textBox()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_FALSE(area.textBox()->acceptRichText());

    // The panel is never smaller than the picture, so the area scrolls over all of it.
    area.resize(200, 150);
    area.show();
    area.image()->resize(640, 480);
    QApplication::processEvents();
    EXPECT_EQ(panel.minimumSize(), QSize(640, 480));
    EXPECT_GE(panel.width(), 640);

    area.applyTexts();
    std::vector<FormCommand> commands;
    int aboutToShow = 0;
    QObject::connect(&area, &PictureArea::command,
                     [&](FormCommand handler) { commands.push_back(handler); });
    QObject::connect(&area, &PictureArea::menuAboutToShow, [&] { ++aboutToShow; });
    QMenu& menu = Control<QMenu>(area, "PmFont");
    ASSERT_EQ(menu.actions().size(), qsizetype(PictureMenuItems().size()));
    for (const FormMenuItem& row : PictureMenuItems()) {
        SCOPED_TRACE(row.name);
        QAction& item = Control<QAction>(area, row.name);
        EXPECT_FALSE(item.text().isEmpty());
        commands.clear();
        item.trigger();
        ASSERT_EQ(commands.size(), 1u);
        EXPECT_TRUE(commands[0] == row.handler);
    }
    emit menu.aboutToShow();
    EXPECT_EQ(aboutToShow, 1);

    // Pressed in the text box the menu offers return, confirm and cancel; on the picture,
    // adding a text.
    area.showMenuFor(true);
    EXPECT_FALSE(Control<QAction>(area, "PnAddText").isVisible());
    for (const char* name : {"PmReturn", "PmConfirmAddText", "PmCancelAddText", "MnFontSet"})
        EXPECT_TRUE(Control<QAction>(area, name).isVisible()) << name;
    area.showMenuFor(false);
    EXPECT_TRUE(Control<QAction>(area, "PnAddText").isVisible());
    for (const char* name : {"PmReturn", "PmConfirmAddText", "PmCancelAddText"})
        EXPECT_FALSE(Control<QAction>(area, name).isVisible()) << name;
    for (const char* name : {"MnFontSet", "MnBackgroundSet", "MnAddTextOK"})
        EXPECT_TRUE(Control<QAction>(area, name).isVisible()) << name;
}
