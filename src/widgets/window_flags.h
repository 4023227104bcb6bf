// Changing a window's flags without replacing its native window.
#pragma once

#include <Qt>

class QWidget;

// Sets the flags of a top-level window (frameless, stay-on-top, ...). QWidget's own
// setWindowFlags creates a new native window, which would lose the window manager's
// placement and give the window a new identity; here the existing one takes the flags.
void ChangeWindowFlags(QWidget* window, Qt::WindowFlags flags);

// Makes `dialog` a fixed-size dialog window: a title and a close box, no minimise or
// maximise button (`extra` adds hints such as stay-on-top). Call it before the dialog is
// first shown. Shown again, the dialog opens where it was last (or where the user moved
// it), instead of being centred on its owner anew from an estimate of the window frame,
// which lands lower with each showing under some window managers.
void MakeFixedDialog(QWidget* dialog, Qt::WindowFlags extra = {});
