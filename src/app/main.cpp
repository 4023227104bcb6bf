// Program entry: the application, its title, the main window, the event loop.
#include "app/display_required.h"
#include "app/guarded_application.h"
#include "app/main_window.h"
#include "common/fonts.h"
#include "common/show_animated.h"
#include "platform/quit_signals.h"

int main(int argc, char** argv) {
    if (!XDisplayAvailable(argc, argv)) return 1;
    GuardedApplication app(argc, argv);
    InstallFontSubstitutions();
    QuitOnTerminationSignals();
    QApplication::setApplicationName(QString::fromUtf8(u8"QEL屏幕截图助手"));
    QApplication::setQuitOnLastWindowClosed(false);
    auto* window = new TFrmMain;
    ShowAnimated(window);
    const int rc = app.exec();
    delete window; // saves the settings
    return rc;
}
