// Where a capture from the command line goes: the file named by --output, else the next
// automatic name in the picture folder of the settings. The window's captures and the
// command line's share the writers and the automatic names.
#pragma once

#include "app/settings.h"
#include "common/program_places.h"

#include <QImage>
#include <QString>

class CommandLineSaver {
  public:
    // `output`: the absolute path of --output, or empty. `places` may leave the user's
    // pictures folder unknown (an installed program's first picture folder): it is then
    // looked up when a capture goes there, and not before.
    CommandLineSaver(QString output, const SettingsValues& settings, ProgramPlaces places);

    // Writes the picture; its path, or empty with the reason in failure().
    QString save(const QImage& picture);
    QString failure() const { return failure_; }

    // The folder box's text when it names a folder, else the first start's picture folder.
    QString pictureFolder() const;

  private:
    QString nextName(const QString& folder) const;

    QString output_;
    SettingsValues settings_;
    ProgramPlaces places_;
    mutable QString userPictures_;
    QString failure_;
};
