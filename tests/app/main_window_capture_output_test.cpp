#include "app/main_window_library_fixture.h"
#include "capture/new_picture_file.h"
#include "common/picture_formats.h"
#include "common/text_tables.h"
#include "edit/watermark_settings.h"
#include "support/controls.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

QImage Solid(QColor color, QSize size = QSize(40, 30)) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

} // namespace

TEST(CaptureOutput, AutoSaveTakesTheNextNumberAndReportsIt) {
    LibraryForm f({{"img1.jpg"}, {"img7.png"}, {"img3.bmp"}, {"img9.JPG"}, {"holiday.jpg"}});
    TFrmMain& form = f.start();
    form.Settings().autoSavePre = "  img ";
    Control<QComboBox>(form, "CbPicFomat").setCurrentIndex(0);
    Control<ImageControl>(form, "ImgMain").setPicture(Solid(Qt::blue));

    form.AutoSavePicture();
    EXPECT_EQ(form.CurPicName(), f.pics() + "img8.jpg");
    EXPECT_TRUE(QFile::exists(f.pics() + "img8.jpg"));
    EXPECT_EQ(Control<QLabel>(form, "PnlHint").text(),
              QString::fromUtf8(u8"已保存图片为") + f.pics() + "img8.jpg");
    form.AutoSavePicture();
    EXPECT_TRUE(QFile::exists(f.pics() + "img9.jpg"));

    // Nothing selected in the format box: ".bmp".
    Control<QComboBox>(form, "CbPicFomat").setCurrentIndex(-1);
    form.AutoSavePicture();
    EXPECT_EQ(form.CurPicName(), f.pics() + "img10.bmp");
    QImage back;
    ASSERT_TRUE(DecodePictureFile(f.pics() + "img10.bmp", back));
    EXPECT_EQ(back.pixelColor(5, 5), QColor(Qt::blue));
    EXPECT_TRUE(Messages().isEmpty());
}

