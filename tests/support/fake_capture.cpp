#include "support/fake_capture.h"

void FakeGrabber::settle(int ms, bool handleEvents) {
    log_ << QString("wait %1%2").arg(ms).arg(handleEvents ? " after events" : "");
    if (duringWait) duringWait();
}

QImage FakeGrabber::grab(int mode) {
    log_ << QString("grab %1").arg(mode);
    return pictures_.isEmpty() ? QImage() : pictures_.takeFirst();
}

bool RecordingHost::hideMainWindow() {
    log << "hide";
    const bool was = visible;
    visible = false;
    return was;
}

void RecordingHost::showMainWindow(bool normal) {
    log << (normal ? "show normal" : "show as before");
    visible = true;
}

void RecordingHost::applyWatermark(QImage& picture) {
    log << "watermark";
    // A mark in the corner, so tests see that what was saved was watermarked.
    if (!picture.isNull()) picture.setPixel(0, 0, qRgb(1, 2, 3));
}

void RecordingHost::takeCapture(const QImage& picture) {
    log << "take";
    shown = picture;
}

void RecordingHost::copyToClipboard(const QImage& picture) {
    log << "clipboard";
    copied = picture;
}

QString RecordingHost::saveCapture(const QImage& picture) {
    log << "save";
    savedPictures << picture;
    return QString("/pics/%1.png").arg(++saved);
}

bool RecordingHost::registerHotkeys() {
    log << "register";
    return hotkeysFree;
}
