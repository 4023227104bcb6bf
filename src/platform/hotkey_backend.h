// Registration of system-wide hotkeys by id, in the terms of the Windows call: modifier
// flags and a virtual-key code.
#pragma once

// Modifier flags.
inline constexpr unsigned kModAlt = 1;
inline constexpr unsigned kModControl = 2;
inline constexpr unsigned kModShift = 4;
inline constexpr unsigned kModWin = 8;

class HotkeyBackend {
  public:
    virtual ~HotkeyBackend() = default;
    // Adds a combination to the id (an id may hold several). False when refused: the
    // combination is taken by another program or by this one, the flags carry unknown
    // bits, or the key does not exist.
    virtual bool registerHotkey(int id, unsigned modifiers, unsigned virtualKey) = 0;
    // Releases every combination of the id; an id holding none is no error.
    virtual void unregisterHotkey(int id) = 0;
};
