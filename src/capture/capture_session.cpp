#include "capture/capture_session.h"

#include "capture/capture_toolbar.h"
#include "capture/frozen_screen.h"
#include "common/guard.h"
#include "common/text_tables.h"
#include "edit/canvas_figures.h"

#include <QLabel>
#include <QThread>

CaptureSession::CaptureSession(CaptureHost& host, std::unique_ptr<ScreenGrabber> grabber,
                               QObject* parent)
    : QObject(parent), host_(host), grabber_(std::move(grabber)) {}

CaptureSession::~CaptureSession() {
    delete toolbar_.data();
}

TFrmToolBar* CaptureSession::toolbar() const {
    return toolbar_.data();
}

void CaptureSession::setFrozenLook(const QString& title, const QFont& font, QRgb pen) {
    frozenTitle_ = title;
    frozenFont_ = font;
    pen_ = pen;
}

void CaptureSession::captureDirect(CaptureMode mode) {
    if (busy_ || mode == CaptureMode::Area) return;
    Guarded([&] {
        const bool onFrozen = frozen_ && frozen_->isVisible();
        const bool wasVisible = host_.hideMainWindow();
        if (onFrozen) frozen_->hide();
        grabber_->settle(500, true);
        QImage picture = grabber_->grab(int(mode));
        // Back to where the command came from: the frozen screen, or the window.
        auto comeBack = [&] {
            if (onFrozen && frozen_)
                frozen_->show();
            else if (wasVisible)
                host_.showMainWindow(false);
        };
        if (picture.isNull()) {
            // Nothing to grab (no foreground window): nothing is saved or shown as a capture.
            comeBack();
            return;
        }
        if (host_.continuousWanted()) {
            // Saved at once, nothing shown.
            host_.applyWatermark(picture);
            host_.takeCapture(picture);
            if (host_.clipboardWanted()) host_.copyToClipboard(picture);
            save(picture);
            comeBack();
            return;
        }
        // The capture ends an area capture under way: the window comes back as it was
        // before that began, showing the capture.
        if (onFrozen) endArea();
        finish(std::move(picture), false);
    });
}

void CaptureSession::startArea() {
    if (busy_) return;
    busy_ = true;
    Guarded([this] {
        const bool wasVisible = host_.hideMainWindow();
        dropFrozen();
        grabber_->settle(600, false);
        QImage screen = grabber_->grab(int(CaptureMode::Screen));
        if (screen.isNull()) {
            host_.unregisterHotkeys();
            if (wasVisible) host_.showMainWindow(false);
            return;
        }
        // The grab is the main picture from now on, as the window will show it when the
        // capture is given up; the frozen screen shows it until a rectangle is chosen.
        host_.takeCapture(screen);
        frozen_ = std::make_unique<FrozenScreen>(screen, pen_, frozenTitle_, frozenFont_);
        connect(frozen_.get(), &FrozenScreen::selected, this, &CaptureSession::areaSelected);
        connect(frozen_.get(), &FrozenScreen::cancelled, this, &CaptureSession::giveUp);
        frozen_->show();
        // Held from an earlier capture of a run, or not at all: taken afresh either way.
        host_.unregisterHotkeys();
        if (!host_.registerHotkeys()) host_.reportHotkeyConflict();
        frozen_->showHint(texts::Texts().TxtAreaCutHint);
    });
    busy_ = false;
}

void CaptureSession::startRun() {
    Guarded([this] {
        if (!toolbar_) toolbar_ = new TFrmToolBar(this);
        toolbar_->RestoreOnClose = true;
        runActive_ = true;
        toolbar_->LblHint->setText(texts::Texts().TxtToolbarAreaHint);
        toolbar_->show();
        toolbar_->raise();
        // Above the frozen screen, which keeps the top layer only while it has the focus.
        toolbar_->activateWindow();
    });
}

void CaptureSession::giveUp() {
    Guarded([this] {
        dropFrozen();
        host_.unregisterHotkeys();
        host_.showMainWindow(true);
    });
}

void CaptureSession::endRun(bool restore) {
    runActive_ = false;
    if (restore) giveUp();
}

void CaptureSession::hotkey(int id) {
    // An area capture being set up takes no hotkeys.
    if (busy_) return;
    switch (id) {
    case 1:
        captureDirect(CaptureMode::Screen);
        break;
    case 2:
        captureDirect(CaptureMode::Window);
        break;
    case 3:
        captureDirect(CaptureMode::ClientArea);
        break;
    case 4:
        startArea();
        break;
    case 5:
        giveUp();
        break;
    default:
        break;
    }
}

void CaptureSession::hideAreaHint() {
    Guarded([this] {
        if (!frozen_ || !frozen_->hintShown()) return;
        frozen_->hideHint();
        QThread::msleep(200);
    });
}

void CaptureSession::clearSavedList() {
    if (toolbar_) toolbar_->ClearSavedList();
}

void CaptureSession::areaSelected(QRect rect) {
    Guarded([&] {
        if (!frozen_) return;
        QImage picture = CropPicture(frozen_->picture(), rect);
        // Without memory for the result the screen stays frozen.
        if (picture.isNull()) return;
        if (runActive_) {
            // The capture toolbar runs the captures: each is saved and the window waits
            // hidden; the hotkeys hold until the run ends.
            dropFrozen();
            host_.applyWatermark(picture);
            host_.takeCapture(picture);
            save(picture);
            return;
        }
        endArea();
        finish(std::move(picture), true);
    });
}

void CaptureSession::finish(QImage picture, bool normalWindow) {
    host_.applyWatermark(picture);
    host_.takeCapture(picture);
    host_.showMainWindow(normalWindow);
    if (host_.clipboardWanted()) host_.copyToClipboard(picture);
    save(picture);
    host_.listCaptures();
}

void CaptureSession::endArea() {
    dropFrozen();
    host_.unregisterHotkeys();
}

void CaptureSession::dropFrozen() {
    if (!frozen_) return;
    frozen_->hide();
    // It may be reporting the selection or the Esc that ends it.
    frozen_.release()->deleteLater();
}

QString CaptureSession::save(const QImage& picture) {
    const QString name = host_.saveCapture(picture);
    if (name.isEmpty()) return name;
    if (toolbar_) toolbar_->AddSavedPicture(name);
    emit saved(name);
    return name;
}
