// The user's start-at-login entries. The program only ever removes its own.
#pragma once

#include <QStringList>

// Folder of the user's autostart entries ($XDG_CONFIG_HOME/autostart, else ~/.config/autostart).
QString AutostartFolder();

// Deletes the entries named exactly `names` (files "<name>.desktop"); missing ones are
// skipped and every failure is silent.
void RemoveAutostartEntries(const QStringList& names);
