#include "platform/monitors.h"

#include "platform/root_layout.h"

QList<Monitor> Monitors() {
    const X11Connection* x = X11();
    if (!x) return {};
    return QueryRootLayout(*x, true).monitors;
}

QRegion ShownPart(const QRect& area, const QList<Monitor>& monitors) {
    QRegion shown;
    for (const Monitor& m : monitors)
        shown |= m.rect & area;
    return shown;
}
