#include "capture/screen_grabber.h"

#include "capture/screen_grab.h"
#include "platform/window_system.h"

#include <QCoreApplication>
#include <QThread>

void DisplayGrabber::settle(int ms, bool handleEvents) {
    if (handleEvents) QCoreApplication::processEvents();
    // Hide requests queued by the toolkit reach the server before the wait.
    FlushWindowSystem();
    QThread::msleep(ms);
}

QImage DisplayGrabber::grab(int mode) {
    // A new picture every time: it takes the display's format, never that of a picture
    // shown before.
    QImage picture;
    GrabScreen(picture, mode);
    return picture;
}
