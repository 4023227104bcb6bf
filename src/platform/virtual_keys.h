// Windows virtual-key codes as X keysyms.
#pragma once

#include <cstdint>

// The keysym of the key a virtual-key code names (letters, digits, the numeric keypad,
// function keys, Escape and the other keys with a code); 0 for a code with no key.
uint32_t VirtualKeyToKeysym(unsigned virtualKey);
