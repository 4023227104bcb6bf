// The program as the desktop knows it: its id (program_id.h) and its icon in every size
// of the icon theme.
#pragma once

#include "common/program_id.h"

#include <QIcon>
#include <QString>

// The program's icon drawn for each size in the compiled-in resources (:/icons).
QIcon ProgramIcon();

// Gives every window the program's icon and names the desktop entry, so that the window
// manager and the taskbar show the entry's name and icon for the program's windows.
void ApplyProgramIdentity();
