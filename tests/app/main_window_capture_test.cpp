// The main window as the host of its captures, with a grabber that hands out prepared
// pictures: what it shows, saves, copies and lists after each kind of capture, how it comes
// back, and what a command does when its check or its grab fails.
#include "app/main_window_library_fixture.h"
#include "capture/capture_session.h"
#include "capture/capture_toolbar.h"
#include "capture/frozen_screen.h"
#include "common/picture_formats.h"
#include "common/text_tables.h"
#include "support/controls.h"
#include "support/fake_capture.h"
#include "support/private_home.h"
#include "widgets/image_control.h"
#include "widgets/speed_button.h"
#include "widgets/tiled_panel.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollArea>
#include <QSplitter>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QImage Solid(const QColor& color, QSize size = QSize(40, 30)) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

// The screen the fake grabber hands out: white with a red pixel at (60, 40).
QImage Screen() {
    QImage screen = Solid(Qt::white, QSize(200, 150));
    screen.setPixelColor(60, 40, Qt::red);
    return screen;
}

// A drag on the frozen screen, from press to release, as the mouse would do it.
void DragSelection(TFrmMain& form, QPoint from, QPoint to) {
    FrozenScreen* frozen = form.Capture().frozenScreen();
    ASSERT_NE(frozen, nullptr);
    frozen->press(from);
    frozen->move(to, true);
    frozen->release(to);
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The form's captures come from `log`-recording fake grabs of `pictures`.
void FakeScreen(TFrmMain& form, QStringList& log, QList<QImage> pictures) {
    form.Capture().setGrabber(std::make_unique<FakeGrabber>(log, pictures));
}

// Lets the event loop run for a while: layouts, posted calls and zero timers, and what
// they post in turn, all take place.
void LetEventsRun() {
    QTest::qWait(200);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

TEST(CaptureCommands, AreaCaptureEndsSavedCopiedListedAndBackAsItWas) {
    LibraryForm f({{"img1.png"}}, QString(), 3);
    TFrmMain& form = f.start();
    QStringList log;
    FakeScreen(form, log, {Screen(), Screen()});
    form.Settings().autoSavePre = "img";
    Control<QAction>(form, "BtnSaveToCB").setChecked(true);
    QGuiApplication::clipboard()->clear();
    const WId id = form.winId();
    const int listLeft = Control<QScrollArea>(form, "SBDisplay").mapTo(&form, QPoint(0, 0)).x();

    // An editor tool armed before the capture.
    form.ToolButton(ttRect)->click();
    form.GrabMenuClick();
    ASSERT_TRUE(form.Capture().frozen());
    EXPECT_FALSE(form.isVisible());
    // The frozen screen is a window of its own over the screen; the main window keeps its
    // frame and layer.
    const QList<QWidget*> frozen = form.Capture().frozenScreen()->windows();
    ASSERT_FALSE(frozen.isEmpty());
    EXPECT_TRUE(frozen.first()->isVisible());
    EXPECT_TRUE(frozen.first()->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(form.windowFlags() & (Qt::WindowStaysOnTopHint | Qt::FramelessWindowHint));
    // The drag hint beside the cursor; no desktop hotkeys off-screen: the conflict text.
    auto* hint = frozen.first()->findChild<QLabel*>("PnlAreaCutHint");
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(hint->isVisible());
    EXPECT_EQ(hint->text().toStdString(), "按住左键不放选择截图区域");
    EXPECT_EQ(Control<QLabel>(form, "PnlHint").text(), texts::Texts().TxtHotkeyConflict);
    // It follows the pointer, just above and to the right of it without covering it: dark
    // letters in a dark box on light yellow paper.
    for (const QPoint pointer : {QPoint(90, 70), QPoint(150, 120)}) {
        form.Capture().frozenScreen()->move(pointer, false);
        const QRect placed = hint->geometry();
        EXPECT_FALSE(placed.contains(pointer));
        EXPECT_GT(placed.left(), pointer.x());
        EXPECT_LE(placed.left(), pointer.x() + 16);
        EXPECT_LT(placed.bottom(), pointer.y());
        EXPECT_GE(placed.bottom(), pointer.y() - 4);
    }
    const QImage look = hint->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(look.pixelColor(3, 3).name().toStdString(), "#ffffe1") << "the paper";
    EXPECT_EQ(look.pixelColor(0, look.height() / 2).name().toStdString(), "#000000") << "the frame";
    int dark = 0;
    for (int y = 2; y < look.height() - 2; ++y)
        for (int x = 2; x < look.width() - 2; ++x)
            if (look.pixelColor(x, y).lightness() < 100) ++dark;
    EXPECT_GT(dark, 30) << "no letters in the hint";

    // Dragged backwards: the selection is put in order.
    DragSelection(form, QPoint(110, 90), QPoint(60, 40));
    EXPECT_FALSE(form.Capture().frozen());
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.winId(), id);
    EXPECT_EQ(form.Tools().current(), ttNone);

    // Saved under the next name, listed and selected, and on the clipboard.
    const QString saved = f.pics() + "img2.png";
    EXPECT_EQ(form.CurPicName(), saved);
    QImage back;
    ASSERT_TRUE(back.load(saved));
    EXPECT_EQ(back.size(), QSize(50, 50));
    EXPECT_EQ(back.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(Control<ImageControl>(form, "ImgMain").picture().size(), QSize(50, 50));
    EXPECT_EQ(f.entries(), QStringList({"img1.png", "img2.png"}));
    ASSERT_EQ(Control<QListWidget>(form, "BitmapListBox").selectedItems().size(), 1);
    EXPECT_EQ(Control<QListWidget>(form, "BitmapListBox").selectedItems().first()->text(),
              "img2.png");
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(50, 50));
    EXPECT_EQ(Control<QLabel>(form, "PnlHint").text(), QString::fromUtf8(u8"已保存图片为") + saved);
    // The bar between the list and the picture stays away once the window has laid itself
    // out: the picture moves left by its width, and nothing is there to drag.
    LetEventsRun();
    EXPECT_EQ(Control<QScrollArea>(form, "SBDisplay").mapTo(&form, QPoint(0, 0)).x(), listLeft - 6);
    EXPECT_TRUE(Control<QSplitter>(form, "Splitter1").handle(1)->isHidden());

    // With the clipboard toggle off, the next capture leaves the clipboard alone.
    Control<QAction>(form, "BtnSaveToCB").setChecked(false);
    QGuiApplication::clipboard()->clear();
    form.StartAreaCapture();
    DragSelection(form, QPoint(10, 10), QPoint(30, 20));
    EXPECT_TRUE(QFileInfo::exists(f.pics() + "img3.png"));
    EXPECT_TRUE(QGuiApplication::clipboard()->image().isNull());
    // The full-screen view and its way back: the panels come back as a group, the bar
    // does not.
    form.FullScreenMenuItemClick();
    LetEventsRun();
    ASSERT_TRUE(form.InFullScreenView());
    EXPECT_TRUE(Control<QWidget>(form, "SbLeft").isHidden());
    form.RestoreMainWindow();
    LetEventsRun();
    for (QWidget* w : QList<QWidget*>{
             &Control<TiledPanel>(form, "PnlTop"), &Control<TiledPanel>(form, "PnlLeft"),
             &Control<TiledPanel>(form, "PnlRight"), &Control<QLabel>(form, "PnlHint"),
             &Control<QWidget>(form, "SbLeft"), &Control<QWidget>(form, "SbPicName"),
             &Control<TiledPanel>(form, "PnlBottom"),
             Control<QSplitter>(form, "SplitterTop").handle(1)})
        EXPECT_FALSE(w->isHidden()) << w->objectName().toStdString();
    EXPECT_TRUE(Control<QSplitter>(form, "Splitter1").handle(1)->isHidden());
    EXPECT_EQ(Control<QScrollArea>(form, "SBDisplay").mapTo(&form, QPoint(0, 0)).x(), listLeft - 6);
    form.TimerHintTimer();
}

TEST(CaptureCommands, ContinuousRunSavesEachCaptureAndWaitsHidden) {
    PrivateHome home; // the delete below goes to a private trash
    LibraryForm f({{"img1.png"}}, QString(), 3);
    TFrmMain& form = f.start();
    QStringList log;
    FakeScreen(form, log, QList<QImage>(3, Solid(Qt::blue, QSize(200, 150))));
    form.Settings().autoSavePre = "img";
    Control<QAction>(form, "BtnSaveToCB").setChecked(true);
    Control<QAction>(form, "BtnContinueCut").setChecked(true);
    QGuiApplication::clipboard()->clear();

    form.GrabMenuClick();
    TFrmToolBar* bar = form.Capture().toolbar();
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(form.Capture().runActive());
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->LblHint->text(), texts::Texts().TxtToolbarAreaHint);

    for (int i = 0; i < 3; ++i) {
        if (i > 0) QTest::mouseClick(bar->BtnSpMouseCutScreen, Qt::LeftButton);
        ASSERT_TRUE(form.Capture().frozen());
        DragSelection(form, QPoint(10, 10), QPoint(50 + i, 40));
        // Saved and listed in the toolbar; the window stays hidden.
        EXPECT_FALSE(form.isVisible());
        EXPECT_FALSE(form.Capture().frozen());
        EXPECT_TRUE(bar->isVisible());
    }
    EXPECT_TRUE(QFileInfo::exists(f.pics() + "img4.png"));
    ASSERT_EQ(bar->LbImgs->count(), 3);
    EXPECT_EQ(bar->LbImgs->item(2)->text(), "img4.png");
    EXPECT_EQ(bar->LbImgs->currentRow(), 2);
    // A run never copies to the clipboard, whatever the toggle says.
    EXPECT_TRUE(QGuiApplication::clipboard()->image().isNull());

    // Closing the toolbar ends the run and brings the window back, its list showing the
    // run's captures and the last one.
    bar->close();
    EXPECT_FALSE(form.Capture().runActive());
    EXPECT_EQ(form.Tools().current(), ttNone);
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(form.windowFlags() & Qt::WindowStaysOnTopHint);
    ASSERT_EQ(f.entries(), QStringList({"img1.png", "img2.png", "img3.png", "img4.png"}));
    EXPECT_EQ(Control<ImageControl>(form, "ImgMain").picture().size(), QSize(42, 30));

    // A delete in the picture list empties the toolbar's list.
    f.click(3);
    ASSERT_TRUE(Control<QListWidget>(form, "BitmapListBox").item(3)->isSelected());
    form.DeleteSelectedPics();
    EXPECT_FALSE(QFileInfo::exists(f.pics() + "img4.png"));
    EXPECT_EQ(bar->LbImgs->count(), 0);
}

TEST(CaptureCommands, CapturesTakeTheScreensColoursNotThoseOfTheShownPicture) {
    LibraryForm f({{"img1.png"}}, QString(), 3);
    TFrmMain& form = f.start();
    QStringList log;
    QImage screen = Solid(QColor(200, 30, 40), QSize(64, 48));
    FakeScreen(form, log, {screen});
    form.Settings().autoSavePre = "img";
    // A grey picture on display.
    Control<ImageControl>(form, "ImgMain")
        .setPicture(Solid(Qt::gray).convertToFormat(QImage::Format_Grayscale8));
    form.CaptureFullScreen();
    QImage saved;
    ASSERT_TRUE(saved.load(f.pics() + "img2.png"));
    EXPECT_EQ(saved.pixelColor(10, 10), QColor(200, 30, 40));
    EXPECT_EQ(Control<ImageControl>(form, "ImgMain").picture().format(), QImage::Format_RGB32);
}

TEST(CaptureCommands, FailedChecksAndGrabsChangeNothing) {
    LibraryForm f({{"img1.png"}}, QString(), 3);
    TFrmMain& form = f.start();
    QStringList log;
    FakeScreen(form, log, {});
    form.Settings().autoSavePre = "img";

    // The area button with a folder on no drive: the message, and the window stays.
    Control<QLineEdit>(form, "EdtPicPath").setText("relative/pics");
    form.GrabMenuClick();
    EXPECT_FALSE(Messages().isEmpty());
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(form.Capture().frozen());
    EXPECT_TRUE(log.isEmpty());

    // With nothing to grab a capture shows the window again and saves nothing: the old
    // picture is no new capture.
    Control<QLineEdit>(form, "EdtPicPath").setText(f.pics());
    ASSERT_TRUE(form.EnsurePicPath());
    Control<ImageControl>(form, "ImgMain").setPicture(Solid(Qt::green));
    const QStringList before = QDir(f.pics()).entryList(QDir::Files);
    form.CaptureFullScreen();
    form.CaptureActiveWindow();
    form.CaptureClientArea();
    form.StartAreaCapture();
    EXPECT_EQ(log.filter("grab").size(), 4);
    EXPECT_EQ(QDir(f.pics()).entryList(QDir::Files), before);
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(form.Capture().frozen());
    EXPECT_TRUE(Shows(form, Qt::green));
}

TEST(CaptureCommands, AreaCaptureGivenUpLeavesTheGrabShownAndNoToolArmed) {
    LibraryForm f({{"img1.png"}}, QString(), 3);
    TFrmMain& form = f.start();
    QStringList log;
    FakeScreen(form, log, {Screen(), Screen()});
    // A zoomed picture: stretched into a control larger than the picture.
    Control<ImageControl>(form, "ImgMain").setPicture(Solid(Qt::green, QSize(120, 90)));
    form.BtnZoomInClick();
    ASSERT_TRUE(Control<ImageControl>(form, "ImgMain").stretch());

    form.StartAreaCapture();
    ASSERT_TRUE(form.Capture().frozen());
    QTest::keyClick(form.Capture().frozenScreen()->windows().first(), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(form.Capture().frozen());
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.Tools().current(), ttNone);
    EXPECT_EQ(QDir(f.pics()).entryList(QDir::Files), QStringList{"img1.png"});
    // The grab is the picture now, at its natural size.
    EXPECT_EQ(Control<ImageControl>(form, "ImgMain").picture(), Screen());
    EXPECT_FALSE(Control<ImageControl>(form, "ImgMain").stretch());
    EXPECT_EQ(Control<ImageControl>(form, "ImgMain").size(), QSize(200, 150));

    // A drag on the picture afterwards crops nothing and saves nothing.
    QTest::mousePress(&Control<ImageControl>(form, "ImgMain"), Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(&Control<ImageControl>(form, "ImgMain"), QPoint(50, 40));
    QTest::mouseRelease(&Control<ImageControl>(form, "ImgMain"), Qt::LeftButton, {},
                        QPoint(50, 40));
    EXPECT_EQ(Control<ImageControl>(form, "ImgMain").picture(), Screen());
    EXPECT_EQ(QDir(f.pics()).entryList(QDir::Files), QStringList{"img1.png"});
}
