#include "widgets/show_animated.h"

#include <QPropertyAnimation>
#include <QWidget>

void ShowAnimated(QWidget* window) {
    if (!window) return;
    window->setWindowOpacity(0.0);
    window->show();
    window->raise();
    window->activateWindow();
    auto* fade = new QPropertyAnimation(window, "windowOpacity", window);
    fade->setDuration(kFadeInMs);
    fade->setStartValue(0.0);
    fade->setEndValue(1.0);
    fade->start(QAbstractAnimation::DeleteWhenStopped);
}
