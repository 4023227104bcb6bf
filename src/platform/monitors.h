// The monitors that show parts of the X screen, in device pixels of the root window.
#pragma once

#include <QList>
#include <QRect>
#include <QString>

struct Monitor {
    QString name; // as the server names it ("DP-1"); empty for the whole-root fallback
    QRect rect;   // on the root window, in device pixels
    bool primary = false;
};

// The monitors as RandR (1.5) lists them, one of them primary (the first when the server
// names none); the whole root window as one primary monitor when the server lists none or
// cannot. Empty without an X server.
QList<Monitor> Monitors();
