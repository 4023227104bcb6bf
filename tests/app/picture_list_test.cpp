// The picture list built alone: the files its entries stand for, its 16-pixel entries and
// its menu's commands.
#include "app/main_window.h"
#include "app/picture_list.h"
#include "support/controls.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <gtest/gtest.h>

#include <vector>

TEST(PictureList, EntriesStandForTheirFilesAndTheMenuReportsCommands) {
    PictureList list;
    EXPECT_EQ(list.objectName(), "BitmapListBox");
    EXPECT_EQ(list.selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(list.contextMenuPolicy(), Qt::CustomContextMenu);

    list.fill("/pics/", {"1.png", "2 名字.bmp"});
    EXPECT_EQ(list.folder(), "/pics/");
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.pathOf(1), QString::fromUtf8(u8"/pics/2 名字.bmp"));
    EXPECT_TRUE(list.pathOf(2).isEmpty());
    EXPECT_TRUE(list.pathOf(-1).isEmpty());
    // A file from elsewhere keeps its own path, whatever folder the list shows.
    list.addFile("/elsewhere/far.png");
    EXPECT_EQ(list.item(2)->text(), "far.png");
    EXPECT_EQ(list.pathOf(2), "/elsewhere/far.png");
    list.fill("/other/", {"1.png"});
    EXPECT_EQ(list.count(), 1);
    EXPECT_EQ(list.pathOf(0), "/other/1.png");

    list.resize(200, 200);
    list.show();
    QApplication::processEvents();
    EXPECT_EQ(list.visualItemRect(list.item(0)).height(), 16);

    list.clearAll();
    EXPECT_EQ(list.count(), 0);
    EXPECT_TRUE(list.folder().isEmpty());

    list.applyTexts();
    EXPECT_FALSE(list.toolTip().isEmpty());
    std::vector<FormCommand> commands;
    QObject::connect(&list, &PictureList::command,
                     [&](FormCommand handler) { commands.push_back(handler); });
    const QMenu& menu = Control<QMenu>(list, "PmImgList");
    ASSERT_EQ(menu.actions().size(), qsizetype(ListMenuItems().size()));
    for (const FormMenuItem& row : ListMenuItems()) {
        SCOPED_TRACE(row.name);
        QAction& item = Control<QAction>(list, row.name);
        EXPECT_FALSE(item.text().isEmpty());
        commands.clear();
        item.trigger();
        ASSERT_EQ(commands.size(), 1u);
        EXPECT_TRUE(commands[0] == row.handler);
    }
}
