// What the capture tests share: a screen whose every pixel is known (each pixel's colour
// encodes its own position, so a saved capture can be compared pixel for pixel with the
// part of the screen it should hold), the program's folder with a user's settings, and the
// program's windows before, during and after a capture.
#pragma once

#include "e2e/e2e_app.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>

#include <ostream>
#include <string>

// The virtual screen of the end-to-end tests.
inline constexpr QSize kScreen(1280, 1024);

// Colour of screen pixel (x, y): red and green the low bytes of x and y, blue their high
// bits. Unique for every pixel of the screen.
QRgb PatternAt(int x, int y);
// That part of the screen pattern as a picture of its own.
QImage Pattern(const QRect& part = QRect(QPoint(0, 0), kScreen));
// Pixels of `picture` that differ from the screen pattern at `origin`, outside `skip`.
int Mismatches(const QImage& picture, QPoint origin, const QRect& skip = QRect());
// The first pixel of colour `rgb` inside `area` of the screen; (-1, -1) when there is none.
QPoint FindPixel(const QImage& screen, const QRect& area, QRgb rgb);
// Where on the screen, inside `area`, the block of the pattern shows whole: its top-left
// corner; (-1, -1) when it shows nowhere.
QPoint FindPatternBlock(const QImage& screen, const QRect& area, const QRect& block);
// A square of `size` around the point: where a capture has the cursor painted in.
QRect AroundPointer(QPoint at, int size = 80);

// The [hotkey] section exactly as the program writes its default hotkeys when it ends.
extern const QString kDefaultHotkeys;

// Main window places, in main-window coordinates at scale factor 1: frame 10 and 12, top
// bar 74, splitter bar 6, then the tool column's buttons stacked from its top.
inline constexpr QPoint kContinueCutButton{10 + 6 + 58, 92 + 1 + 11};
inline constexpr QPoint kAreaButton{10 + 3 + 61, 92 + 28 + 12};
inline constexpr QPoint kOtherFunButton{10 + 3 + 61, 92 + 82 + 12};
// The rectangle tool of the edit toolbar: 24 x 22 at 458 in the top bar, 38 from its top.
inline constexpr QPoint kAddRectButton{10 + 458 + 12, 12 + 38 + 11};
// First entry of the picture list: right of the 145-pixel tool column and its 6-pixel bar.
inline constexpr int kListLeft = 10 + 145 + 6;
inline constexpr int kListTop = 92;
inline constexpr int kListRowHeight = 16;

// Capture toolbar buttons, centres in toolbar coordinates: frame 6 and 11, button panel at
// 110, its column at 76; the area button 122 x 25 at 6, the return button 122 x 26 at 105.
inline constexpr QPoint kToolbarAreaButton{6 + 110 + 76 + 61, 11 + 6 + 12};
inline constexpr QPoint kToolbarReturnButton{6 + 110 + 76 + 61, 11 + 105 + 13};

// The program's folder and a user's settings before a capture, and the program's windows.
struct CaptureSetup {
    E2eApp& app;
    QString pics;
    // The main window's X window as it came up at the start.
    QString main;

    // pics/ holds the first picture (by default a small white img1.png, otherwise the file
    // given), which the settings reopen, so the next automatic name is img2.png. The
    // settings are those of a user: the extra lines of the [default] section, the default
    // hotkeys.
    explicit CaptureSetup(E2eApp& a, const QString& extraSettings = QString(),
                          const QString& firstName = QStringLiteral("img1.png"),
                          const QByteArray& firstFile = QByteArray());

    // Shows the pattern on the screen and starts the program; false when its main window
    // does not come up.
    bool startOnPattern();

    QStringList files() const;
    // The saved picture, once it is complete on disk; null after the timeout.
    QImage waitForPicture(const QString& name, int timeoutMs = 15000) const;

    // The main window: its X window of the start while that exists; otherwise (the toolkit
    // gave it a new one) the visible window of its caption.
    QString mainWindow();
    bool mainWindowVisible();
    // A visible window of the program that covers the whole screen: the frozen screen.
    QString frozenScreen();
    bool waitForFrozenScreen(int timeoutMs = 15000);
    // The main window shown again, smaller than the screen; empty after a timeout.
    QString waitForNormalWindow(int timeoutMs = 10000);
    // The program's windows for a failure message.
    std::string windowsReport();
    // The capture toolbar: a visible window of the program's title that is not the main one.
    QString toolbar();
    // Clicks the area button with 「连续截图」 ticked: the frozen screen comes up with the
    // toolbar. The toolbar's id; empty when either does not come. `scale` is the factor of
    // the program's interface.
    QString startContinuousRun(double scale = 1.0);
};

// The main window's place `at` (in coordinates at scale factor 1) at the interface's scale
// factor, in the window's own pixels.
QPoint Scaled(QPoint at, double scale);

// The window of another program at a known place showing a part of the screen pattern: a
// foreground window for the window captures.
class ProbeWindow {
  public:
    ProbeWindow(E2eApp& app, const QRect& part, QPoint at);
    ~ProbeWindow();
    ProbeWindow(const ProbeWindow&) = delete;
    ProbeWindow& operator=(const ProbeWindow&) = delete;
    // Its X window; empty when it did not come up.
    QString id() const { return m_id; }
    // Makes it the active window.
    bool activate();

  private:
    E2eApp& m_app;
    QProcess m_process;
    QString m_id;
};

// The window the window manager names active; empty when none.
QString ActiveWindow(E2eApp& app);
// Whether _NET_WM_STATE of the window holds the state.
bool HasWmState(E2eApp& app, const QString& id, const char* state);
// Left, right, top and bottom of the frame the window manager puts around the window.
QList<int> FrameExtents(E2eApp& app, const QString& id);
// The rectangle of the window with its frame.
QRect FrameRect(E2eApp& app, const QString& id);

// Readable test output for places.
inline void PrintTo(const QPoint& p, std::ostream* os) {
    *os << '(' << p.x() << ", " << p.y() << ')';
}
inline void PrintTo(const QSize& s, std::ostream* os) {
    *os << s.width() << 'x' << s.height();
}
