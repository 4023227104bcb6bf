#include "app/command_line_save.h"

#include "capture/auto_file_name.h"
#include "capture/new_picture_file.h"
#include "common/path_routines.h"
#include "common/picture_formats.h"

#include <QDir>

CommandLineSaver::CommandLineSaver(QString output, const SettingsValues& settings,
                                   ProgramPlaces places)
    : output_(std::move(output)), settings_(settings), places_(std::move(places)) {}

QString CommandLineSaver::save(const QImage& picture) {
    failure_.clear();
    if (!output_.isEmpty()) {
        if (WritePictureByExt(picture, output_)) return output_;
        failure_ = QString::fromUtf8(u8"无法写入 %1").arg(output_);
        return QString();
    }
    const QString folder = pictureFolder();
    QDir().mkpath(folder);
    const QString saved =
        WriteNewPicture(picture, nextName(folder), [&] { return nextName(folder); });
    if (saved.isEmpty()) failure_ = QString::fromUtf8(u8"无法保存到 %1").arg(folder);
    return saved;
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
    const QString prefix = settings_.autoSavePre.trimmed();
    const QStringList formats = PictureFormatList();
    const int index = settings_.picFormat;
    const QString ext = index >= 0 && index < formats.size() ? formats[index] : ".bmp";
    return NextAutoFileName(folder, prefix, ext);
}
