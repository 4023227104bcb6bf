// The picture formats the program writes and lists, as the format box names them.
#pragma once

#include <QStringList>

// The seven picture extensions, in the order of the format box.
const QStringList& PictureFormatList();
