// The freedesktop.org desktop trash, where file managers put deleted
// files and from where they restore them.
#pragma once

#include <QString>

// Moves the file (a link: the link itself) into the trash that belongs to its file
// system: $XDG_DATA_HOME/Trash for the home's one, the top folder's .Trash/$uid or
// .Trash-$uid for others, with the information file that names its old place. False when
// no trash can take it; the file is then where it was.
bool MoveToDesktopTrash(const QString& path);
