// Drives as the picture folder sees them. Here the file system has one root, "/", which
// always exists; a path that does not begin with it is relative and has no drive.
#pragma once

#include <QChar>
#include <QStringList>

// The separator of folder paths on this system.
QChar NativeDirSeparator();

// The root strings of the machine's drives, each ending in the separator.
QStringList LogicalDriveRoots();

// The folder a rejected folder text is replaced by, ending in the separator: the user's
// home folder, the folder a user owns as a drive root is on Windows ($HOME, else the home
// folder of the account; "/" only when neither names an absolute folder).
QString FallbackRoot();
