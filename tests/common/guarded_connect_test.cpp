// Handlers connected guarded: an error in one stays inside it.
#include "common/guarded_connect.h"

#include <QAction>
#include <gtest/gtest.h>

#include <stdexcept>

TEST(GuardedConnect, AnErrorInTheHandlerStopsItAloneAndNothingReachesTheSender) {
    QObject context;
    QAction action;
    int before = 0, after = 0, next = 0;
    ConnectGuarded(&action, &QAction::triggered, &context, [&] {
        ++before;
        if (before > 0) throw std::runtime_error("handler failed");
        ++after;
    });
    QObject::connect(&action, &QAction::triggered, &context, [&] { ++next; });

    EXPECT_NO_THROW(action.trigger());
    EXPECT_NO_THROW(action.trigger());
    // The state reached before the error stays; the handlers connected after it still run.
    EXPECT_EQ(before, 2);
    EXPECT_EQ(after, 0);
    EXPECT_EQ(next, 2);
}

TEST(GuardedConnect, EndsWithItsContext) {
    QAction action;
    int runs = 0;
    {
        QObject context;
        ConnectGuarded(&action, &QAction::triggered, &context, [&] { ++runs; });
        action.trigger();
    }
    action.trigger();
    EXPECT_EQ(runs, 1);
}
