// The capture commands' steps that need no screen: which panels go and come back, the steps
// after a capture in their order, the end of an area capture with and without a continuous
// run, and what a command does when its check or its grab fails.
#include "app/main_window_library_fixture.h"
#include "capture/capture_state.h"
#include "capture/capture_toolbar.h"
#include "common/app_globals.h"
#include "common/image_control.h"
#include "common/text_tables.h"
#include "common/tiled_panel.h"
#include "edit/tool_type.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <gtest/gtest.h>

namespace {

QImage Solid(const QColor& color, QSize size = QSize(40, 30)) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

// An area capture on the frozen screen, from press to release, as the mouse would do it.
void DragSelection(TFrmMain& form, QPoint from, QPoint to) {
    ToolType = ttAreaCut;
    form.ImgMainMouseDown(Qt::LeftButton, {}, from.x(), from.y());
    form.ImgMainMouseMove(Qt::LeftButton, {}, to.x(), to.y());
    form.ImgMainMouseUp(Qt::LeftButton, {}, to.x(), to.y());
}

// The frozen-screen state that StartAreaCapture leaves, without grabbing.
void FreezeFakeScreen(TFrmMain& form, const QImage& screen) {
    form.ImgMain->setPicture(screen);
    form.HideDecorations();
    form.EnterFrozenScreen();
    form.show();
    ToolType = ttAreaCut;
}

struct ContinuousReset {
    ~ContinuousReset() {
        ContinuousActive = false;
        ToolType = ttNone;
    }
};

} // namespace

TEST(CaptureCommands, DecorationsGoAndComeBackAsGroups) {
    LibraryForm f({{"1.bmp"}});
    TFrmMain& form = f.start();
    form.HideDecorations();
    for (QWidget* w : QList<QWidget*>{form.PnlTop, form.PnlLeft, form.PnlRight, form.PnlHint,
                                      form.SbLeft, form.SbPicName, form.PnlBottom,
                                      form.Splitter1->handle(1), form.SplitterTop->handle(1)})
        EXPECT_TRUE(w->isHidden()) << w->objectName().toStdString();

    form.ShowDecorations(false);
    for (QWidget* w :
         QList<QWidget*>{form.PnlTop, form.PnlLeft, form.PnlRight, form.PnlHint, form.SbLeft,
                         form.SbPicName, form.PnlBottom, form.SplitterTop->handle(1)})
        EXPECT_FALSE(w->isHidden()) << w->objectName().toStdString();
    // The bar between the list and the picture stays away after a capture.
    EXPECT_TRUE(form.Splitter1->handle(1)->isHidden());
    // Without the after-capture flag nothing is saved.
    EXPECT_EQ(f.entries(), QStringList{"1.bmp"});
}

