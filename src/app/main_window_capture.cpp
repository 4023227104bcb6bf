// The capture commands: full screen, foreground window, client area and the area capture on
// a frozen picture of the screen, the continuous mode and the steps after a capture.
#include "app/main_window.h"

#include "app/hotkeys.h"
#include "capture/capture_state.h"
#include "capture/capture_toolbar.h"
#include "capture/screen_grab.h"
#include "common/guard.h"
#include "common/image_control.h"
#include "common/shell_routines.h"
#include "common/speed_button.h"
#include "common/text_tables.h"
#include "common/tiled_panel.h"
#include "common/window_flags.h"
#include "edit/tool_type.h"
#include "platform/window_system.h"

#include <QAction>
#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTextEdit>
#include <QThread>

namespace {

// The bar between the two parts of a splitter.
QWidget* SplitterBar(QSplitter* splitter) {
    return splitter->count() > 1 ? splitter->handle(1) : nullptr;
}

void SetVisible(QWidget* w, bool visible) {
    if (w) w->setVisible(visible);
}

// Grab modes of GrabScreen.
enum GrabMode { kFullScreen = 0, kWindow = 1, kClientArea = 2 };

} // namespace

void TFrmMain::ConnectCaptureHandlers() {
    connect(BtnMouseAreatPIC, &QAbstractButton::clicked, this, [this] { GrabMenuClick(); });
    connect(BtnFullScreenCut, &QAbstractButton::clicked, this, [this] { BtnFullScreenCutClick(); });
}

void TFrmMain::GrabMenuClick() {
    Guarded([this] {
        if (!EnsurePicPath()) return;
        StartAreaCapture();
        if (BtnContinueCut->isChecked()) ShowContinuousToolBar();
    });
}

void TFrmMain::BtnFullScreenCutClick() {
    CaptureFullScreen();
}

void TFrmMain::PrepareGrab() {
    WasVisible = false;
    if (isVisible()) {
        WasVisible = true;
        FWasMaximized = isMaximized();
        hide();
    }
    QCoreApplication::processEvents();
    FlushWindowSystem();
    // Time for the window manager and the windows below to redraw the uncovered screen.
    QThread::msleep(500);
}

void TFrmMain::FinishGrab() {
    if (WasVisible) ShowAfterGrab();
}

void TFrmMain::ShowAfterGrab() {
    // The window manager forgets the maximized state of a hidden window.
    if (FWasMaximized && !FullScreenView)
        showMaximized();
    else
        show();
}

namespace {

// The three direct grabs share one sequence; they differ in the grab mode and in what is
// hidden before the grab.
void DirectCapture(TFrmMain& f, GrabMode mode) {
    try {
        f.PrepareGrab();
        if (mode == kWindow) {
            f.HideDecorations();
        } else if (mode == kClientArea) {
            f.hide();
            f.SbPicName->hide();
        }
        QImage& bitmap = f.ImgMain->picture();
        // A grab that finds nothing (no foreground window) leaves the bitmap untouched; the
        // old picture is then neither shown as a capture nor saved again.
        const qint64 before = bitmap.cacheKey();
        const bool hadPicture = !bitmap.isNull();
        GrabScreen(bitmap, mode);
        const bool grabbed = !bitmap.isNull() && (!hadPicture || bitmap.cacheKey() != before);
        if (!grabbed) {
            f.SbPicName->show();
            f.ShowDecorations(false);
            f.FinishGrab();
            return;
        }
        f.ImgMain->pictureChanged();
        f.ApplyWatermark(f.ImgMain);
        f.ImgMain->resize(bitmap.size());
        if (f.BtnContinueCut->isChecked()) {
            // Continuous mode: saved at once, nothing shown.
            if (f.BtnSaveToCB->isChecked()) CopyPicToClipboard(f.ImgMain);
            f.AutoSavePicture();
        } else {
            if (mode == kFullScreen) {
                f.hide();
                f.SbPicName->hide();
            }
            f.PnlPic->show();
            f.ShowAfterGrab();
            f.SbPicName->show();
            f.ShowDecorations(true);
        }
    } catch (...) {
    }
    f.FinishGrab();
}

} // namespace

void TFrmMain::CaptureFullScreen() {
    DirectCapture(*this, kFullScreen);
}

void TFrmMain::CaptureActiveWindow() {
    DirectCapture(*this, kWindow);
}

