// Conversions between Windows COLORREF values (0x00BBGGRR) and Qt colours.
#pragma once

#include <QColor>

inline QColor ColorFromRef(int ref) {
    return QColor(ref & 0xFF, (ref >> 8) & 0xFF, (ref >> 16) & 0xFF);
}

inline int RefFromColor(const QColor& c) {
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}
