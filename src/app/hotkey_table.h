// The five global hotkey definitions (two modifier names and a key text per id).
#pragma once

#include <QString>
#include <array>

using HotkeyRow = std::array<QString, 3>;
using HotkeyTableData = std::array<HotkeyRow, 5>;

// The defaults: Ctrl+Shift+F, Ctrl+Shift+W, Ctrl+Shift+C, Ctrl+Shift+A and Escape.
HotkeyTableData DefaultHotkeys();

// The hotkeys in use and the outcome of their last registration.
struct Hotkeys {
    // Rows for hotkey ids 1 to 5: full screen, window, client area, area, stop.
    HotkeyTableData table = DefaultHotkeys();
    // True for an id whose last registration failed.
    std::array<bool, 5> conflicts{};
};
