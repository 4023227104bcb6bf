#include "common/program_identity.h"

#include <QDir>
#include <QGuiApplication>

#include "common/resources.h"

QIcon ProgramIcon() {
    InitResources();
    QIcon icon;
    const QDir dir(QStringLiteral(":/icons"));
    for (const QString& entry : dir.entryList({QStringLiteral("*.png")}, QDir::Files))
        icon.addFile(dir.filePath(entry));
    return icon;
}

void ApplyProgramIdentity() {
    QGuiApplication::setWindowIcon(ProgramIcon());
    QGuiApplication::setDesktopFileName(ProgramId());
}
