// Which files of the picture folder the picture list shows, and in which order.
#pragma once

#include <QString>
#include <QStringList>

// The extension of a file name or path: from the last dot of its name, dot included;
// empty when the name has none.
QString FileExtension(const QString& path);

// The name of a file path: what follows the last separator.
QString FileNamePart(const QString& path);

// Whether `ext` is one of `exts`, exactly (letter case and dot count).
bool IsPicFormat(const QString& ext, const QStringList& exts);

// The number a file-name stem stands for: leading blanks, an optional sign, then decimal
// digits, or hexadecimal ones after "$", "x", "X" or "0x". Reading stops at the first
// character that does not fit (or would overflow); no digits count as 0. So "12abc" is 12
// and "PIC12" is 0.
qint64 PicNameValue(QStringView stem);

// Orders two picture names: by the values of their stems (the part before the last dot),
// then, for equal values, by name, so that the order never depends on the input order.
// Negative, zero or positive as a comes before, equals or follows b.
int ComparePicNames(const QString& a, const QString& b);

// Sorts names in the order of ComparePicNames.
void SortPicNames(QStringList& names);

// The names (without folder) of those paths whose extension passes IsPicFormat, sorted;
// the hidden temporary files of an interrupted save (IsAtomicFileTempName) are left out.
QStringList PicNamesOf(const QStringList& paths, const QStringList& exts);
