// Stacking of the left tool column's buttons from the top.
#pragma once

class QWidget;

struct LeftToolbarItems {
    QWidget* continueCut = nullptr; // the continuous-capture toggle
    QWidget* areaCapture = nullptr;
    QWidget* fullScreen = nullptr;
    QWidget* otherFunctions = nullptr;
    QWidget* vendorButton1 = nullptr; // the vendor panel's two buttons, when present
    QWidget* vendorButton2 = nullptr;
    QWidget* exit = nullptr;
    QWidget* vendorPanel = nullptr;
};

// Places the items that are not hidden one below the other (an invisible item takes no
// room) and returns the y below the last one.
int StackLeftToolbar(const LeftToolbarItems& items);
