// Helpers of the tests on a real X display: a window painted in known colours, bounded
// waits, pointer placement and input from another process.
#pragma once

#include <QColor>
#include <QImage>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <vector>
#include <xcb/xcb.h>

// Left half one colour, right half another, a small square near the top-left corner.
class PatternWindow : public QWidget {
  public:
    PatternWindow();
    static constexpr QRgb kLeft = 0xffc81e28;
    static constexpr QRgb kRight = 0xff143cdc;
    static constexpr QRgb kMark = 0xff0ac85a;
    // The colour the window shows at a point of its client area.
    QRgb expectedAt(QPoint p) const;
    // Shows the window with its frame at framePos and waits until it is active and its
    // pixels are on the screen.
    bool showAt(QPoint framePos, QSize clientSize);
    // Exchanges the colours of the two halves.
    void swapHalves() {
        swapped_ = !swapped_;
        repaint();
    }

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    bool swapped_ = false;
};

// Runs the event loop until the condition holds or the time is up.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 5000);

// Moves the pointer to a screen point (XWarpPointer).
void WarpPointer(QPoint to);

// Runs xdotool with the arguments and waits for it to end.
bool XdoTool(const QStringList& arguments);

// Makes the picture (as large as the root window, 24-bit colour) the background of the root
// window, which the screen shows where no window is, and waits until the server shows it.
bool SetRootPicture(const QImage& picture);

// A picture's raw 32-bit word at a point (no alpha fix-up on the way).
quint32 RawPixel(const QImage& image, QPoint p);

// Another X client on the same display: it can grab keys on the root window and show a
// window of its own that has the keyboard focus and records the keys pressed in it.
class OtherClient {
  public:
    OtherClient();
    ~OtherClient();
    OtherClient(const OtherClient&) = delete;
    OtherClient& operator=(const OtherClient&) = delete;

    // The first keycode that produces the keysym, 0 when none.
    xcb_keycode_t keycode(uint32_t keysym);
    // The modifier bit that NumLock sets.
    uint16_t numLockMask();
    // True when the server grants the grab.
    bool grabKey(uint32_t keysym, uint16_t modifiers);
    void ungrabKey(uint32_t keysym, uint16_t modifiers);

    bool showFocusedWindow();
    // Keycodes pressed in the window so far.
    std::vector<xcb_keycode_t> pressedKeys();

  private:
    xcb_connection_t* c_ = nullptr;
    xcb_window_t root_ = 0;
    xcb_window_t window_ = 0;
    std::vector<xcb_keycode_t> pressed_;
};

// Keysyms the tests press.
inline constexpr uint32_t kKeysymEscape = 0xff1b;
inline constexpr uint32_t kKeysymNumLock = 0xff7f;
