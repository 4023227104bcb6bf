// Registering the five hotkeys of a hotkey table (ids 1 to 5) with the desktop.
#pragma once

#include "app/hotkey_table.h"

#include <QString>

class HotkeyBackend;

// The code of a key name, upper-cased and trimmed: "CTRL" 2, "SHIFT" 4, "ALT" 1 (the
// modifier flags), "ESC" 27, "F1" to "F12" 112 to 123; anything else 0.
int KeyNameCode(const QString& name);

// Registers Ctrl+Shift+S as id 1, then the table's rows for ids 1 to 5, stopping at the
// first row without a key. Sets the conflict flag of every id it tries. True when no id
// failed; false as well when Ctrl+Shift+S cannot be had (then nothing is registered).
bool RegisterHotkeys(Hotkeys& hotkeys, HotkeyBackend& backend);
bool RegisterHotkeys(Hotkeys& hotkeys);

// Releases ids 1 to 5, each once.
void UnregisterHotkeys(HotkeyBackend& backend);
void UnregisterHotkeys();
