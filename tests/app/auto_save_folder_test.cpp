// Automatic saves into a picture folder whatever names it already holds.
#include "app/main_window_library_fixture.h"
#include "support/controls.h"

#include <gtest/gtest.h>

namespace {

QImage Solid(QColor color) {
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

} // namespace

TEST(AutoSaveFolder, CapturesGoOnAfterThePictureWithTheLargestNumber) {
    LibraryForm f({{"2147483647.jpg", Qt::red}, {"0x7fffffff.png", Qt::green}});
    TFrmMain& form = f.start();
    Control<ImageControl>(form, "ImgMain").setPicture(Solid(Qt::blue));
    for (const char* expected : {"2147483648.jpg", "2147483649.jpg", "2147483650.jpg"}) {
        form.AutoSavePicture();
        EXPECT_EQ(form.CurPicName(), f.pics() + expected);
        EXPECT_TRUE(QFile::exists(f.pics() + expected));
    }
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join('\n').toStdString();
}

TEST(AutoSaveFolder, LeftoversOfAnInterruptedSaveAreNotListed) {
    LibraryForm f({{"1.jpg", Qt::red}});
    f.writeRaw(".qelshot-Ab12Cd.png", QByteArray());
    f.writeRaw(".qelshot-Xy34Zw.tmp", "partial");
    TFrmMain& form = f.start();
    EXPECT_EQ(f.entries(), QStringList{"1.jpg"});
    Control<ImageControl>(form, "ImgMain").setPicture(Solid(Qt::blue));
    form.AutoSavePicture();
    form.RefreshPicList();
    EXPECT_EQ(f.entries(), QStringList({"1.jpg", "2.jpg"}));
}
