#include "capture/auto_file_name.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(AutoFileName, CountsEveryPictureExtensionExactly) {
    EXPECT_EQ(NextPicNumber({}, "img"), 1);
    EXPECT_EQ(NextPicNumber({"/p/img1.jpg"}, "img"), 2);
    EXPECT_EQ(NextPicNumber({"/p/img1.jpg", "/p/img7.png", "/p/img3.bmp"}, "img"), 8);
    // Upper-case extensions, other extensions and names without a number do not count.
    EXPECT_EQ(NextPicNumber({"/p/img9.JPG", "/p/img20.txt", "/p/holiday.jpg"}, "img"), 1);
    // The prefix is removed wherever it occurs, the extension every time it occurs.
    EXPECT_EQ(NextPicNumber({"/p/5.jpg"}, "img"), 6);
    EXPECT_EQ(NextPicNumber({"/p/img4.jpg.jpg"}, "img"), 5);
    EXPECT_EQ(NextPicNumber({"/p/2img.ico", "/p/.wmf"}, "img"), 3);
    // Without a prefix every plain number counts.
    EXPECT_EQ(NextPicNumber({"/p/1.jpg", "/p/2.jpeg", "/p/12.emf"}, ""), 13);
}

TEST(AutoFileName, ReadsTheRemainderAsAWholeSigned32BitInteger) {
    int n = 0;
    EXPECT_TRUE(PicNumberOfName("img$1F.png", "img", n));
    EXPECT_EQ(n, 31);
    EXPECT_TRUE(PicNumberOfName("0x10.png", "", n));
    EXPECT_EQ(n, 16);
    EXPECT_TRUE(PicNumberOfName("imgx0A.jpg", "img", n));
    EXPECT_EQ(n, 10);
    EXPECT_TRUE(PicNumberOfName("img 42.jpg", "img", n)); // leading blanks
    EXPECT_EQ(n, 42);
    EXPECT_TRUE(PicNumberOfName("img-3.jpg", "img", n));
    EXPECT_EQ(n, -3);
    EXPECT_FALSE(PicNumberOfName("img2147483648.jpg", "img", n)); // out of range
    EXPECT_FALSE(PicNumberOfName("img12 .jpg", "img", n));        // trailing blank
    EXPECT_FALSE(PicNumberOfName("img.jpg", "img", n));
    EXPECT_EQ(NextPicNumber({"img2147483648.jpg", "img3.jpg"}, "img"), 4);
    EXPECT_EQ(NextPicNumber({"img-9.jpg"}, "img"), 1);
}

TEST(AutoFileName, NameFormCollapsesTheDoubledSeparator) {
    EXPECT_EQ(FormatAutoFileName("C:\\shots\\", "img", 12, ".jpg", '\\'), "C:\\shots\\img12.jpg");
    EXPECT_EQ(FormatAutoFileName("/shots/", "img", 12, ".jpg"), "/shots/img12.jpg");
    EXPECT_EQ(FormatAutoFileName("/shots/", "", 1, ".bmp"), "/shots/1.bmp");
}

TEST(AutoFileName, TheLargestNumberHasASuccessorAndTakenNumbersAreSteppedOver) {
    EXPECT_EQ(NextPicNumber({"/p/2147483647.jpg"}, ""), 2147483648);
    EXPECT_EQ(NextPicNumber({"/p/0x7fffffff.png"}, ""), 2147483648);
    EXPECT_EQ(NextPicNumber({"/p/img$7FFFFFFF.png"}, "img"), 2147483648);
    // Numbers past it do not count as the highest, but their names are taken.
    EXPECT_EQ(NextPicNumber({"/p/2147483647.jpg", "/p/2147483648.png", "/p/2147483649.ico"}, ""),
              2147483650);
    EXPECT_EQ(NextPicNumber({"/p/a2147483647.jpg", "/p/a2147483648.jpg", "/p/2147483649.jpg"}, "a"),
              2147483649);
    // A number in a name of another kind, or past a gap, takes nothing.
    EXPECT_EQ(NextPicNumber({"/p/2147483647.jpg", "/p/2147483648.txt", "/p/2147483649.jpg"}, ""),
              2147483648);
    // Below the largest number the rule is as before.
    EXPECT_EQ(NextPicNumber({"/p/2147483646.jpg", "/p/2147483648.jpg"}, ""), 2147483647);
    EXPECT_EQ(FormatAutoFileName("/shots/", "img", 2147483648, ".jpg"), "/shots/img2147483648.jpg");
}

TEST(AutoFileName, NoEntryOfTheFolderIsNamedOver) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.path() + '/';
    for (const char* file : {"1.png", "2.bmp"})
        QFile(folder + file).open(QIODevice::WriteOnly);
    // Subfolders carrying the next numbers: their names are taken, their numbers do not
    // raise the count.
    QDir().mkpath(folder + "3.png");
    QDir().mkpath(folder + "4.jpg");
    QDir().mkpath(folder + "9.png");
    EXPECT_EQ(NextAutoFileName(folder, "", ".png"), folder + "5.png");
}
