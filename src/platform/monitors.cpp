#include "platform/monitors.h"

#include "platform/root_layout.h"

QList<Monitor> Monitors() {
    const X11Connection* x = X11();
    if (!x) return {};
    return QueryRootLayout(*x, true).monitors;
}
