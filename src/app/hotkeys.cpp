#include "app/hotkeys.h"

#include "app/hotkey_table.h"
#include "common/guard.h"
#include "platform/global_hotkeys.h"

namespace {

// Without blanks and control characters at either end.
QString TrimBlanks(const QString& s) {
    qsizetype begin = 0, end = s.size();
    while (begin < end && s[begin].unicode() <= ' ')
        ++begin;
    while (end > begin && s[end - 1].unicode() <= ' ')
        --end;
    return s.mid(begin, end - begin);
}

// Only a to z change; the names compared with are plain ASCII.
QString UpperAscii(QString s) {
    for (QChar& c : s)
        if (c >= 'a' && c <= 'z') c = QChar(c.unicode() - 'a' + 'A');
    return s;
}

constexpr unsigned kVkEscape = 27;
constexpr unsigned kVkS = 'S';

} // namespace

int KeyNameCode(const QString& name) {
    const QString n = UpperAscii(TrimBlanks(name));
    if (n == "CTRL") return int(kModControl);
    if (n == "SHIFT") return int(kModShift);
    if (n == "ALT") return int(kModAlt);
    if (n == "ESC") return int(kVkEscape);
    for (int i = 1; i <= 12; ++i)
        if (n == QStringLiteral("F%1").arg(i)) return 111 + i;
    return 0;
}

bool RegisterHotkeys(Hotkeys& hotkeys, HotkeyBackend& backend) {
    if (!backend.registerHotkey(1, kModControl | kModShift, kVkS)) return false;
    bool failed = false;
    for (int id = 1; id <= 5; ++id) {
        const HotkeyRow& row = hotkeys.table[id - 1];
        const QString& key = row[2];
        if (key.isEmpty()) break;
        // Only "ESC" is compared loosely; any other key is its first character as typed.
        const unsigned code =
            UpperAscii(TrimBlanks(key)) == "ESC" ? kVkEscape : unsigned(key[0].unicode());
        const unsigned modifiers = unsigned(KeyNameCode(row[0]) | KeyNameCode(row[1]));
        const bool ok = backend.registerHotkey(id, modifiers, code);
        hotkeys.conflicts[id - 1] = !ok;
        failed = failed || !ok;
    }
    return !failed;
}

bool RegisterHotkeys(Hotkeys& hotkeys) {
    return RegisterHotkeys(hotkeys, SystemHotkeys());
}

void UnregisterHotkeys(HotkeyBackend& backend) {
    for (int id = 1; id <= 5; ++id)
        Guarded([&] { backend.unregisterHotkey(id); });
}

void UnregisterHotkeys() {
    UnregisterHotkeys(SystemHotkeys());
}
