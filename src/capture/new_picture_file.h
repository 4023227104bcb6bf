// Writing a new capture file without ever replacing a file that is already there.
#pragma once

#include <QImage>
#include <QString>
#include <functional>

// Writes the picture in the format its extension names (JPEG for .jpg/.jpeg, PNG for
// .png, BMP data otherwise) into `path`, replacing nothing: the picture is written to a
// private temporary file in the folder and then given the name only if no file has it.
// When a file took the name meanwhile, `nextName` gives another name to try (empty: stop).
// Returns the name written, or an empty text on failure.
QString WriteNewPicture(const QImage& picture, const QString& path,
                        const std::function<QString()>& nextName);

// The writer a picture extension selects, writing over `path`.
bool WritePictureByExt(const QImage& picture, const QString& path);
