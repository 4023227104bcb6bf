#include "edit/shown_picture.h"
#include "library/picture_codecs.h"

#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(ShownPicture, AFileShowsThePictureThatCameOnDisplayEvenAfterJpegLoss) {
    QTemporaryDir dir;
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(QColor(240, 240, 240));
    QPainter(&picture).fillRect(4, 4, 30, 12, Qt::red);
    const QString png = dir.filePath("a.png"), jpg = dir.filePath("a.jpg");
    ASSERT_TRUE(WritePngFile(picture, png));
    ASSERT_TRUE(WriteJpegFile(picture, jpg));

    ShownPicture shown;
    shown.note(picture);
    // Drawing in place or a conversion of the program's own keeps what came on display.
    QPainter(&picture).fillRect(0, 0, 10, 10, Qt::green);
    picture = picture.convertToFormat(QImage::Format_ARGB32);
    shown.keep(picture);
    shown.note(picture);
    EXPECT_TRUE(shown.shownBy(png));
    EXPECT_TRUE(shown.shownBy(jpg));

    // Another picture put on display, nearly the same: the files do not show it.
    QImage other = shown.base();
    other.setPixelColor(50, 40, Qt::blue);
    shown.note(other);
    EXPECT_FALSE(shown.shownBy(png));
    EXPECT_FALSE(shown.shownBy(jpg));
    EXPECT_FALSE(shown.shownBy(dir.filePath("missing.png")));
    shown.saved(other); // written to a file: that file shows it
    ASSERT_TRUE(WriteJpegFile(other, jpg));
    EXPECT_TRUE(shown.shownBy(jpg));
}
