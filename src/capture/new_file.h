// Writing a new file without ever replacing a file that is already there.
#pragma once

#include <QString>
#include <functional>

class QIODevice;

// Writes what `encode` puts into the device as a new file `path`, replacing nothing: the
// data goes into a file without a name in the folder, which is given the name only if no
// file has it. When a file took the name meanwhile, `nextName` gives another name to try
// (empty, or the same name again: stop). Returns the name written, or an empty text when
// `encode` or the disk failed; nothing remains of a failed write.
QString WriteNewFile(const QString& path, const std::function<bool(QIODevice&)>& encode,
                     const std::function<QString()>& nextName);