void TFrmMain::CaptureClientArea() {
    DirectCapture(*this, kClientArea);
}

void TFrmMain::StartAreaCapture() {
    try {
        CaptureBusy = true;
        ToolType = ttAreaCut;
        hide();
        // An unfinished text belongs to the picture being replaced.
        MemoText->hide();
        FlushWindowSystem();
        QThread::msleep(600);
        // The frozen screen must match the screen pixel for pixel, also after a zoom.
        ImgMain->setStretch(false);
        ImgMain->setAutoSize(true);
        GrabScreen(ImgMain->picture(), kFullScreen);
        ImgMain->pictureChanged();
        ImgMain->setGeometry(QRect(QPoint(0, 0), ImgMain->picture().size()));
        HideDecorations();
        EnterFrozenScreen();
        show();
        raise();
        activateWindow();
        if (!RegisterHotkeys()) PnlHint->setText(texts::TxtHotkeyConflict);
        AreaHintShown = true;
        PnlAreaCutHint->setText(texts::TxtAreaCutHint);
        PnlAreaCutHint->move(mapFromGlobal(QCursor::pos() + QPoint(10, -20)));
        PnlAreaCutHint->show();
        PnlAreaCutHint->raise();
    } catch (...) {
    }
    CaptureBusy = false;
}

void TFrmMain::EnterFrozenScreen() {
    const QScreen* s = QGuiApplication::primaryScreen();
    QRect bounds = s ? s->virtualGeometry() : QRect();
    if (bounds.isEmpty()) bounds = ImgMain->picture().rect();
    bounds.moveTopLeft(QPoint(0, 0));
    if (!FullScreenView) FGeometryBeforeFrozen = normalGeometry();
    const Qt::WindowFlags frozen =
        windowFlags() | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint;
    ChangeWindowFlags(this, frozen);
    // One monitor: the window manager's full-screen state also covers panels and docks.
    // Several: one borderless window over all of them.
    if (QGuiApplication::screens().size() == 1) setWindowState(Qt::WindowFullScreen);
    setGeometry(bounds);
    SBDisplay->horizontalScrollBar()->setValue(0);
    SBDisplay->verticalScrollBar()->setValue(0);
    FullScreenView = true;
}

void TFrmMain::HideDecorations() {
    const QList<QWidget*> decorations = {
        PnlTop, PnlLeft,   PnlRight, PnlHint, SplitterBar(Splitter1), SplitterBar(SplitterTop),
        SbLeft, SbPicName, PnlBottom};
    for (QWidget* w : decorations)
        SetVisible(w, false);
}

void TFrmMain::ShowDecorations(bool afterCapture) {
    Guarded([&] {
        const QList<QWidget*> decorations = {
            PnlTop, PnlLeft,   PnlRight,  PnlHint,
            SbLeft, SbPicName, PnlBottom, SplitterBar(SplitterTop)};
        for (QWidget* w : decorations)
            SetVisible(w, true);
        if (!afterCapture) return;
        if (BtnSaveToCB->isChecked()) CopyPicToClipboard(ImgMain);
        AutoSavePicture();
        RefreshPicList();
    });
}

void TFrmMain::HideAreaHint() {
    Guarded([this] {
        AreaHintShown = false;
        PnlAreaCutHint->hide();
        QThread::msleep(200);
    });
}

void TFrmMain::FinishAreaCapture() {
    Guarded([this] {
        if (ContinuousActive) {
            // The capture toolbar runs the captures; each is saved and the window waits
            // hidden in its frozen layout.
            AutoSavePicture();
            hide();
            return;
        }
        ToolType = ttNone;
        SbPicName->show();
        if (FullScreenView) RestoreMainWindow();
        ShowDecorations(true);
    });
}

void TFrmMain::ShowContinuousToolBar() {
    Guarded([this] {
        if (!FrmToolBar) FrmToolBar = new TFrmToolBar(this);
        FrmToolBar->RestoreOnClose = true;
        ContinuousActive = true;
        FrmToolBar->LblHint->setText(texts::TxtToolbarAreaHint);
        FrmToolBar->show();
        FrmToolBar->raise();
        // Above the frozen screen, which keeps the top layer only while it has the focus.
        FrmToolBar->activateWindow();
    });
}

void TFrmMain::CaptureSaved(const QString& name) {
    if (FrmToolBar) FrmToolBar->AddSavedPicture(name);
}
