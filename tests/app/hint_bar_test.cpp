// The hint bar built alone: its line, its height and the timer of the Esc hint.
#include "app/hint_bar.h"
#include "support/controls.h"

#include <QTimer>
#include <gtest/gtest.h>

TEST(HintBar, LineHeightAndTimer) {
    HintBar bar;
    EXPECT_EQ(bar.objectName(), "PnlHint");
    EXPECT_EQ(bar.minimumHeight(), 25);
    EXPECT_EQ(bar.maximumHeight(), 25);

    QTimer& timer = Control<QTimer>(bar, "TimerHint");
    EXPECT_EQ(timer.interval(), 3000);
    EXPECT_FALSE(timer.isActive());
    bar.startHintTimer();
    EXPECT_TRUE(timer.isActive());
    int timeouts = 0;
    QObject::connect(&bar, &HintBar::hintTimeout, [&] { ++timeouts; });
    ASSERT_TRUE(QMetaObject::invokeMethod(&timer, "timeout"));
    EXPECT_EQ(timeouts, 1);
    bar.stopHintTimer();
    EXPECT_FALSE(timer.isActive());
}
