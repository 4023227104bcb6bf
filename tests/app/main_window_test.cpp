#include "app/main_window.h"
#include "app/shortcut_set_dialog.h"
#include "capture/capture_toolbar.h"
#include "common/resources.h"
#include "common/text_tables.h"
#include "edit/background_dialog.h"
#include "edit/pic_param_dialog.h"
#include "edit/watermark_dialog.h"
#include "library/rename_dialog.h"
#include "support/controls.h"
#include "support/fake_programs.h"
#include "update/about_box.h"
#include "update/update_window.h"
#include "widgets/image_control.h"
#include "widgets/speed_button.h"
#include "widgets/tiled_panel.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

void WriteFile(const QString& path, const QByteArray& data) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

// The edit toolbar's button of that name; it fails the test when there is none.
SpeedButton* EditButton(const TFrmMain& form, const char* name) {
    auto* button = Control<TiledPanel>(form, "ImgFuntoolbar")
                       .findChild<SpeedButton*>(name, Qt::FindDirectChildrenOnly);
    EXPECT_NE(button, nullptr) << name;
    return button;
}

QStringList ActionNames(const QMenu* menu) {
    QStringList names;
    for (const QAction* a : menu->actions())
        names << (a->isSeparator() ? "-" : a->objectName());
    return names;
}

// The coverage of every pixel of the picture (its alpha), cut to the pixels that carry any.
QImage InkOf(const QImage& picture) {
    const QImage alpha = picture.convertToFormat(QImage::Format_Alpha8);
    QRect ink;
    for (int y = 0; y < alpha.height(); ++y)
        for (int x = 0; x < alpha.width(); ++x)
            if (alpha.pixelColor(x, y).alpha() > 0) ink |= QRect(x, y, 1, 1);
    return alpha.copy(ink);
}

// The text drawn in the font on a transparent picture.
QImage TextPicture(const QString& text, const QFont& font) {
    const QFontMetrics metrics(font);
    QImage picture(metrics.horizontalAdvance(text) + 20, metrics.height() + 20,
                   QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QPoint(10, 10 + metrics.ascent()), text);
    return picture;
}

} // namespace

