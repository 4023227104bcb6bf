// One capture from its trigger to its saved file: the mode (screen, window, client area,
// area, continuous run), the grabbed picture in its own image, the frozen screen and the
// crop, then the steps after a capture in their order: watermark, clipboard, automatic
// save, list and capture-toolbar hand-off. The main window and the capture toolbar start
// captures here; what the session needs of the program it asks its CaptureHost.
#pragma once

#include "capture/capture_host.h"
#include "capture/screen_grabber.h"

#include <QFont>
#include <QObject>
#include <QPointer>
#include <memory>

class FrozenScreen;
class TFrmToolBar;

enum class CaptureMode { Screen = 0, Window = 1, ClientArea = 2, Area };

class CaptureSession : public QObject {
    Q_OBJECT
  public:
    CaptureSession(CaptureHost& host, std::unique_ptr<ScreenGrabber> grabber,
                   QObject* parent = nullptr);
    ~CaptureSession() override;

    // Where the pixels come from (a fake in tests).
    void setGrabber(std::unique_ptr<ScreenGrabber> grabber) { grabber_ = std::move(grabber); }

    // The look of the frozen screen: caption of its windows, font of its drag hint, pen of
    // its rubber band.
    void setFrozenLook(const QString& title, const QFont& font, QRgb pen);

    // Full screen, foreground window or its client area: hide, wait 500 ms, grab, then the
    // steps after a capture. On the frozen screen outside a continuous run the area capture
    // ends with it.
    void captureDirect(CaptureMode mode);
    // Hides the main window, waits 600 ms, grabs the screen and shows it frozen with the
    // drag hint; the hotkeys hold until the area capture ends.
    void startArea();
    // Starts a continuous run: the capture toolbar over the frozen screen.
    void startRun();
    // Esc or hotkey 5: the frozen screen goes, the hotkeys are released and the main window
    // comes back as a normal window. A continuous run goes on while its toolbar is open.
    void giveUp();
    // The end of a continuous run (the toolbar closed); with `restore` the main window comes
    // back as after giveUp.
    void endRun(bool restore);
    // A hotkey: 1 full screen, 2 window, 3 client area, 4 area, 5 give up.
    void hotkey(int id);

    // An area capture is being set up: hotkeys and the mouse wait.
    bool busy() const { return busy_; }
    bool runActive() const { return runActive_; }
    bool frozen() const { return frozen_ != nullptr; }
    FrozenScreen* frozenScreen() const { return frozen_.get(); }
    // The capture toolbar, created by the first continuous run.
    TFrmToolBar* toolbar() const;

    // The drag hint of the frozen screen ends (the toolbar's exit button): a 200 ms wait
    // lets the screen redraw where it stood.
    void hideAreaHint();
    // Pictures were deleted from the picture list: the toolbar's list is emptied.
    void clearSavedList();
    CaptureHost& host() { return host_; }

  signals:
    // Every saved capture, with its full path.
    void saved(const QString& path);

  private:
    // Watermark, the window shown with the capture, then clipboard, save, toolbar and list.
    void finish(QImage picture, bool normalWindow);
    // The frozen screen's selection.
    void areaSelected(QRect rect);
    // The frozen screen and its hotkeys go.
    void endArea();
    // The frozen screen is hidden and goes once the event that ended it is handled.
    void dropFrozen();
    QString save(const QImage& picture);

    CaptureHost& host_;
    std::unique_ptr<ScreenGrabber> grabber_;
    std::unique_ptr<FrozenScreen> frozen_;
    QPointer<TFrmToolBar> toolbar_;
    QString frozenTitle_;
    QFont frozenFont_;
    QRgb pen_ = 0;
    bool busy_ = false;
    bool runActive_ = false;
};
