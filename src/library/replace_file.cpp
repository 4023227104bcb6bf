// The replace-through-a-file-without-a-name write shared by the picture writers.
#include "library/replace_file.h"

#include "platform/atomic_file.h"

#include <QFileInfo>

bool WriteFileReplacing(const QString& path, const std::function<bool(QIODevice&)>& write) {
    if (path.isEmpty() || QFileInfo(path).isDir()) return false;
    // The picture is written into a file without a name beside the target, which takes the
    // target's name only when complete and synced; an abandoned one vanishes.
    AtomicFile file(path);
    if (!file.open()) return false;
    bool ok = false;
    try {
        ok = write(file);
    } catch (...) {
        ok = false;
    }
    if (!ok) {
        file.cancel();
        return false;
    }
    return file.commit();
}