TEST(MainWindow, FormHasItsRegionsToolbarsTextsAndMenus) {
    QTemporaryDir dir;
    TFrmMain form(nullptr, dir.path());
    EXPECT_EQ(form.windowTitle(), QString::fromUtf8(u8"QEL屏幕截图助手3.3 "));
    EXPECT_TRUE(form.windowState() & Qt::WindowMaximized);
    form.showNormal();
    form.resize(1100, 700);
    QApplication::processEvents();

    EXPECT_EQ(Control<TiledPanel>(form, "PnlTop").height(), 12);
    EXPECT_EQ(Control<TiledPanel>(form, "PnlLeft").width(), 10);
    EXPECT_EQ(Control<QWidget>(form, "SbPicName").height(), 74);
    EXPECT_EQ(Control<QLabel>(form, "PnlHint").height(), 25);
    EXPECT_EQ(Control<QWidget>(form, "SbLeft").width(), 289);
    // The folder box follows the path bar's width.
    EXPECT_EQ(Control<QLineEdit>(form, "EdtPicPath").width(),
              Control<TiledPanel>(form, "ImgText").width() - 20);

    // Edit toolbar buttons at their places, 22 high at 38 in the top bar, with hints.
    EXPECT_EQ(Control<SpeedButton>(form, "BtnAddText")
                  .mapTo(&Control<QWidget>(form, "SbPicName"), QPoint(0, 0)),
              QPoint(300, 38));
    EXPECT_EQ(Control<SpeedButton>(form, "BtnFileScreen").geometry().size(), QSize(22, 22));
    EXPECT_EQ(EditButton(form, "BtnAddCircle")
                  ->mapTo(&Control<QWidget>(form, "SbPicName"), QPoint(0, 0))
                  .x(),
              407);
    EXPECT_EQ(Control<SpeedButton>(form, "BtnZoomIn").toolTip(), QString::fromUtf8(u8"放大图片"));
    EXPECT_TRUE(EditButton(form, "BtnAddSingleArrow")->toolTip().isEmpty());
    EXPECT_FALSE(EditButton(form, "BtnAddLine")->glyphBitmap().isNull());

    // Left tool column stacked from the top.
    EXPECT_EQ(Control<SpeedButton>(form, "BtnContinueCut2").pos(), QPoint(6, 1));
    EXPECT_EQ(Control<SpeedButton>(form, "BtnMouseAreatPIC").pos(), QPoint(3, 28));
    EXPECT_EQ(Control<SpeedButton>(form, "BtnOtherFun").pos(), QPoint(3, 82));
    EXPECT_EQ(Control<SpeedButton>(form, "BtnExit").geometry(), QRect(3, 163, 122, 24));
    EXPECT_EQ(Control<SpeedButton>(form, "BtnOpenDir").x(), 3);
    EXPECT_EQ(Control<SpeedButton>(form, "BtnSelectPath").x(),
              Control<SpeedButton>(form, "BtnOpenDir").geometry().right() + 1 + 3);

    EXPECT_EQ(ActionNames(&Control<QMenu>(form, "PmFont")),
              QStringList({"PnAddText", "MnFontSet", "MnBackgroundSet", "PmReturn",
                           "PmConfirmAddText", "PmCancelAddText", "MnAddTextOK"}));
    EXPECT_EQ(
        ActionNames(&Control<QMenu>(form, "PmImgList")),
        QStringList({"MnSaveImg", "PmOpenInPaint", "MnDeletePic", "MnRenamePic", "MnClearPic"}));
    EXPECT_EQ(
        ActionNames(&Control<QMenu>(form, "MnOtherFunButton")),
        QStringList({"MnAddWaterMark", "MnWaterMarkSet", "-", "MnImgSaveAs", "MnDeleteImg",
                     "MnOpenImg", "MnRenameImg", "MnOpenInPaintBox", "MnFullScreenDis",
                     "MnSaveToClipbrd", "-", "BtnSaveToCB", "BtnContinueCut", "MnHotkeySet"}));
    EXPECT_EQ(Control<QAction>(form, "MnFullScreenDis").text(),
              QString::fromUtf8(u8"图片全屏显示"));
    EXPECT_EQ(Control<QAction>(form, "BtnSaveToCB").text(),
              QString::fromUtf8(u8"截图自动放入剪贴板"));
    EXPECT_EQ(Control<QAction>(form, "MnAddTextOK").text(), QString::fromUtf8(u8"保存加入文本"));

    // Seven formats, the first selected by default.
    ASSERT_EQ(Control<QComboBox>(form, "CbPicFomat").count(), 7);
    EXPECT_EQ(Control<QComboBox>(form, "CbPicFomat").itemText(6), ".ico");
    EXPECT_EQ(Control<QComboBox>(form, "CbPicFomat").currentIndex(), 0);
}

TEST(MainWindow, TogglesFlipOnceAndTheContinuousGlyphFollows) {
    QTemporaryDir dir;
    TFrmMain form(nullptr, dir.path());
    QImage on, off;
    LoadResBitmap(on, "cCoutinueCut");
    LoadResBitmap(off, "ncCoutinueCut");
    ASSERT_NE(on, off);
    EXPECT_FALSE(Control<QAction>(form, "BtnContinueCut").isChecked());
    EXPECT_EQ(Control<SpeedButton>(form, "BtnContinueCut2").glyphBitmap(), off);

    QTest::mouseClick(&Control<SpeedButton>(form, "BtnContinueCut2"), Qt::LeftButton);
    EXPECT_TRUE(Control<QAction>(form, "BtnContinueCut").isChecked());
    EXPECT_EQ(Control<SpeedButton>(form, "BtnContinueCut2").glyphBitmap(), on);
    // The menu item runs the same handler.
    Control<QAction>(form, "BtnContinueCut").trigger();
    EXPECT_FALSE(Control<QAction>(form, "BtnContinueCut").isChecked());
    EXPECT_EQ(Control<SpeedButton>(form, "BtnContinueCut2").glyphBitmap(), off);

    const bool clip = Control<QAction>(form, "BtnSaveToCB").isChecked();
    Control<QAction>(form, "BtnSaveToCB").trigger();
    EXPECT_EQ(Control<QAction>(form, "BtnSaveToCB").isChecked(), !clip);
    Control<QAction>(form, "BtnSaveToCB").trigger();
    EXPECT_EQ(Control<QAction>(form, "BtnSaveToCB").isChecked(), clip);
}

