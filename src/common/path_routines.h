// Folder paths, drives and folder listings. The path functions take the separator as a
// parameter, so the same rules serve backslash and slash paths.
#pragma once

#include "platform/drives.h"

#include <QString>
#include <QStringList>

class QWidget;

// Trims surrounding blanks and appends one separator, then replaces every run of three
// separators by one and after that every run of two by one: "C:\pics" and "C:\pics\"
// both give "C:\pics\", an empty text gives a lone separator.
QString NormalizeDirPath(const QString& path, QChar sep = NativeDirSeparator());

// The drive part of a folder text. With '\' it is "X:" when the second character is a
// colon; with '/' it is "/" for an absolute path. Anything else has none (empty).
QString DrivePart(const QString& path, QChar sep = NativeDirSeparator());

// Whether the drive ("c:", "/") is one of `roots`, ignoring letter case and surrounding
// blanks. An empty drive text never exists.
bool DriveExists(const QString& drive, QChar sep = NativeDirSeparator(),
                 const QStringList& roots = LogicalDriveRoots());

// Appends folder + name for every file directly in `folder` (which ends in a separator),
// hidden and system files included, folders left out, in the order the file system
// gives them. Returns how many were appended.
int ListFolderFiles(const QString& folder, QStringList& list);

// Lets the user choose a folder. The dialog's prompt is `current` when it names an
// existing folder, else the fallback root. Returns an empty text when cancelled.
QString SelectFolder(QWidget* owner, const QString& current);
