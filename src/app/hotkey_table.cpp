#include "app/hotkey_table.h"

HotkeyTableData HotkeyTable;
std::array<bool, 5> HotkeyConflict{};

HotkeyTableData DefaultHotkeys() {
    return {{{"Ctrl", "Shift", "F"},
             {"Ctrl", "Shift", "W"},
             {"Ctrl", "Shift", "C"},
             {"Ctrl", "Shift", "A"},
             {"", "", "ESC"}}};
}

void SetDefaultHotkeys() {
    HotkeyTable = DefaultHotkeys();
}
