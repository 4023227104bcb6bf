// Writing a new capture file without ever replacing a file that is already there.
#pragma once

#include "capture/new_file.h"

#include <QImage>
#include <QString>
#include <functional>

// Writes the picture in the format its extension names (JPEG for .jpg/.jpeg, PNG for
// .png, BMP data otherwise) as a new file `path`, replacing nothing: the picture is written
// into a file without a name in the folder and given the name only if no file has it. When
// a file took the name meanwhile, `nextName` gives another name to try (empty, or the same
// name again: stop). The extension of `path` chooses the format for every name tried.
// Returns the name written, or an empty text on failure; nothing remains of a failed save.
QString WriteNewPicture(const QImage& picture, const QString& path,
                        const std::function<QString()>& nextName);

// The encoder a picture extension selects: JPEG for .jpg/.jpeg, PNG for .png, BMP data
// for every other one (the extension of `path`, compared without regard to case).
bool EncodePictureByExt(const QImage& picture, const QString& path, QIODevice& device);

// The writer a picture extension selects, writing over `path`.
bool WritePictureByExt(const QImage& picture, const QString& path);
