// What a capture session asks of the program around it: the main window implements it.
// The session decides when each step runs; the host knows the window, the settings and the
// picture folder.
#pragma once

#include <QImage>
#include <QString>

class ImageControl;

class CaptureHost {
  public:
    virtual ~CaptureHost() = default;

    // The main window out of the way of a grab. True when it was visible; its state (place,
    // maximised or not) is kept for showMainWindow.
    virtual bool hideMainWindow() = 0;
    // The main window back as it was when hideMainWindow hid it; with `normal` as a normal
    // window (not maximised) at its place from then.
    virtual void showMainWindow(bool normal) = 0;

    // Blends the configured watermark into a finished capture.
    virtual void applyWatermark(QImage& picture) = 0;
    // The finished capture becomes the main picture (shown or not, as the window is).
    virtual void takeCapture(const QImage& picture) = 0;
    // Puts the capture on the clipboard.
    virtual void copyToClipboard(const QImage& picture) = 0;
    // The clipboard toggle and the continuous toggle.
    virtual bool clipboardWanted() const = 0;
    virtual bool continuousWanted() const = 0;
    // Saves the capture under the next automatic name and says so; the written path, or
    // empty when nothing was written (the host has reported why).
    virtual QString saveCapture(const QImage& picture) = 0;
    // Relists the picture folder with the saved capture selected.
    virtual void listCaptures() = 0;

    // The global hotkeys of an area capture; registerHotkeys is false on a conflict.
    virtual bool registerHotkeys() = 0;
    virtual void unregisterHotkeys() = 0;
    virtual void reportHotkeyConflict() = 0;

    // Loads a picture file into a preview control (the capture toolbar's).
    virtual bool loadPreview(ImageControl* preview, const QString& path) = 0;
    // The picture folder in use, ending in a separator: the toolbar's entries name files
    // in it.
    virtual QString pictureFolder() const = 0;
    // No program could be started to open `target` (a capture the toolbar's preview opens).
    virtual void reportNoProgram(const QString& target) = 0;
};