TEST(CaptureOutput, ANewCaptureNeverReplacesAFileThatAppearedUnderItsName) {
    QTemporaryDir dir;
    const QString taken = dir.filePath("shot5.png");
    QFile file(taken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("someone else's file");
    file.close();

    int asked = 0;
    const mode_t mask = ::umask(022);
    const QString written = WriteNewPicture(Solid(Qt::red), taken, [&] {
        ++asked;
        return dir.filePath("shot6.png");
    });
    EXPECT_EQ(written, dir.filePath("shot6.png"));
    EXPECT_EQ(asked, 1);
    // The capture is an ordinary file of the user's, not a private temporary one.
    EXPECT_EQ(QFile::permissions(written) & (QFileDevice::ReadGroup | QFileDevice::ReadOther),
              QFileDevice::ReadGroup | QFileDevice::ReadOther);
    ::umask(mask);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "someone else's file");
    // No temporary file is left behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);

    // Without another name to try, nothing is written and nothing replaced.
    EXPECT_TRUE(WriteNewPicture(Solid(Qt::red), taken, nullptr).isEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    // An empty picture writes nothing.
    EXPECT_TRUE(WriteNewPicture(QImage(), dir.filePath("x.png"), nullptr).isEmpty());
}

TEST(CaptureOutput, EmptyFolderAsksForAValidOne) {
    LibraryForm f({{"1.jpg"}});
    TFrmMain& form = f.start();
    form.Context().picFolder.clear();
    Control<ImageControl>(form, "ImgMain").setPicture(Solid(Qt::green));
    const QString before = form.CurPicName();
    form.AutoSavePicture();
    EXPECT_EQ(Messages(), QStringList{texts::Texts().TxtInvalidFolder});
    EXPECT_EQ(form.CurPicName(), before);
}

TEST(CaptureOutput, AddWatermarkStampsTheSelectedPictureOnly) {
    // Two pictures that differ in colour and size, so that a written file tells which
    // picture went into it.
    LibraryForm f({{"1.bmp", Qt::black}});
    const QImage first = Solid(Qt::black, QSize(16, 12));
    const QImage second = Solid(Qt::blue, QSize(120, 80));
    ASSERT_TRUE(WriteBmpFile(second, f.pics() + "2.bmp"));
    TFrmMain& form = f.start();
    const auto fileHolds = [&](const QString& name) {
        QImage image;
        if (!DecodePictureFile(f.pics() + name, image)) return QImage();
        return image.convertToFormat(QImage::Format_RGB32);
    };
    ASSERT_TRUE(fileHolds("1.bmp") == first);
    WatermarkSettings& watermark = form.Context().watermark;
    watermark.type = 0;
    watermark.text = "QEL";
    watermark.transparent = 10;
    watermark.reverse = false;
    watermark.markX = 0;
    watermark.markY = 0;

    // Items but no selection: ask for one, write nothing.
    Control<QListWidget>(form, "BitmapListBox").clearSelection();
    form.BtnAddWatermarkClick();
    EXPECT_EQ(Messages(), QStringList{texts::Texts().TxtSelectOnePicture});

    // 2.bmp selected and shown: that file gets its own picture with the white label in the
    // top-left corner, and 1.bmp stays as it was.
    f.click(1);
    ASSERT_TRUE(Shows(form, Qt::blue));
    form.BtnAddWatermarkClick();
    const QImage stamped = fileHolds("2.bmp");
    ASSERT_EQ(stamped.size(), second.size())
        << "2.bmp holds a " << stamped.width() << " x " << stamped.height() << " picture";
    EXPECT_EQ(stamped.pixelColor(1, 1), QColor(Qt::white)); // the white label
    EXPECT_EQ(stamped.pixelColor(119, 79), QColor(Qt::blue));
    EXPECT_EQ(stamped.pixelColor(60, 70), QColor(Qt::blue));
    EXPECT_TRUE(fileHolds("1.bmp") == first) << "1.bmp was written";
    EXPECT_EQ(Control<QLabel>(form, "PnlHint").text(),
              QString::fromUtf8(u8"已保存图片为") + f.pics() + "2.bmp");

    // A selection without the displayed picture's entry: ask, and leave that file alone.
    f.click(0);
    Control<QListWidget>(form, "BitmapListBox").item(0)->setSelected(false);
    Control<QListWidget>(form, "BitmapListBox").item(1)->setSelected(true);
    ASSERT_EQ(form.CurPicName(), f.pics() + "1.bmp");
    Messages().clear();
    form.BtnAddWatermarkClick();
    EXPECT_EQ(Messages(), QStringList{texts::Texts().TxtSelectOnePicture});
    EXPECT_TRUE(fileHolds("1.bmp") == first) << "1.bmp was written";
    EXPECT_TRUE(fileHolds("2.bmp") == stamped) << "2.bmp was written";

    // The stamped file shows the stamped picture: stamping it again is allowed, and writes
    // that file only.
    f.click(1);
    Messages().clear();
    form.BtnAddWatermarkClick();
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_EQ(fileHolds("2.bmp").size(), second.size());
    EXPECT_EQ(fileHolds("2.bmp").pixelColor(119, 79), QColor(Qt::blue));
    EXPECT_TRUE(fileHolds("1.bmp") == first) << "1.bmp was written";

    // A picture opened from elsewhere is on display while the selection and the current
    // name still stand for 1.bmp: that file is not written over with the other picture.
    QTemporaryDir elsewhere;
    WritePicture(elsewhere.filePath("far.png"), Qt::red, QSize(40, 30));
    f.click(0);
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText(elsewhere.filePath("far.png"));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    form.Load1Click();
    ASSERT_TRUE(Shows(form, Qt::red));
    ASSERT_EQ(form.CurPicName(), f.pics() + "1.bmp");
    ASSERT_TRUE(Control<QListWidget>(form, "BitmapListBox").item(0)->isSelected());
    Messages().clear();
    Control<QAction>(form, "MnAddWaterMark").trigger();
    EXPECT_EQ(Messages(), QStringList{texts::Texts().TxtSelectOnePicture});
    EXPECT_TRUE(fileHolds("1.bmp") == first) << "1.bmp was written over";

    // Nor is the picture on display written under the name of an entry whose file has gone.
    f.click(0);
    QFile::remove(f.pics() + "2.bmp");
    f.click(1);
    ASSERT_EQ(form.CurPicName(), f.pics() + "2.bmp");
    Messages().clear();
    form.BtnAddWatermarkClick();
    EXPECT_EQ(Messages(), QStringList{texts::Texts().TxtSelectOnePicture});
    EXPECT_FALSE(QFile::exists(f.pics() + "2.bmp"));
}
