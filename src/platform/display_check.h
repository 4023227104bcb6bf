// Whether the X server the program is to show itself on can be reached.
#pragma once

#include <QByteArray>

// True when an X server accepts a connection on `display` (empty: $DISPLAY); the
// connection is closed again.
bool XDisplayReachable(const QByteArray& display);
