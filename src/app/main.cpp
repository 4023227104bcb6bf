// Program entry. A capture into a file, --help and --version run here, in an executable
// that links only what they need; the window and everything else run in the window module
// that this executable loads then (window_module.h).
#include "app/command_line_direct.h"
#include "app/window_module.h"

#include <csignal>

int main(int argc, char** argv) {
    // A write past a file-size limit fails with an error that the program reports, rather
    // than ending the program with whatever it had not saved yet.
    std::signal(SIGXFSZ, SIG_IGN);
    const CommandLineRequest request = ParseCommandLine(argc, argv);
    if (request.action != CommandLineRequest::Action::Window)
        if (const std::optional<int> rc = RunCommandLineDirect(argc, argv, request)) return *rc;
    return RunWindowModule(argc, argv);
}
