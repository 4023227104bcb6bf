// Stand-ins for a capture session's surroundings: a grabber that hands out prepared
// pictures, and a host that records the steps it is asked to take, in order.
#pragma once

#include "capture/capture_host.h"
#include "capture/screen_grabber.h"

#include <QImage>
#include <QList>
#include <QStringList>
#include <functional>

// Hands out the prepared pictures in turn (a null picture when none is left: nothing to
// grab), recording every wait and grab in `log`.
class FakeGrabber : public ScreenGrabber {
  public:
    FakeGrabber(QStringList& log, QList<QImage> pictures) : log_(log), pictures_(pictures) {}
    void settle(int ms, bool handleEvents) override;
    QImage grab(int mode) override;
    // Runs during every wait, as window messages would arrive then.
    std::function<void()> duringWait;

  private:
    QStringList& log_;
    QList<QImage> pictures_;
};

class RecordingHost : public CaptureHost {
  public:
    QStringList log;
    bool visible = true;
    bool clipboard = true;
    bool continuous = false;
    bool hotkeysFree = true;
    int saved = 0;
    QImage shown;
    QImage copied;
    QList<QImage> savedPictures;

    bool hideMainWindow() override;
    void showMainWindow(bool normal) override;
    void applyWatermark(QImage& picture) override;
    void takeCapture(const QImage& picture) override;
    void copyToClipboard(const QImage& picture) override;
    bool clipboardWanted() const override { return clipboard; }
    bool continuousWanted() const override { return continuous; }
    QString saveCapture(const QImage& picture) override;
    void listCaptures() override { log << "list"; }
    bool registerHotkeys() override;
    void unregisterHotkeys() override { log << "unregister"; }
    void reportHotkeyConflict() override { log << "conflict"; }
    bool loadPreview(ImageControl*, const QString&) override { return false; }
    QString pictureFolder() const override { return folder; }
    void reportNoProgram(const QString& target) override { log << "no program " + target; }
    QString folder;
};
