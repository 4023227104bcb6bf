#include "app/command_line_direct.h"

#include "app/command_line_save.h"
#include "app/display_required.h"
#include "app/settings.h"
#include "capture/screen_grab.h"
#include "common/guard.h"
#include "common/picture_formats.h"
#include "common/profile_file.h"
#include "library/picture_codecs.h"
#include "library/rgb32_encoders.h"
#include "platform/x11_connection.h"

#include <QCoreApplication>
#include <QDir>
#include <QThread>

namespace {

// A text watermark needs the toolkit's fonts, a picture watermark the picture readers; the
// other types draw none.
bool WatermarkNeedsWindowModule(const WatermarkSettings& watermark) {
    return watermark.type == 0 || watermark.type == 1;
}

// PNG and JPEG are written here, on the rows; the window module writes BMP data.
bool EncodeRows(const Rgb32Rows& rows, const QString& path, QIODevice& device) {
    if (PictureWriterOf(path) == PictureWriter::Jpeg) return EncodeJpegRows(rows, device);
    return EncodePngRows(rows, device, kPngDeflateLevel);
}

} // namespace

std::optional<int> RunCommandLineDirect(int& argc, char** argv, const CommandLineRequest& request) {
    if (const std::optional<int> answered = AnswerWithoutCapture(argc, argv, request))
        return answered;
    if (request.action != CommandLineRequest::Action::Capture ||
        request.mode == CaptureMode::Area || request.clipboard)
        return std::nullopt;

    QCoreApplication app(argc, argv);
    // The settings of the window's program, wherever it keeps them; the user's pictures
    // folder is looked up only when the capture goes there.
    const ProgramPlaces places = FindProgramPlaces(QCoreApplication::applicationDirPath(), false);
    SettingsValues settings = DefaultSettings(places);
    ReadSettings(ProfileFile(places.settingsFile()), places, settings);
    CommandLineSaver saver(request.output, settings, places);
    if (WatermarkNeedsWindowModule(settings.watermark) || saver.writer() == PictureWriter::Bmp)
        return std::nullopt;
    // The grab's own connection is the test that the display can be reached.
    const X11Connection* x = OwnX11Connection();
    if (!x && !XDisplayAvailable(argc, argv)) return 1;
    // Displays of other depths go through the window module's picture conversions.
    if (x && ScreenPixelsOf(*x) != ScreenPixels::Rgb32) return std::nullopt;

    if (request.delayMs > 0) QThread::msleep(request.delayMs);
    // As in the capture session, an error on the way (memory for the picture, say) ends
    // this capture with nothing saved.
    QString saved;
    QString reason = NothingGrabbedReason(request.mode);
    Guarded([&] {
        Rgb32Capture capture;
        if (!x || !GrabScreenRows(*x, int(request.mode), capture)) return;
        saved = saver.save([&](const QString& path, QIODevice& device) {
            return EncodeRows(capture.rows(), path, device);
        });
        reason = saver.failure();
    });
    if (saved.isEmpty()) {
        SayFailure(reason);
        return 1;
    }
    SayLine(stdout, QDir::toNativeSeparators(saved));
    return 0;
}
