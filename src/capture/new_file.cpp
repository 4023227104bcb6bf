#include "capture/new_file.h"

#include "platform/atomic_file.h"

QString WriteNewFile(const QString& path, const std::function<bool(QIODevice&)>& encode,
                     const std::function<QString()>& nextName) {
    if (path.isEmpty()) return QString();
    // The file has no name in the folder until it is complete: a write that fails or is
    // killed leaves nothing there.
    AtomicFile file(path);
    if (!file.open() || !encode(file)) return QString();
    QString name = path;
    // A handful of attempts: each taken name means another program took it just now.
    for (int attempt = 0; attempt < 100 && !name.isEmpty(); ++attempt) {
        if (file.commitNew(name)) return name;
        if (!file.nameTaken()) return QString();
        const QString next = nextName ? nextName() : QString();
        // The same name again cannot succeed.
        name = next == name ? QString() : next;
    }
    return QString();
}
