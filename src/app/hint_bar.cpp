#include "app/hint_bar.h"

#include "app/control_rows.h"

#include <QTimer>

HintBar::HintBar(QWidget* parent) : QLabel(parent) {
    setObjectName("PnlHint");
    setFixedHeight(25);
    setContentsMargins(8, 0, 8, 0);
    PaintBackground(this, BarColor());
    TimerHint = Named(new QTimer(this), "TimerHint");
    TimerHint->setInterval(3000);
    connect(TimerHint, &QTimer::timeout, this, &HintBar::hintTimeout);
}

void HintBar::startHintTimer() {
    TimerHint->start();
}

void HintBar::stopHintTimer() {
    TimerHint->stop();
}
