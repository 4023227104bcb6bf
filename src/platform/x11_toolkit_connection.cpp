// X11(): the toolkit's own connection when it runs on X11, else the process's own one.
#include "platform/x11_connection.h"

#include <QGuiApplication>
#include <X11/Xlib.h>
#include <atomic>

namespace {

// Xlib's error handler is a plain function for the whole process; it records here.
std::atomic<int> gLastErrorCode{0};

int RecordXError(Display*, XErrorEvent* event) {
    gLastErrorCode = event->error_code;
    return 0;
}

const X11Connection* ToolkitConnection() {
    if (!qGuiApp) return nullptr;
    auto* native = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!native || !native->connection()) return nullptr;
    X11Connection x;
    x.xcb = native->connection();
    x.display = native->display();
    x.toolkitOwned = true;
    int screen = 0;
    if (x.display) {
        XSetErrorHandler(RecordXError);
        screen = DefaultScreen(x.display);
    }
    if (xcb_connection_has_error(x.xcb) || !SetX11Screen(x, screen)) return nullptr;
    return new X11Connection(x);
}

} // namespace

const X11Connection* X11() {
    // Kept for the whole run: grabs and hotkeys may still be used while the program ends.
    static const X11Connection* connection = [] {
        const X11Connection* toolkit = ToolkitConnection();
        return toolkit ? toolkit : OwnX11Connection();
    }();
    if (connection && xcb_connection_has_error(connection->xcb)) return nullptr;
    return connection;
}

int LastX11ErrorCode() {
    return gLastErrorCode;
}
