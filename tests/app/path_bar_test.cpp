// The path bar built alone: its named controls, its signals and the places the window
// relies on.
#include "app/path_bar.h"
#include "support/controls.h"
#include "widgets/speed_button.h"
#include "widgets/tiled_panel.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

TEST(PathBar, NamedControlsSignalsAndPlaces) {
    PathBar bar;
    EXPECT_EQ(bar.folderBox(), &Control<QLineEdit>(bar, "EdtPicPath"));
    EXPECT_EQ(bar.formatBox(), &Control<QComboBox>(bar, "CbPicFomat"));
    SpeedButton& openDir = Control<SpeedButton>(bar, "BtnOpenDir");
    SpeedButton& selectPath = Control<SpeedButton>(bar, "BtnSelectPath");
    QWidget& buttons = Control<QWidget>(bar, "PnlPath");
    TiledPanel& strip = Control<TiledPanel>(bar, "ImgText");
    EXPECT_EQ(strip.parentWidget(), &Control<TiledPanel>(bar, "PnlPathText"));

    bar.setFormats({".jpg", ".png"});
    EXPECT_EQ(bar.formatBox()->count(), 2);
    EXPECT_EQ(bar.formatBox()->currentText(), ".jpg");
    bar.loadGlyphs();
    EXPECT_FALSE(openDir.glyphBitmap().isNull());
    EXPECT_FALSE(selectPath.glyphBitmap().isNull());

    // Side by side from the left, 26 high, the folder box spanning the strip but 20 pixels.
    bar.layOut();
    bar.resize(900, 26);
    bar.show();
    QApplication::processEvents();
    EXPECT_EQ(bar.height(), 26);
    EXPECT_EQ(buttons.width(), 300);
    EXPECT_EQ(openDir.geometry(), QRect(3, 1, 24, ToolButtonHeight));
    EXPECT_EQ(selectPath.x(), openDir.geometry().right() + 1 + 3);
    EXPECT_EQ(bar.formatBox()->x(), selectPath.geometry().right() + 1 + 3);
    EXPECT_EQ(strip.mapTo(&bar, QPoint(0, 0)).x(), 300);
    EXPECT_EQ(bar.folderBox()->width(), strip.width() - 20);
    bar.resize(700, 26);
    QApplication::processEvents();
    EXPECT_EQ(bar.folderBox()->width(), strip.width() - 20);

    int opened = 0, chosen = 0, formats = 0;
    QObject::connect(&bar, &PathBar::openFolderClicked, [&] { ++opened; });
    QObject::connect(&bar, &PathBar::chooseFolderClicked, [&] { ++chosen; });
    QObject::connect(&bar, &PathBar::formatChosen, [&] { ++formats; });
    QTest::mouseClick(&openDir, Qt::LeftButton);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(chosen, 0);
    QTest::mouseClick(&selectPath, Qt::LeftButton);
    EXPECT_EQ(chosen, 1);
    // A format the user picks is reported; one the program sets is not.
    bar.formatBox()->setCurrentIndex(1);
    EXPECT_EQ(formats, 0);
    QTest::keyClick(bar.formatBox(), Qt::Key_Up);
    EXPECT_EQ(bar.formatBox()->currentIndex(), 0);
    EXPECT_EQ(formats, 1);
}
