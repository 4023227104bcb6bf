// The program as the desktop knows it: the id that names its desktop entry, icon and
// AppStream metadata, and its icon in every size of the icon theme.
#pragma once

#include <QIcon>
#include <QString>

// The reverse-DNS id; the build passes the one it installs the desktop files under.
QString ProgramId();

// The program's icon drawn for each size in the compiled-in resources (:/icons).
QIcon ProgramIcon();

// Gives every window the program's icon and names the desktop entry, so that the window
// manager and the taskbar show the entry's name and icon for the program's windows.
void ApplyProgramIdentity();
