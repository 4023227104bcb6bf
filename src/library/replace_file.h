// Writing a file that replaces its target only when complete, for the picture writers.
// Needs nothing of the toolkit's graphics library, so the command line's captures use it.
#pragma once

#include <QString>

#include <functional>

class QIODevice;

// Writes `path` through a file without a name in its folder that `write` fills and that
// replaces `path` only when `write` returned true and everything reached the disk (any
// failed or short write of the device counts, even when `write` overlooked it). A target
// that is a folder, a missing folder or a failed write give false and leave the old file,
// if any, as it was, and nothing else behind.
bool WriteFileReplacing(const QString& path, const std::function<bool(QIODevice&)>& write);
