// The program's window lives in a module of its own, qelshot-window.so, which the small
// `qelshot` executable loads only when it is needed: the window, an area capture, the
// clipboard, a watermark. A capture into a file then starts without loading the window's
// libraries (widgets, network, SVG, metafiles). The module runs inside this process, so the
// process id, the arguments and the program's folder (where the settings live) stay those
// of `qelshot`.
#pragma once

// The file name of the module.
inline constexpr const char* kWindowModuleName = "qelshot-window.so";
// The one function the module exports: int qelshot_window_main(int* argc, char** argv),
// the program as a whole (the window, or the command line), returning its exit code.
inline constexpr const char* kWindowModuleEntry = "qelshot_window_main";

// Loads the module, beside the program file (a build folder, a copied folder) or in
// ../lib/qelshot/ from it (an installed program), and runs its entry. When it cannot be
// loaded, says so in one line on stderr and returns 1.
int RunWindowModule(int& argc, char** argv);
