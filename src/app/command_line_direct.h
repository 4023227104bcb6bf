// The command line's captures that need no window: the whole screen, the foreground window
// or its client area written into a PNG or JPEG file on a 24- or 32-bit display, without
// the clipboard and without a text or picture watermark. The small `qelshot` executable
// makes them itself, with the same grab, cursor and encoders as the window but on plain
// rows of pixels, so that it links neither the toolkit's widgets nor its graphics library
// (whose loading alone would take a fifth of a small capture's time); everything else goes
// to the window module (window_module.h).
#pragma once

#include "app/command_line.h"

#include <optional>

// Runs `request` when it needs nothing of the window: usage errors, --help, --version and
// the captures above. The process's exit code, or nothing when the window module must run
// it (no toolkit object is left then).
std::optional<int> RunCommandLineDirect(int& argc, char** argv, const CommandLineRequest& request);
