#include "app/left_toolbar_layout.h"

#include <QWidget>

namespace {

bool Shown(const QWidget* w) {
    return w && !w->isHidden();
}

// Puts w at (left, y) and returns the y for the next item, `gap` below it.
int Place(QWidget* w, int left, int y, int gap) {
    w->move(left, y);
    return w->y() + w->height() + gap;
}

} // namespace

int StackLeftToolbar(const LeftToolbarItems& items) {
    int y = 1;
    if (Shown(items.continueCut)) y = Place(items.continueCut, 6, 1, 5);
    for (QWidget* w : {items.areaCapture, items.fullScreen, items.otherFunctions})
        if (Shown(w)) y = Place(w, 3, y, 3);
    if (Shown(items.vendorButton1)) {
        y = Place(items.vendorButton1, 3, y, 3);
        if (items.vendorButton2) y = Place(items.vendorButton2, 3, y, 3);
    }
    if (Shown(items.exit)) y = Place(items.exit, 3, y, 3);
    if (items.vendorPanel) {
        items.vendorPanel->move(3, y);
        y += items.vendorPanel->height();
    }
    return y;
}
