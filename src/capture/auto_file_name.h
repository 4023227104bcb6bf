// The automatic numbering of captures: the next number after the highest one that a
// picture file in the folder carries.
#pragma once

#include <QString>
#include <QStringList>

// The number a file name carries for this prefix, or nothing (returns false): the file's
// extension (from its last dot) must be a picture extension, exactly; every occurrence of
// that extension and then of the prefix is removed, and the rest must read as a whole
// signed 32-bit integer (blanks, sign, decimal or "$"/"x"/"0x" hexadecimal).
bool PicNumberOfName(const QString& fileName, const QString& prefix, int& number);

// highest + 1 over the files (full paths or names), counting from 0, in 64 bits. When a
// picture named prefix + that number (any picture extension) is already there, as after
// the largest 32-bit number, or one of `otherEntries` (folders, say) has such a name, the
// next number that no such name carries.
qint64 NextPicNumber(const QStringList& files, const QString& prefix,
                     const QStringList& otherEntries = {});

// The next automatic name in the folder (ending in '/'): numbered after the picture files
// there, and never the name of something already in the folder, a subfolder included.
QString NextAutoFileName(const QString& folder, const QString& prefix, const QString& ext);

// folder + prefix + number + extension, doubled separators collapsed.
QString FormatAutoFileName(const QString& folder, const QString& prefix, qint64 number,
                           const QString& ext, QChar sep = '/');
