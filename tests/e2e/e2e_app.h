#pragma once

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

// Centre of the exit button in main-window coordinates: x = frame 10 + left margin 3 + half
// of its 122 px width; y = frame 12 + top bar 74 + splitter 6 + its top 163 in the tool
// column + half of its 24 px height.
inline constexpr QPoint kExitButtonCentre{10 + 3 + 122 / 2, 12 + 74 + 6 + 163 + 24 / 2};

// One private copy of the program on the current X display, driven through xdotool.
// The copy lives alone in a temporary folder (its own settings stay there), and HOME and
// XDG_CONFIG_HOME point at sub-folders of it. Every failure is reported to gtest with the
// program's stderr attached; every wait is bounded.
class E2eApp {
  public:
    E2eApp();
    ~E2eApp();
    E2eApp(const E2eApp&) = delete;
    E2eApp& operator=(const E2eApp&) = delete;

    // The program's own folder, ending in '/'; home/ (with the data folder and its desktop
    // trash, home/.local/share/Trash), config/, runtime/ and the program's stdout.log and
    // stderr.log lie inside it.
    QString appDir() const { return m_root + '/'; }
    QString homeDir() const { return m_root + QStringLiteral("/home"); }
    QString configDir() const { return m_root + QStringLiteral("/config"); }
    // Paths relative to appDir(); writeFile creates missing folders.
    void writeFile(const QString& relativePath, const QByteArray& data);
    QByteArray readFile(const QString& relativePath) const;

    // An environment variable for the program from its next start() on (QT_SCALE_FACTOR,
    // QT_SCREEN_SCALE_FACTORS, ...); an empty value removes the variable.
    void setEnvironment(const QString& name, const QString& value);
    // Sets Xft.dpi in the resources of the X display (xrdb -merge), as a desktop with a
    // scale setting does; the toolkit scales programs started afterwards by dpi / 96.
    bool setXftDpi(int dpi);

    // Starts the program with the arguments; after setWrapper(command) through that command,
    // which is given the program and the arguments after its own (to run the program in a
    // mount namespace of its own, say).
    bool start(const QStringList& arguments = {});
    void setWrapper(const QStringList& command) { m_wrapper = command; }
    // Writes the picture as pics/1.bmp, a settings file that reopens it (with the extra
    // lines, which may start other sections) and starts the program; the main window's id,
    // empty when it did not come up.
    QString startWithPicture(const QImage& picture, const QString& extraSettings = QString());
    bool isRunning() const;
    bool waitForExit(int timeoutMs);
    // Sends SIGTERM, as a logout or `kill` does.
    void terminate() { m_process.terminate(); }
    // The process id of the started program (of the wrapper, which becomes the program when
    // it execs it); 0 when none runs.
    qint64 processId() const { return m_process.processId(); }
    // The exit code of a normal exit; -1 while running, after a crash or a failed start.
    int exitCode() const;
    // Everything the program wrote to stderr so far.
    QString programStderr() const;

    // X window id (decimal) of a visible window whose name contains titleSubstring, once
    // its geometry has settled; empty after a timeout.
    QString waitForWindow(const QString& titleSubstring, int timeoutMs = 15000);
    QString windowName(const QString& id);
    // Position of the window's client area on the screen, and its size.
    QRect windowGeometry(const QString& id);
    // Input through XTest; x and y are relative to the window's top-left corner.
    void click(const QString& id, int x, int y, int button = 1);
    void click(const QString& id, QPoint at, int button = 1) { click(id, at.x(), at.y(), button); }
    // Key combinations separated by blanks, as xdotool names them ("ctrl+f Return").
    void key(const QString& keys);
    void type(const QString& text);
    // Closes the window as its close box would, through the window manager.
    void closeWindow(const QString& id);
    QImage screenshot();
    // Waits for a solid rectangle of `size` in `color` on the screen (see FindSolidRect);
    // its top-left corner on the screen, (-1, -1) after the timeout.
    QPoint waitForSolidRect(QSize size, const QColor& color, int timeoutMs = 10000);
    // A left-button drag: pressed at the first point, moved through the others in turn with
    // a short pause at each so that every step is seen, released at the last. The points
    // are relative to the window `id`, or screen coordinates when it is empty.
    bool dragAlong(const std::vector<QPoint>& path, const QString& id = QString());
    // A straight drag in screen coordinates with four moves on the way.
    bool dragOnScreen(QPoint from, QPoint to);
    // Moves the pointer to a screen point.
    void moveMouse(QPoint to);
    // Makes the picture the background of the root window (what the screen shows where no
    // window is).
    bool setRootPicture(const QImage& picture);
    // The picture on the clipboard (null when it holds none).
    QImage clipboardImage();
    // The text on the clipboard (empty when it holds none).
    QString clipboardText();
    // Ids of the visible windows whose name contains titleSubstring (none after a short wait).
    QStringList visibleWindows(const QString& titleSubstring);
    // Ids of the program's visible windows, whatever their names.
    QStringList visibleProgramWindows();
    // windowGeometry that stays quiet about a window that has gone: then an empty rectangle.
    QRect windowGeometryIfAny(const QString& id) { return geometryOf(id, true); }
    // Whether the X window still exists (quietly false when it is gone).
    bool windowExists(const QString& id);
    // One property of the window as xprop prints it ("_NET_WM_STATE(ATOM) = ..."); empty
    // when the window is gone.
    QString windowProperty(const QString& id, const QString& property);
    // Runs a helper tool to its end; failures are reported.
    bool runHelper(const QString& program, const QStringList& args, QByteArray* output = nullptr) {
        return runTool(program, args, output);
    }

  private:
    // Runs a helper tool; failures are reported unless expectFailure is set.
    bool runTool(const QString& program, const QStringList& args, QByteArray* output = nullptr,
                 bool expectFailure = false);
    std::string failureContext() const;
    // windowGeometry that stays quiet about a window that has just gone away.
    QRect geometryOf(const QString& id, bool quiet);

    QTemporaryDir m_tempDir;
    QString m_root;
    QStringList m_wrapper;
    // Mutable: without an event loop QProcess notices the exit only when asked.
    mutable QProcess m_process;
};

// A whole BMP file of the picture, for writing test pictures.
QByteArray BmpOf(const QImage& image);
// A whole picture file of the image in the given format ("PNG", "JPG"), written by the
// toolkit.
QByteArray FileOf(const QImage& image, const char* format);

// Top-left corner on the screen of a solid rectangle of `size` in `color`: the first
// pixel whose row and column start a run of that colour as large as the rectangle.
// (-1, -1) when there is none.
QPoint FindSolidRect(const QImage& screen, QSize size, const QColor& color);

// Polls condition every 100 ms until it holds or timeoutMs has passed; returns whether it held.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs);

// Readable gtest output for Qt strings.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QByteArray& b, std::ostream* os) {
    *os << '"' << b.toStdString() << '"';
}
inline void PrintTo(const QRect& r, std::ostream* os) {
    *os << r.width() << 'x' << r.height() << '+' << r.x() << '+' << r.y();
}
