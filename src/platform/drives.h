// Drives as the picture folder sees them. Here the file system has one root, "/", which
// always exists; a path that does not begin with it is relative and has no drive.
#pragma once

#include <QChar>
#include <QStringList>

// The separator of folder paths on this system.
QChar NativeDirSeparator();

// The root strings of the machine's drives, each ending in the separator.
QStringList LogicalDriveRoots();

// The folder a rejected folder text is replaced by.
QString FallbackRoot();
