// A capture from the command line: the capture session with a host that has no window. It
// reads the settings (picture folder, format, prefix, watermark, annotation colour) and
// never writes them. A capture into a file starts the toolkit's core only (see
// RunCommandLine): its windowing side, with its X connection, plugins and fonts, would take
// longer than the capture itself. The window module runs this; the `qelshot` executable
// makes the simplest captures itself (command_line_direct.h).
#include "app/command_line.h"

#include "app/command_line_save.h"
#include "app/display_required.h"
#include "app/guarded_application.h"
#include "app/hotkey_table.h"
#include "app/hotkeys.h"
#include "app/settings.h"
#include "common/color_ref.h"
#include "common/fonts.h"
#include "common/profile_file.h"
#include "common/text_tables.h"
#include "edit/watermark.h"
#include "library/picture_codecs.h"
#include "platform/clipboard.h"
#include "platform/global_hotkeys.h"
#include "platform/window_system.h"
#include "platform/x11_connection.h"

#include <QCoreApplication>
#include <QDir>
#include <QThread>
#include <QTimer>
#include <memory>

namespace {

// Nothing of this program is on the screen, so there is nothing to wait for.
class PromptGrabber : public DisplayGrabber {
  public:
    void settle(int, bool handleEvents) override {
        if (handleEvents) QCoreApplication::processEvents();
        FlushWindowSystem();
    }
};

class CommandLineHost : public CaptureHost {
  public:
    CommandLineHost(const CommandLineRequest& request, const SettingsValues& settings,
                    const ProgramPlaces& places)
        : request_(request), settings_(settings), saver_(request.output, settings, places) {
        hotkeys_.table = settings_.hotkeys;
        if (settings_.watermark.type == 1)
            DecodePictureFile(settings_.watermark.imgPath, watermarkPicture_);
    }

    QString saved;
    QString failure;
    bool ended = false;

    bool hideMainWindow() override { return false; }
    // The capture is over (given up or finished): the event loop ends once it is handled.
    void showMainWindow(bool) override {
        ended = true;
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }
    void applyWatermark(QImage& picture) override {
        DrawWatermark(picture, settings_.watermark, settings_.watermark.reverse, watermarkPicture_);
    }
    void takeCapture(const QImage&) override {}
    void copyToClipboard(const QImage& picture) override { PutImageOnClipboard(picture); }
    bool clipboardWanted() const override { return request_.clipboard; }
    bool continuousWanted() const override { return false; }
    QString saveCapture(const QImage& picture) override {
        saved = saver_.save(picture);
        failure = saver_.failure();
        return saved;
    }
    void listCaptures() override {}
    // The area capture's hotkeys hold as in the window: Esc (hotkey 5) gives it up.
    bool registerHotkeys() override { return RegisterHotkeys(hotkeys_); }
    void unregisterHotkeys() override { UnregisterHotkeys(); }
    void reportHotkeyConflict() override {}
    QString pictureFolder() const override { return saver_.pictureFolder(); }
    bool loadPreview(ImageControl*, const QString&) override { return false; }
    // No capture toolbar shows here (no continuous run), so nothing opens from it.
    void reportNoProgram(const QString&) override {}

  private:
    CommandLineRequest request_;
    SettingsValues settings_;
    CommandLineSaver saver_;
    Hotkeys hotkeys_;
    QImage watermarkPicture_;
};

// The toolkit with its windowing side, once the display is known to be there; null (the
// reason said on stderr) when it is not.
std::unique_ptr<QCoreApplication> WindowingApplication(int& argc, char** argv) {
    if (!XDisplayAvailable(argc, argv)) return nullptr;
    auto app = std::make_unique<GuardedApplication>(argc, argv);
    InstallFontSubstitutions();
    return app;
}

} // namespace

int RunCommandLine(int& argc, char** argv, const CommandLineRequest& request) {
    if (const std::optional<int> answered = AnswerWithoutCapture(argc, argv, request))
        return *answered;

    // The frozen screen of an area capture and the clipboard need the toolkit's windowing
    // side; a capture into a file needs its core alone, unless its watermark is a text,
    // which is drawn with the toolkit's fonts (known once the settings are read).
    const bool windowsNeeded = request.mode == CaptureMode::Area || request.clipboard;
    std::unique_ptr<QCoreApplication> app;
    if (windowsNeeded) {
        app = WindowingApplication(argc, argv);
        if (!app) return 1;
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    // The settings of the window's program, wherever it keeps them; the user's pictures
    // folder is looked up only when the capture goes there.
    const ProgramPlaces places = FindProgramPlaces(QCoreApplication::applicationDirPath(), false);
    SettingsValues settings = DefaultSettings(places);
    ProfileFile file(places.settingsFile());
    ReadSettings(file, places, settings);
    if (!windowsNeeded && settings.watermark.type == 0) {
        app.reset();
        app = WindowingApplication(argc, argv);
        if (!app) return 1;
    } else if (!windowsNeeded && !X11() && !XDisplayAvailable(argc, argv)) {
        // The grab's own connection is the test that the display can be reached.
        return 1;
    }

    CommandLineHost host(request, settings, places);
    CaptureSession session(host, std::make_unique<PromptGrabber>());
    SetHotkeyReceiver(&session, [&](int id) { session.hotkey(id); });
    if (request.delayMs > 0) QThread::msleep(request.delayMs);

    QString reason;
    if (request.mode == CaptureMode::Area) {
        session.setFrozenLook(texts::Texts().MainCaption(), QFont(texts::Texts().UiFontName),
                              ColorFromRef(settings.font.color).rgb());
        session.startArea();
        if (session.frozen()) QCoreApplication::exec();
        if (!host.ended)
            reason = QString::fromUtf8(u8"无法截取屏幕");
        else if (host.saved.isEmpty() && host.failure.isEmpty())
            reason = QString::fromUtf8(u8"截图已取消");
    } else {
        session.captureDirect(request.mode);
        if (!host.ended) reason = NothingGrabbedReason(request.mode);
    }
    if (reason.isEmpty()) reason = host.failure;
    if (!host.saved.isEmpty()) {
        SayLine(stdout, QDir::toNativeSeparators(host.saved));
        return 0;
    }
    SayFailure(reason);
    return 1;
}
