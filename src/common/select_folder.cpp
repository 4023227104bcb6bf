// SelectFolder (path_routines.h) in a file of its own: the folder dialog needs the
// toolkit's widgets, which the rest of the path routines do not.
#include "common/guard.h"
#include "common/path_routines.h"
#include "platform/folder_dialog.h"

#include <QFileInfo>

QString SelectFolder(QWidget* owner, const QString& current) {
    QString chosen;
    Guarded([&] {
        const QString prompt = QFileInfo(current).isDir() ? current : FallbackRoot();
        chosen = BrowseForFolder(owner, prompt);
    });
    return chosen;
}
