#include "capture/screen_grab.h"
#include "platform/screen_text.h"
#include "x11/x11_test_support.h"

#include <QPointer>
#include <gtest/gtest.h>

TEST(ScreenText, TextStandsOverTheScreenWithATransparentBackgroundUntilRemoved) {
    PatternWindow w;
    WarpPointer({1270, 1010});
    ASSERT_TRUE(w.showAt({100, 100}, {500, 200}));
    const QPoint client = w.mapToGlobal(QPoint(0, 0));
    constexpr QRgb kGreen = 0xff008000;

    QPointer<QWidget> text =
        PaintScreenText("Esc HHHH", client + QPoint(20, 60), "Tahoma", 30, QColor(kGreen));
    ASSERT_TRUE(text);
    const QRect box(text->pos(), text->size());
    int green = 0, window = 0, other = 0;
    auto count = [&] {
        QImage screen;
        GrabScreen(screen, 0);
        green = window = other = 0;
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x) {
                const QRgb pixel = screen.pixel(x, y);
                if (pixel == kGreen)
                    ++green;
                else if (pixel == w.expectedAt(QPoint(x, y) - client))
                    ++window;
                else
                    ++other;
            }
    };
    ASSERT_TRUE(WaitUntil([&] {
        count();
        return green > 100;
    }));
    // Between the letters the window shows through; the edges are the text colour or the
    // window's, never a box of some other colour.
    EXPECT_GT(window, green);
    EXPECT_EQ(other, 0);

    RemoveScreenText(text);
    EXPECT_FALSE(text);
    EXPECT_TRUE(WaitUntil([&] {
        count();
        return green == 0 && other == 0;
    }));
}
