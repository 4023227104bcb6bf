#include "platform/folder_dialog.h"

#include <QFileDialog>

QString BrowseForFolder(QWidget* owner, const QString& prompt) {
    return QFileDialog::getExistingDirectory(
        owner, prompt, QString(), QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
}
