// The five global hotkey definitions (two modifier names and a key text per id).
#pragma once

#include <QString>
#include <array>

using HotkeyRow = std::array<QString, 3>;
using HotkeyTableData = std::array<HotkeyRow, 5>;

// Rows for hotkey ids 1 to 5: full screen, window, client area, area, stop.
extern HotkeyTableData HotkeyTable;
// True for an id whose last registration failed.
extern std::array<bool, 5> HotkeyConflict;

// The defaults: Ctrl+Shift+F, Ctrl+Shift+W, Ctrl+Shift+C, Ctrl+Shift+A and Escape.
HotkeyTableData DefaultHotkeys();
void SetDefaultHotkeys();