TEST(CaptureCommands, AreaCaptureEndsSavedCopiedListedAndBackToNormal) {
    LibraryForm f({{"img1.png"}}, QString(), 3);
    TFrmMain& form = f.start();
    ContinuousReset reset;
    form.EdtAutoSavePre->setText("img");
    form.BtnSaveToCB->setChecked(true);
    QGuiApplication::clipboard()->clear();

    QImage screen = Solid(Qt::white, QSize(200, 150));
    screen.setPixelColor(60, 40, Qt::red); // the selection's top-left pixel
    FreezeFakeScreen(form, screen);
    ASSERT_TRUE(form.FullScreenView);
    ASSERT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
    ASSERT_TRUE(form.windowFlags() & Qt::FramelessWindowHint);

    // Dragged backwards: the selection is put in order.
    DragSelection(form, QPoint(110, 90), QPoint(60, 40));
    EXPECT_EQ(ToolType, ttNone);
    EXPECT_FALSE(form.FullScreenView);
    EXPECT_FALSE(form.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(form.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_FALSE(form.SbPicName->isHidden());
    EXPECT_FALSE(form.PnlHint->isHidden());

    // Saved under the next name, listed and selected, and on the clipboard.
    const QString saved = f.pics() + "img2.png";
    EXPECT_EQ(form.FCurPicName, saved);
    QImage back;
    ASSERT_TRUE(back.load(saved));
    EXPECT_EQ(back.size(), QSize(50, 50));
    EXPECT_EQ(back.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(f.entries(), QStringList({"img1.png", "img2.png"}));
    ASSERT_EQ(form.BitmapListBox->selectedItems().size(), 1);
    EXPECT_EQ(form.BitmapListBox->selectedItems().first()->text(), "img2.png");
    const QImage clip = QGuiApplication::clipboard()->image();
    EXPECT_EQ(clip.size(), QSize(50, 50));
    EXPECT_EQ(form.PnlHint->text(), QString::fromUtf8(u8"已保存图片为") + saved);

    // With the clipboard toggle off, the next capture leaves the clipboard alone.
    form.BtnSaveToCB->setChecked(false);
    QGuiApplication::clipboard()->clear();
    FreezeFakeScreen(form, screen);
    DragSelection(form, QPoint(10, 10), QPoint(30, 20));
    EXPECT_TRUE(QFileInfo::exists(f.pics() + "img3.png"));
    EXPECT_TRUE(QGuiApplication::clipboard()->image().isNull());
}

TEST(CaptureCommands, ContinuousRunSavesEachCaptureAndWaitsHidden) {
    LibraryForm f({{"img1.png"}}, QString(), 3);
    TFrmMain& form = f.start();
    ContinuousReset reset;
    form.EdtAutoSavePre->setText("img");
    form.BtnSaveToCB->setChecked(true);
    form.BtnContinueCut->setChecked(true);
    QGuiApplication::clipboard()->clear();

    FreezeFakeScreen(form, Solid(Qt::blue, QSize(200, 150)));
    form.ShowContinuousToolBar();
    ASSERT_NE(form.FrmToolBar, nullptr);
    EXPECT_TRUE(ContinuousActive);
    EXPECT_TRUE(form.FrmToolBar->isVisible());
    EXPECT_EQ(form.FrmToolBar->LblHint->text(), texts::TxtToolbarAreaHint);

    for (int i = 0; i < 3; ++i) {
        if (i > 0) FreezeFakeScreen(form, Solid(Qt::blue, QSize(200, 150)));
        DragSelection(form, QPoint(10, 10), QPoint(50 + i, 40));
        // Saved, listed in the toolbar, the window hidden in its frozen layout.
        EXPECT_FALSE(form.isVisible());
        EXPECT_EQ(ToolType, ttAreaCut);
        EXPECT_TRUE(form.FullScreenView);
        EXPECT_TRUE(form.SbPicName->isHidden());
    }
    EXPECT_TRUE(QFileInfo::exists(f.pics() + "img4.png"));
    ASSERT_EQ(form.FrmToolBar->LbImgs->count(), 3);
    EXPECT_EQ(form.FrmToolBar->LbImgs->item(2)->text(), "img4.png");
    EXPECT_EQ(form.FrmToolBar->LbImgs->currentRow(), 2);
    // A run never copies to the clipboard, whatever the toggle says.
    EXPECT_TRUE(QGuiApplication::clipboard()->image().isNull());

    // Closing the toolbar ends the run and brings the window back to normal, its list
    // showing the run's captures.
    form.FrmToolBar->close();
    EXPECT_FALSE(ContinuousActive);
    EXPECT_EQ(ToolType, ttNone);
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(form.FullScreenView);
    EXPECT_FALSE(form.windowFlags() & Qt::WindowStaysOnTopHint);
    ASSERT_EQ(f.entries(), QStringList({"img1.png", "img2.png", "img3.png", "img4.png"}));

    // A delete in the picture list empties the toolbar's list.
    f.click(3);
    ASSERT_TRUE(form.BitmapListBox->item(3)->isSelected());
    form.DeleteSelectedPics();
    EXPECT_FALSE(QFileInfo::exists(f.pics() + "img4.png"));
    EXPECT_EQ(form.FrmToolBar->LbImgs->count(), 0);
}

TEST(CaptureCommands, FailedChecksAndGrabsChangeNothing) {
    LibraryForm f({{"img1.png"}}, QString(), 3);
    TFrmMain& form = f.start();
    ContinuousReset reset;
    form.EdtAutoSavePre->setText("img");

    // The area button with a folder on no drive: the message, and the window stays.
    form.EdtPicPath->setText("relative/pics");
    form.GrabMenuClick();
    EXPECT_FALSE(Messages().isEmpty());
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(ToolType, ttNone);
    EXPECT_FALSE(form.FullScreenView);
    EXPECT_FALSE(form.CaptureBusy);

    // Without a screen to grab (this test runs off-screen) a capture shows the window again
    // with its panels and saves nothing: the old picture is no new capture.
    form.EdtPicPath->setText(f.pics());
    ASSERT_TRUE(form.EnsurePicPath());
    form.ImgMain->setPicture(Solid(Qt::green));
    const QStringList before = QDir(f.pics()).entryList(QDir::Files);
    form.CaptureFullScreen();
    form.CaptureActiveWindow();
    form.CaptureClientArea();
    EXPECT_EQ(QDir(f.pics()).entryList(QDir::Files), before);
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(form.SbPicName->isHidden());
    EXPECT_FALSE(form.PnlTop->isHidden());
    EXPECT_TRUE(Shows(form, Qt::green));
}

TEST(CaptureCommands, AreaCaptureShowsTheFrozenScreenAtItsNaturalSize) {
    LibraryForm f({{"img1.png"}}, QString(), 3);
    TFrmMain& form = f.start();
    ContinuousReset reset;
    // A zoomed picture: stretched into a control larger than the picture.
    form.ImgMain->setPicture(Solid(Qt::green, QSize(120, 90)));
    form.BtnZoomInClick();
    ASSERT_TRUE(form.ImgMain->stretch());
    ASSERT_NE(form.ImgMain->size(), QSize(120, 90));

    // Off-screen there is nothing to grab; the picture stays and is shown 1:1 at the
    // window's corner, covering the window that covers the screen.
    form.StartAreaCapture();
    EXPECT_FALSE(form.ImgMain->stretch());
    EXPECT_TRUE(form.ImgMain->autoSize());
    EXPECT_EQ(form.ImgMain->geometry(), QRect(0, 0, 120, 90));
    EXPECT_EQ(form.ImgMain->mapTo(&form, QPoint(0, 0)), QPoint(0, 0));
    EXPECT_TRUE(form.FullScreenView);
    EXPECT_EQ(ToolType, ttAreaCut);
    EXPECT_FALSE(form.CaptureBusy);
    EXPECT_TRUE(form.AreaHintShown);
    EXPECT_TRUE(form.PnlAreaCutHint->isVisible());
    EXPECT_EQ(form.PnlAreaCutHint->text(), texts::TxtAreaCutHint);
    // No desktop hotkeys off-screen: the conflict text, and the capture goes on.
    EXPECT_EQ(form.PnlHint->text(), texts::TxtHotkeyConflict);

    // Esc gives the capture up: the normal window without the drag hint, nothing saved.
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_FALSE(form.FullScreenView);
    EXPECT_EQ(ToolType, ttNone);
    EXPECT_FALSE(form.AreaHintShown);
    EXPECT_FALSE(form.PnlAreaCutHint->isVisible());
    EXPECT_EQ(QDir(f.pics()).entryList(QDir::Files), QStringList{"img1.png"});
}
