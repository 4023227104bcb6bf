// The toolkit's own texts (the buttons of message boxes, the open, save, font and colour
// dialogs) in the interface language, from the toolkit's translation catalogues.
#pragma once

#include <QString>

// Installs the catalogue of `language` (0 Simplified Chinese, 1 Traditional Chinese,
// 2 English) into the application, replacing the one of an earlier call. False when the
// catalogue is not installed on the system; the toolkit then stays as it was.
bool InstallToolkitTranslation(int language);

// The base name of the toolkit's catalogue for `language` ("qtbase_zh_CN", ...).
QString ToolkitCatalogue(int language);
