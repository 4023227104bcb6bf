#include "platform/quit_signals.h"

#include "support/forked_child.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>

// A termination signal that arrives while an event loop runs before the main one (as a
// message box shown while the program starts up does) ends that loop, and the main loop as
// soon as it runs.
TEST(QuitSignals, ASignalBeforeTheMainLoopEndsTheEarlyLoopAndTheMainOne) {
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        ForkedChild child([signal] {
            QuitOnTerminationSignals();
            QEventLoop early;
            QTimer::singleShot(0, [signal] { ::raise(signal); });
            // Left to itself the early loop ends after five seconds, with another code.
            QTimer::singleShot(5000, &early, [&early] { early.exit(1); });
            if (early.exec() != 0) return 2;
            QTimer::singleShot(5000, [] { QCoreApplication::exit(3); });
            return QCoreApplication::exec();
        });
        EXPECT_EQ(child.wait(), 0) << "signal " << signal;
    }
}
