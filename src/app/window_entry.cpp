// The window module's entry (qelshot-window.so): the program with its window, and the
// command line's captures that need the window's libraries. The `qelshot` executable
// loads the module and calls this (window_module.h).
#include "app/command_line.h"
#include "app/display_required.h"
#include "app/guarded_application.h"
#include "app/main_window.h"
#include "common/fonts.h"
#include "common/program_identity.h"
#include "platform/quit_signals.h"
#include "widgets/show_animated.h"

namespace {

// The application, its title, the main window, the event loop.
int RunWindow(int& argc, char** argv) {
    if (!XDisplayAvailable(argc, argv)) return 1;
    GuardedApplication app(argc, argv);
    InstallFontSubstitutions();
    QuitOnTerminationSignals();
    QApplication::setApplicationName(QString::fromUtf8(u8"QEL屏幕截图助手"));
    ApplyProgramIdentity();
    QApplication::setQuitOnLastWindowClosed(false);
    // What the windows share, for the whole run: the places of this program's files, the
    // picture folder, the watermark and the hotkeys.
    AppContext context(FindProgramPlaces(QCoreApplication::applicationDirPath()));
    auto* window = new TFrmMain(context);
    ShowAnimated(window);
    const int rc = app.exec();
    delete window; // saves the settings
    return rc;
}

} // namespace

extern "C" __attribute__((visibility("default"))) int qelshot_window_main(int* argc, char** argv) {
    const CommandLineRequest request = ParseCommandLine(*argc, argv);
    if (request.action != CommandLineRequest::Action::Window)
        return RunCommandLine(*argc, argv, request);
    return RunWindow(*argc, argv);
}
