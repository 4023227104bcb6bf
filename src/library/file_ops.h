// File operations on the pictures of the list that never destroy another file.
#pragma once

#include <QString>

// Gives the file `from` the path `to`, unless something already exists at `to`: then
// both stay untouched and the result is false. The check and the rename are one step
// (renameat2 with RENAME_NOREPLACE, or a hard link and an unlink where the file system
// lacks it), so a file that appears in between is never replaced either.
bool RenameNoReplace(const QString& from, const QString& to);

// What became of a picture file that was to be deleted.
enum class PicRemoval {
    Kept,    // it could not go (missing, a folder, no right to remove it)
    Trashed, // it lies in the desktop trash, from where the file manager can restore it
    Deleted, // no trash could take it, so it was deleted at once
};

// Moves the file at `path` (a link: the link itself) to the desktop trash of the
// freedesktop.org desktop, as file managers do; where no trash can take it, deletes
// it at once. Folders are left alone.
PicRemoval RemovePicFile(const QString& path);

// The new path of a rename in `folder` (ending in a separator): the typed name as it is,
// with the old extension appended when the typed name has none.
QString RenameTargetPath(const QString& folder, const QString& typedName, const QString& oldExt);
