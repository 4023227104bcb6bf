// The picture control's picture on the clipboard, as other programs read it.
#include "widgets/image_control.h"
#include "widgets/picture_clipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <gtest/gtest.h>

TEST(PictureClipboard, CopiesTheControlsPicture) {
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->setText("before");
    ImageControl empty;
    CopyPicToClipboard(&empty);
    CopyPicToClipboard(nullptr);
    EXPECT_EQ(clipboard->text(), "before");

    QImage picture(7, 5, QImage::Format_RGB32);
    picture.fill(QColor(10, 200, 30));
    ImageControl image;
    image.setPicture(picture);
    CopyPicToClipboard(&image);
    const QImage got = clipboard->image().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(got, picture);
    // Other programs mostly take it as PNG.
    const QImage png = QImage::fromData(clipboard->mimeData()->data("image/png"), "PNG");
    EXPECT_EQ(png.convertToFormat(QImage::Format_RGB32), picture);
}
