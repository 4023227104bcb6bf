#include "app/hotkey_table.h"

HotkeyTableData DefaultHotkeys() {
    return {{{"Ctrl", "Shift", "F"},
             {"Ctrl", "Shift", "W"},
             {"Ctrl", "Shift", "C"},
             {"Ctrl", "Shift", "A"},
             {"", "", "ESC"}}};
}
