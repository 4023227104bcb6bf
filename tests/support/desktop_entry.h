// Reading a desktop entry file (the one the build installs), as the tests check it.
#pragma once

#include <QString>

// The value of `key` in the [Desktop Entry] group of the file at `path`, blanks around the
// '=' left out; empty when the file, the group or the key is missing. Localised keys
// ("Name[zh_CN]") are keys of their own.
QString DesktopEntryValue(const QString& path, const QString& key);
