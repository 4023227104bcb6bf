// What a folder holds, as tests compare it before and after a write.
#pragma once

#include <QString>
#include <QStringList>

// Everything in the folder, hidden files included, in code point order.
QStringList FolderEntries(const QString& folder);
