// Where a capture from the command line goes: the file named by --output, else the next
// automatic name in the picture folder of the settings. The window's captures and the
// command line's share the writers and the automatic names.
#pragma once

#include "app/settings.h"
#include "capture/new_picture_file.h"
#include "common/picture_formats.h"
#include "common/program_places.h"

#include <QImage>
#include <QString>
#include <functional>

// Encodes the capture into the device in the format that the extension of `path` names.
using CaptureEncoder = std::function<bool(const QString& path, QIODevice& device)>;

class CommandLineSaver {
  public:
    // `output`: the absolute path of --output, or empty. `places` may leave the user's
    // pictures folder unknown (an installed program's first picture folder): it is then
    // looked up when a capture goes there, and not before.
    CommandLineSaver(QString output, const SettingsValues& settings, ProgramPlaces places);

    // Writes the capture through `encode`; its path, or empty with the reason in failure().
    QString save(const CaptureEncoder& encode);
    QString save(const QImage& picture) {
        return save([&picture](const QString& path, QIODevice& device) {
            return !picture.isNull() && EncodePictureByExt(picture, path, device);
        });
    }
    // The writer of the file a capture goes to: the output's, else that of the automatic
    // names.
    PictureWriter writer() const;
    QString failure() const { return failure_; }

    // The folder box's text when it names a folder, else the first start's picture folder.
    QString pictureFolder() const;

  private:
    QString nextName(const QString& folder) const;
    // The extension of the automatic names, dot included: the format of the settings.
    QString autoExtension() const;

    QString output_;
    SettingsValues settings_;
    ProgramPlaces places_;
    mutable QString userPictures_;
    QString failure_;
};
