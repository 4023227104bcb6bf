// The id that names the program's desktop entry, icon, AppStream metadata and config
// folder, apart from the icon code (program_identity.h) so that code without a window
// can ask for it.
#pragma once

#include <QString>

// The reverse-DNS id; the build passes the one it installs the desktop files under.
QString ProgramId();
