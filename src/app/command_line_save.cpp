#include "app/command_line_save.h"

#include "capture/auto_file_name.h"
#include "capture/new_file.h"
#include "common/path_routines.h"
#include "common/picture_formats.h"
#include "library/replace_file.h"

#include <QDir>

CommandLineSaver::CommandLineSaver(QString output, const SettingsValues& settings,
                                   ProgramPlaces places)
    : output_(std::move(output)), settings_(settings), places_(std::move(places)) {}

QString CommandLineSaver::save(const CaptureEncoder& encode) {
    failure_.clear();
    if (!output_.isEmpty()) {
        if (WriteFileReplacing(output_, [&](QIODevice& device) { return encode(output_, device); }))
            return output_;
        failure_ = QString::fromUtf8(u8"无法写入 %1").arg(output_);
        return QString();
    }
    const QString folder = pictureFolder();
    QDir().mkpath(folder);
    const QString first = nextName(folder);
    const QString saved = WriteNewFile(
        first, [&](QIODevice& device) { return encode(first, device); },
        [&] { return nextName(folder); });
    if (saved.isEmpty()) failure_ = QString::fromUtf8(u8"无法保存到 %1").arg(folder);
    return saved;
}

PictureWriter CommandLineSaver::writer() const {
    return PictureWriterOf(output_.isEmpty() ? autoExtension() : output_);
}

QString CommandLineSaver::autoExtension() const {
    const QStringList formats = PictureFormatList();
    const int index = settings_.picFormat;
    return index >= 0 && index < formats.size() ? formats[index] : ".bmp";
}

QString CommandLineSaver::pictureFolder() const {
    const QString text = settings_.picPath.trimmed();
    if (!text.isEmpty() && QDir::isAbsolutePath(text)) return NormalizeDirPath(text, '/');
    if (!places_.pictureFolder.isEmpty()) return places_.pictureFolder;
    // Asked of the desktop once, when a capture first needs it.
    if (userPictures_.isEmpty()) userPictures_ = UserPicturesFolder();
    return userPictures_;
}

QString CommandLineSaver::nextName(const QString& folder) const {
    return NextAutoFileName(folder, settings_.autoSavePre.trimmed(), autoExtension());
}
