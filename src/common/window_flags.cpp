#include "common/window_flags.h"

#include <QWidget>
#include <QWindow>

void ChangeWindowFlags(QWidget* window, Qt::WindowFlags flags) {
    if (!window || window->windowFlags() == flags) return;
    window->overrideWindowFlags(flags);
    if (QWindow* native = window->windowHandle()) native->setFlags(flags);
}
