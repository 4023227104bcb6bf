// A capture from the command line: the capture session with a host that has no window. It
// reads the settings (picture folder, format, prefix, watermark, annotation colour) and
// never writes them. A capture into a file starts the toolkit's core only (see
// RunCommandLine): its windowing side, with its X connection, plugins and fonts, would take
// longer than the capture itself.
#include "app/command_line.h"

#include "app/display_required.h"
#include "app/guarded_application.h"
#include "app/hotkey_table.h"
#include "app/hotkeys.h"
#include "app/settings.h"
#include "capture/auto_file_name.h"
#include "capture/new_picture_file.h"
#include "common/color_ref.h"
#include "common/fonts.h"
#include "common/path_routines.h"
#include "common/picture_formats.h"
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
#include <QFileInfo>
#include <QThread>
#include <QTimer>
#include <cstdio>
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
        : request_(request), settings_(settings), places_(places) {
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
        if (!request_.output.isEmpty()) {
            if (WritePictureByExt(picture, request_.output))
                saved = request_.output;
            else
                failure = QString::fromUtf8(u8"无法写入 %1").arg(request_.output);
            return saved;
        }
        const QString folder = PictureFolder();
        QDir().mkpath(folder);
        saved = WriteNewPicture(picture, NextName(folder), [&] { return NextName(folder); });
        if (saved.isEmpty()) failure = QString::fromUtf8(u8"无法保存到 %1").arg(folder);
        return saved;
    }
    void listCaptures() override {}
    // The area capture's hotkeys hold as in the window: Esc (hotkey 5) gives it up.
    bool registerHotkeys() override { return RegisterHotkeys(hotkeys_); }
    void unregisterHotkeys() override { UnregisterHotkeys(); }
    void reportHotkeyConflict() override {}
    QString pictureFolder() const override { return PictureFolder(); }
    bool loadPreview(ImageControl*, const QString&) override { return false; }
    // No capture toolbar shows here (no continuous run), so nothing opens from it.
    void reportNoProgram(const QString&) override {}

  private:
    // The folder box's text when it names a folder, else the first start's picture folder.
    QString PictureFolder() const {
        const QString text = settings_.picPath.trimmed();
        if (!text.isEmpty() && QDir::isAbsolutePath(text)) return NormalizeDirPath(text, '/');
        return places_.pictureFolder;
    }
    QString NextName(const QString& folder) const {
        const QString prefix = settings_.autoSavePre.trimmed();
        const QStringList formats = PictureFormatList();
        const int index = settings_.picFormat;
        const QString ext = index >= 0 && index < formats.size() ? formats[index] : ".bmp";
        return NextAutoFileName(folder, prefix, ext);
    }

    CommandLineRequest request_;
    SettingsValues settings_;
    ProgramPlaces places_;
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

// Writes a line to a standard stream.
void Say(FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

} // namespace

int RunCommandLine(int& argc, char** argv, const CommandLineRequest& request) {
    using Action = CommandLineRequest::Action;
    if (request.action == Action::UsageError) {
        Say(stderr, QString::fromUtf8(u8"qelshot：") + request.error);
        Say(stderr, QString::fromUtf8(u8"用 qelshot --help 查看用法。"));
        return 2;
    }
    if (request.action == Action::Help || request.action == Action::Version) {
        QCoreApplication app(argc, argv);
        std::fputs((request.action == Action::Help ? CommandLineHelp() : CommandLineVersion())
                       .toLocal8Bit()
                       .constData(),
                   stdout);
        return 0;
    }

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
    // The settings of the window's program, wherever it keeps them.
    const ProgramPlaces places = FindProgramPlaces(QCoreApplication::applicationDirPath());
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
        if (!host.ended)
            reason = request.mode == CaptureMode::Screen ? QString::fromUtf8(u8"无法截取屏幕")
                                                         : QString::fromUtf8(u8"没有前台窗口");
    }
    if (reason.isEmpty()) reason = host.failure;
    if (!host.saved.isEmpty()) {
        Say(stdout, QDir::toNativeSeparators(host.saved));
        return 0;
    }
    Say(stderr, QString::fromUtf8(u8"qelshot：") + reason);
    return 1;
}
