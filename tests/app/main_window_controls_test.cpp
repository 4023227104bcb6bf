// The main window's controls made from their tables: every row becomes one control that is
// placed, drawn, worded and wired; every drawing tool of edit/canvas_tools.h gets a button
// on the edit toolbar that arms it and draws with it.
#include "app/main_window.h"
#include "app/main_window_controls.h"
#include "support/controls.h"
#include "widgets/image_control.h"
#include "widgets/speed_button.h"
#include "widgets/tiled_panel.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

QImage White(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

} // namespace

TEST(MainWindowControls, EveryDrawingToolHasAButtonOnTheEditToolbarThatDrawsWithIt) {
    QTemporaryDir dir;
    TFrmMain form(nullptr, dir.path());
    form.showNormal();
    form.resize(1100, 700);
    QApplication::processEvents();

    int buttons = 0;
    for (const CanvasTool& tool : CanvasTools()) {
        SCOPED_TRACE(int(tool.id));
        SpeedButton* button = form.ToolButton(tool.id);
        if (!tool.button) {
            EXPECT_EQ(button, nullptr);
            continue;
        }
        ++buttons;
        ASSERT_NE(button, nullptr) << tool.button;
        EXPECT_EQ(button->objectName(), tool.button);
        EXPECT_EQ(button->parentWidget(), &Control<TiledPanel>(form, "ImgFuntoolbar"));
        // At its place in the toolbar's button row, 38 down the top bar and 22 high.
        EXPECT_EQ(button->mapTo(&Control<QWidget>(form, "SbPicName"), QPoint(0, 0)),
                  QPoint(tool.left, 38));
        EXPECT_EQ(button->size(), QSize(tool.width, 22));
        EXPECT_FALSE(button->isHidden());

        // A click arms the tool; a drag on the picture draws its figure and disarms it.
        Control<ImageControl>(form, "ImgMain").setPicture(White(300, 200));
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
        EXPECT_EQ(form.Tools().current(), tool.id);
        QTest::mousePress(&Control<ImageControl>(form, "ImgMain"), Qt::LeftButton, {},
                          QPoint(20, 20));
        QTest::mouseMove(&Control<ImageControl>(form, "ImgMain"), QPoint(70, 50));
        QTest::mouseMove(&Control<ImageControl>(form, "ImgMain"), QPoint(120, 90));
        QTest::mouseRelease(&Control<ImageControl>(form, "ImgMain"), Qt::LeftButton, {},
                            QPoint(120, 90));
        EXPECT_NE(
            Control<ImageControl>(form, "ImgMain").picture().convertToFormat(QImage::Format_RGB32),
            White(300, 200));
        EXPECT_FALSE(form.Tools().armed());
    }
    EXPECT_GT(buttons, 0);
}

TEST(MainWindowControls, EveryRowOfTheTablesIsOneControlWithItsGlyphTextAndHandler) {
    QTemporaryDir dir;
    TFrmMain form(nullptr, dir.path());

    form.showNormal();
    form.resize(1100, 700);
    // With a text being added, so that its confirm and cancel buttons are there too.
    Control<QTextEdit>(form, "MemoText").show();
    QApplication::processEvents();

    std::vector<FormButton> rows = EditToolbarButtons();
    // The middle of every edit toolbar button, where a user clicks, lies under no other one.
    for (const FormButton& row : rows) {
        const QWidget* onTop =
            Control<TiledPanel>(form, "ImgFuntoolbar").childAt(row.place.center());
        EXPECT_EQ(onTop ? onTop->objectName().toStdString() : std::string(), row.name);
    }
    for (const FormButton& row : ToolColumnButtons())
        rows.push_back(row);
    for (const FormButton& row : rows) {
        SCOPED_TRACE(row.name);
        const QList<SpeedButton*> found = form.findChildren<SpeedButton*>(row.name);
        ASSERT_EQ(found.size(), 1) << "a name two controls share";
        // A button that runs nothing would be dead.
        EXPECT_TRUE(row.handler || row.tool != ttNone);
        if (row.glyph) {
            EXPECT_FALSE(found.first()->glyphBitmap().isNull());
            EXPECT_EQ(found.first()->glyphBitmap(), ResourceGlyph(row.glyph));
        }
        EXPECT_EQ(found.first()->toolTip(), row.hint ? row.hint() : QString());
    }
    // The continuous toggle draws its own glyph.
    EXPECT_FALSE(Control<SpeedButton>(form, "BtnContinueCut2").glyphBitmap().isNull());

    struct Menu {
        QMenu* menu;
        std::span<const FormMenuItem> rows;
    };
    for (const Menu& m : {Menu{&Control<QMenu>(form, "PmFont"), PictureMenuItems()},
                          Menu{&Control<QMenu>(form, "PmImgList"), ListMenuItems()},
                          Menu{&Control<QMenu>(form, "MnOtherFunButton"), OtherFunMenuItems()}}) {
        SCOPED_TRACE(m.menu->objectName().toStdString());
        const QList<QAction*> items = m.menu->actions();
        ASSERT_EQ(items.size(), qsizetype(m.rows.size()));
        for (qsizetype i = 0; i < items.size(); ++i) {
            const FormMenuItem& row = m.rows[i];
            EXPECT_EQ(items[i]->isSeparator(), !row.name) << i;
            if (!row.name) continue;
            // The only control of the window with that name.
            EXPECT_EQ(&Control<QAction>(form, row.name), items[i]);
            EXPECT_EQ(items[i]->objectName(), row.name);
            EXPECT_FALSE(items[i]->text().isEmpty()) << row.name;
            EXPECT_EQ(items[i]->isCheckable(), row.toggle) << row.name;
            EXPECT_NE(row.handler, nullptr) << row.name;
            if (row.hint) {
                EXPECT_EQ(items[i]->toolTip(), row.hint()) << row.name;
            }
        }
    }
}
