// The main window's side of the captures: its buttons and commands start a capture session,
// and the window is the session's host (hidden for a grab, shown with the capture, the
// watermark, the toggles, the automatic save and the picture list).
#include "app/main_window.h"

#include "app/hint_bar.h"
#include "app/picture_area.h"
#include "app/tool_column.h"

#include "app/hotkeys.h"
#include "capture/capture_session.h"
#include "capture/capture_toolbar.h"
#include "common/text_tables.h"
#include "platform/clipboard.h"
#include "widgets/image_control.h"
#include "widgets/speed_button.h"

#include <QAction>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTextEdit>

namespace {

// The session's view of the main window.
class MainWindowCaptureHost : public CaptureHost {
  public:
    MainWindowCaptureHost(TFrmMain& form, PictureArea& area, ToolColumn& column, QLabel& hint)
        : f_(form), area_(area), column_(column), hint_(hint) {}

    bool hideMainWindow() override {
        if (!f_.isVisible()) return false;
        // The window manager forgets the maximised state of a hidden window.
        wasMaximized_ = f_.isMaximized();
        normalGeometry_ = f_.normalGeometry();
        f_.hide();
        return true;
    }

    void showMainWindow(bool normal) override {
        if (normal) {
            // The end of an area capture: a normal window at its place, no tool armed and no
            // unfinished text, which belonged to the picture before.
            f_.Tools().disarm();
            area_.textBox()->hide();
            const bool wasHidden = !f_.isVisible();
            f_.setWindowState(Qt::WindowNoState);
            if (wasHidden && normalGeometry_.isValid()) f_.setGeometry(normalGeometry_);
            f_.show();
        } else if (!f_.isVisible()) {
            if (wasMaximized_)
                f_.showMaximized();
            else
                f_.show();
        }
        f_.raise();
        f_.activateWindow();
    }

    void applyWatermark(QImage& picture) override { f_.ApplyWatermark(picture); }

    void takeCapture(const QImage& picture) override {
        // Shown at its natural size from the picture's top-left corner.
        area_.image()->setStretch(false);
        area_.image()->setAutoSize(true);
        area_.image()->setPicture(picture);
        area_.image()->resize(picture.size());
        area_.horizontalScrollBar()->setValue(0);
        area_.verticalScrollBar()->setValue(0);
    }

    void copyToClipboard(const QImage& picture) override { PutImageOnClipboard(picture); }
    bool clipboardWanted() const override { return column_.clipboardWanted(); }
    bool continuousWanted() const override { return column_.continuous(); }
    QString saveCapture(const QImage&) override { return f_.AutoSavePicture(); }
    void listCaptures() override { f_.RefreshPicList(); }
    bool registerHotkeys() override { return RegisterHotkeys(f_.Context().hotkeys); }
    void unregisterHotkeys() override { UnregisterHotkeys(); }
    void reportHotkeyConflict() override { hint_.setText(texts::Texts().TxtHotkeyConflict); }
    QString pictureFolder() const override { return f_.Context().picFolder; }
    bool loadPreview(ImageControl* preview, const QString& path) override {
        return f_.LoadPicByExt(preview, path);
    }
    void reportNoProgram(const QString& target) override { f_.NoProgramHint()(target); }

  private:
    TFrmMain& f_;
    PictureArea& area_;
    ToolColumn& column_;
    QLabel& hint_;
    bool wasMaximized_ = false;
    QRect normalGeometry_;
};

} // namespace

void TFrmMain::ConnectCaptureHandlers() {
    FCaptureHost =
        std::make_unique<MainWindowCaptureHost>(*this, *FPictureArea, *FToolColumn, *FHintBar);
    FCapture = new CaptureSession(*FCaptureHost, std::make_unique<DisplayGrabber>(), this);
    FCapture->setFrozenLook(windowTitle(), font(),
                            TextBox()->palette().color(QPalette::Text).rgb());
}

CaptureSession& TFrmMain::Capture() const {
    return *FCapture;
}

void TFrmMain::GrabMenuClick() {
    if (!EnsurePicPath()) return;
    StartAreaCapture();
    if (FToolColumn->continuous()) ShowContinuousToolBar();
}

void TFrmMain::BtnFullScreenCutClick() {
    CaptureFullScreen();
}

void TFrmMain::CaptureFullScreen() {
    FCapture->captureDirect(CaptureMode::Screen);
}

void TFrmMain::CaptureActiveWindow() {
    HideListBar();
    FCapture->captureDirect(CaptureMode::Window);
}

void TFrmMain::CaptureClientArea() {
    FCapture->captureDirect(CaptureMode::ClientArea);
}

void TFrmMain::StartAreaCapture() {
    HideListBar();
    // The frozen screen's look follows the window's caption and the annotation colour.
    FCapture->setFrozenLook(windowTitle(), font(),
                            TextBox()->palette().color(QPalette::Text).rgb());
    FCapture->startArea();
}

void TFrmMain::HideListBar() {
    if (QWidget* bar = Splitter1->handle(1)) {
        bar->setProperty("gone", true);
        bar->hide();
    }
}

void TFrmMain::ShowContinuousToolBar() {
    FCapture->startRun();
}

void TFrmMain::HideAreaHint() {
    FCapture->hideAreaHint();
}
