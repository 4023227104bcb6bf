#include "edit/edit_history.h"

#include <gtest/gtest.h>

namespace {

QImage Filled(QSize size, QColor color) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

} // namespace

TEST(EditHistory, WorkedSequenceRestoresTheSavedStates) {
    EditHistory h;
    const QImage p0 = Filled({8, 6}, Qt::white);
    QImage p1 = p0, p2 = p0;
    p1.setPixelColor(1, 1, Qt::red);
    p2.setPixelColor(5, 4, Qt::blue);
    QImage picture = p0;
    h.save(picture, picture.size()); // text A
    picture = p1;
    h.save(picture, picture.size()); // text B
    picture = p2;
    EXPECT_EQ(h.pos(), 2);
    EXPECT_EQ(h.rect(), QRect(0, 0, 8, 6));

    const struct {
        bool back;
        int pos;
        QImage shown;
    } steps[] = {{true, 1, p1}, {true, 0, p0}, {false, 1, p0}, {false, 2, p1}};
    for (const auto& s : steps) {
        EXPECT_TRUE(s.back ? h.stepBack(picture) : h.stepForward(picture));
        EXPECT_EQ(h.pos(), s.pos);
        EXPECT_EQ(picture, s.shown) << "at position " << s.pos;
    }
    // Past the newest state nothing happens; P2 is held by no slot.
    EXPECT_FALSE(h.stepForward(picture));
    EXPECT_EQ(h.pos(), 2);
    EXPECT_EQ(picture, p1);
}

TEST(EditHistory, FourSlotsKeepTheNewestStatesAndStayInBounds) {
    EditHistory h;
    QImage picture = Filled({4, 1}, Qt::white);
    for (int i = 1; i <= 6; ++i) { // state i has red i
        picture.setPixelColor(0, 0, QColor(i, 0, 0));
        h.save(picture, picture.size());
    }
    EXPECT_EQ(h.pos(), 4);
    for (int n = 1; n <= 4; ++n)
        EXPECT_EQ(h.slot(n).pixelColor(0, 0).red(), n + 2) << "slot " << n;
    EXPECT_TRUE(h.slot(0).isNull());
    EXPECT_TRUE(h.slot(5).isNull());
    int steps = 0;
    while (h.stepBack(picture))
        ++steps;
    EXPECT_EQ(steps, 4);
    EXPECT_EQ(h.pos(), 0);
    EXPECT_EQ(picture.pixelColor(0, 0).red(), 3);

    // A control larger than the picture: the part beyond the edge is saved white and the
    // picture keeps its size; a smaller rectangle set later limits the restore.
    EditHistory z;
    z.save(Filled({4, 3}, Qt::green), QSize(6, 5));
    EXPECT_EQ(z.slot(1).pixelColor(5, 4), QColor(Qt::white));
    QImage small = Filled({4, 3}, Qt::black);
    z.setRect(QRect(0, 0, 2, 2));
    ASSERT_TRUE(z.stepBack(small));
    EXPECT_EQ(small.size(), QSize(4, 3));
    EXPECT_EQ(small.pixelColor(1, 1), QColor(Qt::green));
    EXPECT_EQ(small.pixelColor(2, 1), QColor(Qt::black));
    // After a reset the slots stay: a step forward shows slot 1 again.
    z.resetPos();
    small.fill(Qt::black);
    ASSERT_TRUE(z.stepForward(small));
    EXPECT_EQ(small.pixelColor(0, 0), QColor(Qt::green));
}
