// Changing a window's flags without replacing its native window.
#pragma once

#include <Qt>

class QWidget;

// Sets the flags of a top-level window (frameless, stay-on-top, ...). QWidget's own
// setWindowFlags creates a new native window, which would lose the window manager's
// placement and give the window a new identity; here the existing one takes the flags.
void ChangeWindowFlags(QWidget* window, Qt::WindowFlags flags);
