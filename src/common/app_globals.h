// Program-wide values shared by several windows.
#pragma once

#include <QString>

// The validated picture folder, ending in exactly one separator.
extern QString PicFolder;
// Height of the buttons of the left tool column.
extern int ToolButtonHeight;
// Row filter used when writing PNG files (1: the None filter only).
extern int PngRowFilter;

// The seven picture extensions, in the order of the format box.
const QStringList& PictureFormatList();
