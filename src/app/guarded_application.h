// The application object: an error that reaches the event loop is discarded without a
// message and the program goes on.
#pragma once

#include <QApplication>

class GuardedApplication : public QApplication {
  public:
    GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receiver, QEvent* event) override;
};
