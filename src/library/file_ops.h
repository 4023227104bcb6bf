// File operations on the pictures of the list that never destroy another file.
#pragma once

#include <QString>

// Gives the file `from` the path `to`, unless something already exists at `to`: then
// both stay untouched and the result is false. The check and the rename are one step
// (renameat2 with RENAME_NOREPLACE, or a hard link and an unlink where the file system
// lacks it), so a file that appears in between is never replaced either.
bool RenameNoReplace(const QString& from, const QString& to);

// Deletes the file at `path` at once (no recycle bin); folders are left alone.
bool DeletePicFile(const QString& path);

// The new path of a rename in `folder` (ending in a separator): the typed name as it is,
// with the old extension appended when the typed name has none.
QString RenameTargetPath(const QString& folder, const QString& typedName, const QString& oldExt);