TEST(MainWindow, EscapeDisarmsToolAndLeavesFullScreenView) {
    QTemporaryDir dir;
    TFrmMain form(nullptr, dir.path());
    form.show();
    QApplication::processEvents();

    form.Tools().arm(ttRect);
    QTest::keyRelease(&form, Qt::Key_Escape);
    EXPECT_EQ(form.Tools().current(), ttNone);

    form.FullScreenMenuItemClick();
    EXPECT_TRUE(form.InFullScreenView());
    EXPECT_TRUE(Control<QWidget>(form, "SbLeft").isHidden());
    EXPECT_TRUE(Control<QWidget>(form, "SbPicName").isHidden());
    EXPECT_TRUE(Control<QLabel>(form, "PnlHint").isHidden());
    EXPECT_TRUE(Control<QTimer>(form, "TimerHint").isActive());
    EXPECT_EQ(Control<QTimer>(form, "TimerHint").interval(), 3000);
    // The hint is written onto the screen, in a window of its own that lets the mouse
    // through: the Esc text in green, from the left part of the screen's middle line.
    QWidget* hint = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != &form && w->isVisible() && w->windowFlags() & Qt::WindowTransparentForInput)
            hint = w;
    ASSERT_NE(hint, nullptr) << "no hint on the screen";
    const QRect screen = form.screen()->geometry();
    EXPECT_EQ(hint->x(), 100);
    EXPECT_EQ(hint->y(), screen.height() / 2);
    EXPECT_TRUE(screen.contains(hint->geometry()));
    const QImage shown = hint->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    const QColor green(0, 128, 0);
    int solid = 0, otherColour = 0;
    QColor other;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            const QColor c = shown.pixelColor(x, y);
            if (c.alpha() < 255) continue;
            ++solid;
            if (c != green) ++otherColour, other = c;
        }
    EXPECT_GT(solid, 100);
    EXPECT_EQ(otherColour, 0) << "glyph pixels in " << other.name().toStdString();
    EXPECT_TRUE(InkOf(shown) ==
                InkOf(TextPicture(QString::fromUtf8(u8"按下『Esc』可退出全屏模式"), hint->font())))
        << "the hint does not show the Esc text";

    // Escape from the folder box reaches the form's key handler too.
    Control<QLineEdit>(form, "EdtPicPath").setFocus();
    QTest::keyRelease(&Control<QLineEdit>(form, "EdtPicPath"), Qt::Key_Escape);
    EXPECT_FALSE(form.InFullScreenView());
    EXPECT_FALSE(Control<QWidget>(form, "SbLeft").isHidden());
    EXPECT_FALSE(Control<QWidget>(form, "SbPicName").isHidden());
    EXPECT_FALSE(form.windowState() & Qt::WindowMaximized);

    form.TimerHintTimer();
    EXPECT_FALSE(Control<QTimer>(form, "TimerHint").isActive());
}

TEST(MainWindow, OtherFunctionsMenuOpensBesideItsButtonWhereverTheFormStands) {
    QTemporaryDir dir;
    TFrmMain form(nullptr, dir.path());
    form.showNormal();
    form.resize(700, 500);
    QMenu* menu = &Control<QMenu>(form, "MnOtherFunButton");
    for (const QPoint at : {QPoint(0, 0), QPoint(40, 30), QPoint(140, 90), QPoint(90, 20)}) {
        form.move(at);
        QApplication::processEvents();
        QTest::mouseClick(&Control<SpeedButton>(form, "BtnOtherFun"), Qt::LeftButton);
        ASSERT_TRUE(menu->isVisible()) << "no menu with the form at " << at.x() << ", " << at.y();
        // The button on the screen; the menu opens at its right edge, level with its top.
        const QRect button(Control<SpeedButton>(form, "BtnOtherFun").mapToGlobal(QPoint(0, 0)),
                           Control<SpeedButton>(form, "BtnOtherFun").size());
        EXPECT_EQ(menu->geometry().left(), button.right() + 1) << "form at " << at.x();
        EXPECT_EQ(menu->geometry().top(), button.top()) << "form at " << at.y();
        menu->hide();
    }
}

