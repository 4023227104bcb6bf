// Where a capture session gets the screen's pixels from: the display, or a fake in tests.
#pragma once

#include <QImage>

class ScreenGrabber {
  public:
    virtual ~ScreenGrabber() = default;
    // Gives the window system `ms` milliseconds to take the program's windows off the
    // screen and let the windows below redraw; with `handleEvents` the pending window
    // messages are handled once first.
    virtual void settle(int ms, bool handleEvents) = 0;
    // The whole screen (mode 0), the foreground window with its frame (1) or its client
    // area (2), 1:1 in device pixels in the display's full colour, with the cursor painted
    // in; null when there is nothing to grab.
    virtual QImage grab(int mode) = 0;
};

// The grabber of the X display.
class DisplayGrabber : public ScreenGrabber {
  public:
    void settle(int ms, bool handleEvents) override;
    QImage grab(int mode) override;
};
