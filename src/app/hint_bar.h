// The hint bar at the foot of the main window: one line of text and the timer that ends the
// full-screen view's Esc hint.
#pragma once

#include <QLabel>

class QTimer;

class HintBar : public QLabel {
    Q_OBJECT
  public:
    explicit HintBar(QWidget* parent = nullptr);

    // Starts the three seconds of the Esc hint, again from the start when running.
    void startHintTimer();
    void stopHintTimer();

  signals:
    // The three seconds are up.
    void hintTimeout();

  private:
    QTimer* TimerHint = nullptr;
};
