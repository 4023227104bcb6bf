// The program shows itself on an X display; without one it says so and ends.
#pragma once

// Run before the application object is made. When the toolkit will use the X11 platform
// (not another one named by -platform or QT_QPA_PLATFORM) and no X server can be reached
// on the display given by -display or $DISPLAY, writes one line saying so to stderr in
// the interface language and returns false; the program then ends with exit code 1.
bool XDisplayAvailable(int argc, char** argv);
