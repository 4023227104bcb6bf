// The picture formats the program writes and lists, as the format box names them.
#pragma once

#include <QStringList>

// The seven picture extensions, in the order of the format box.
const QStringList& PictureFormatList();

// The writer that the extension of a path (or an extension alone, dot included) selects,
// compared without regard to case: JPEG for .jpg and .jpeg, PNG for .png, BMP data for
// every other one.
enum class PictureWriter { Jpeg, Png, Bmp };
PictureWriter PictureWriterOf(const QString& path);
