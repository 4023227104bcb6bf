// The X extensions the grab uses, asked of the server together: MIT-SHM 1.2 (shared memory
// passed as a descriptor), RandR 1.5 (monitors) and XFixes (the cursor image).
#pragma once

#include "platform/x11_connection.h"

struct X11Extensions {
    bool shmDescriptors = false;
    bool randrMonitors = false;
    bool xfixes = false;
};

// Sends the queries for the three extensions without waiting for the answers, so that
// they arrive while the program does other things (done when a connection opens).
void PrefetchX11Extensions(xcb_connection_t* connection);

// What the server offers, known after the first call: the extensions' presence (sent by
// PrefetchX11Extensions), then the versions of all three in one round trip. RandR and
// XFixes answer a client only after it has named the version it speaks, which this does.
const X11Extensions& ExtensionsOf(const X11Connection& x);