TEST(MainWindow, StartTakesThePictureFolderOfThePreviousRun) {
    QTemporaryDir dir;
    const QString appDir = dir.path() + "/";
    ASSERT_TRUE(QDir(appDir).mkpath("pics"));
    WriteFile(appDir + "pics/shot.png", "png");
    WriteFile(appDir + "pics/upper.JPG", "jpg");
    // Programs the form starts are recording stand-ins; nothing else is within reach.
    FakePrograms fakes({"xdg-open"}, true);

    auto start = [&](const QString& curPic) {
        WriteFile(appDir + "defualt.ini", ("[default]\nPicPath= " + appDir + "stored \n" +
                                           "PicFormat=1\nCurPicName=" + curPic + "\n")
                                              .toUtf8());
        return std::make_unique<TFrmMain>(nullptr, dir.path());
    };
    {
        // The picture exists: its folder is taken and the format box follows its extension.
        auto form = start(appDir + "pics/shot.png");
        EXPECT_EQ(Control<QLineEdit>(*form, "EdtPicPath").text(), appDir + "pics/");
        EXPECT_EQ(Control<QComboBox>(*form, "CbPicFomat").currentIndex(), 3);
    }
    {
        // ".JPG" differs from ".jpg": the stored selection stays. The JPEG it cannot read
        // goes to the desktop's program for it.
        auto form = start(appDir + "pics/upper.JPG");
        EXPECT_EQ(Control<QLineEdit>(*form, "EdtPicPath").text(), appDir + "pics/");
        EXPECT_EQ(Control<QComboBox>(*form, "CbPicFomat").currentIndex(), 1);
        const QList<QStringList> opened = fakes.waitForCalls("xdg-open");
        ASSERT_EQ(opened.size(), 1) << "the desktop opener was not asked for the JPEG";
        EXPECT_EQ(opened.first().join(' ').toStdString(),
                  (appDir + "pics/upper.JPG").toStdString());
    }
    {
        // The picture was deleted but its folder remains: the stored folder text is shown.
        auto form = start(appDir + "pics/gone.png");
        EXPECT_EQ(Control<QLineEdit>(*form, "EdtPicPath").text(), appDir + "stored");
    }
    {
        // No folder: the program's own folder.
        auto form = start(appDir + "nowhere/x.png");
        EXPECT_EQ(Control<QLineEdit>(*form, "EdtPicPath").text(), appDir);
    }
    // Each form saved its settings when it was destroyed.
    QFile ini(appDir + "defualt.ini");
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(ini.readAll());
    EXPECT_TRUE(text.contains("PicPath=" + appDir + "\n"));
    EXPECT_TRUE(text.contains("[hotkey]"));
    // The unreadable PNG and the pictures that are gone started nothing.
    EXPECT_EQ(fakes.calls("xdg-open").size(), 1);
}

TEST(MainWindow, FixedSizeWindowsOfferOnlyTheirCloseBox) {
    QTemporaryDir dir;
    TFrmMain form(nullptr, dir.path());
    std::vector<std::unique_ptr<QWidget>> windows;
    windows.emplace_back(new TFrmPicParam(&form));
    windows.emplace_back(new TFrmBackgroundSet(&form));
    windows.emplace_back(new TFrmWaterMarkSet(form.Context().watermark, &form));
    windows.emplace_back(new TFrmReName(&form));
    windows.emplace_back(new TFrmShortcutSet(form.Context().hotkeys, &form));
    windows.emplace_back(new TFrmVersion(&form));
    windows.emplace_back(new TFrmUpdate(&form, dir.path()));
    windows.emplace_back(new TFrmToolBar(&form.Capture()));
    for (const auto& window : windows) {
        SCOPED_TRACE(window->metaObject()->className());
        const Qt::WindowFlags flags = window->windowFlags();
        EXPECT_TRUE(window->isWindow());
        EXPECT_EQ(window->minimumSize(), window->maximumSize());
        // Without the customise hint the window manager is asked for every button.
        EXPECT_TRUE(flags & Qt::CustomizeWindowHint);
        EXPECT_TRUE(flags & Qt::WindowTitleHint);
        EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
        EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    }
}
