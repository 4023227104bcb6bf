// The picture folder and the picture list of the main window, driven as a user would:
// typing into the folder box, clicking and pressing keys in the list.
#include "app/main_window.h"
#include "app/main_window_library_fixture.h"
#include "common/picture_formats.h"
#include "common/text_tables.h"
#include "library/open_picture_dialog.h"
#include "support/controls.h"
#include "support/private_home.h"
#include "widgets/image_control.h"
#include "widgets/speed_button.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

void TypeAndEnter(TFrmMain& form, const QString& text) {
    Control<QLineEdit>(form, "EdtPicPath").setText(text);
    QTest::keyClick(&Control<QLineEdit>(form, "EdtPicPath"), Qt::Key_Return);
}

} // namespace

TEST(MainWindowLibrary, FolderBoxValidation) {
    PrivateHome home;
    LibraryForm f({{"1.jpg", Qt::red}});
    TFrmMain& form = f.start();
    ASSERT_EQ(f.entries(), QStringList{"1.jpg"});
    const QString missingDrive =
        QString(texts::Texts().TxtDiskMissing).replace("%s", ""); // no drive in a relative text

    // A relative or empty text is refused: the box falls back to the user's home folder
    // (never the file-system root), the list empties.
    for (const QString& text : {QString("shots"), QString("  "), QString("~/pics")}) {
        Messages().clear();
        TypeAndEnter(form, text);
        EXPECT_EQ(Messages(), QStringList{missingDrive}) << text.toStdString();
        EXPECT_EQ(Control<QLineEdit>(form, "EdtPicPath").text(), home.path() + "/");
        EXPECT_EQ(Control<QListWidget>(form, "BitmapListBox").count(), 0);
    }
    EXPECT_FALSE(QDir("shots").exists());
    // Leaving the box puts the refused text back and refuses it again.
    Messages().clear();
    form.EdtPicPathExit();
    EXPECT_EQ(form.Context().picFolder, "~/pics/");
    EXPECT_EQ(Control<QLineEdit>(form, "EdtPicPath").text(), home.path() + "/");
    EXPECT_EQ(Messages(), QStringList{missingDrive});
    // The next capture validates the box and goes into the home folder.
    QImage capture(8, 6, QImage::Format_RGB32);
    capture.fill(Qt::magenta);
    Control<ImageControl>(form, "ImgMain").setPicture(capture);
    ASSERT_TRUE(form.EnsurePicPath());
    // (Stop here otherwise: the capture would be written wherever the box points.)
    ASSERT_EQ(form.Context().picFolder, home.path() + "/");
    const QString saved = form.AutoSavePicture();
    EXPECT_EQ(QFileInfo(saved).absolutePath(), home.path());

    // The choose-folder dialog's choice is adopted and listed.
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->setDirectory(f.pics());
        QMetaObject::invokeMethod(dialog, "accept");
    });
    Control<SpeedButton>(form, "BtnSelectPath").click();
    EXPECT_EQ(Control<QLineEdit>(form, "EdtPicPath").text(), f.pics());
    EXPECT_EQ(form.OpenDialogFolder(), f.appDir() + "pics");
    EXPECT_EQ(f.entries(), QStringList{"1.jpg"});

    // A missing folder is made with its parents; the box shows it normalised.
    Messages().clear();
    TypeAndEnter(form, "  " + f.appDir() + "new//a///b  ");
    EXPECT_EQ(Control<QLineEdit>(form, "EdtPicPath").text(), f.appDir() + "new/a/b/");
    EXPECT_EQ(form.Context().picFolder, f.appDir() + "new/a/b/");
    EXPECT_TRUE(QDir(f.appDir() + "new/a/b").exists());
    EXPECT_EQ(Control<QListWidget>(form, "BitmapListBox").count(), 0);
    // A folder that cannot be made is still taken; its list is empty.
    TypeAndEnter(form, f.pics() + "1.jpg/sub");
    EXPECT_EQ(form.Context().picFolder, f.pics() + "1.jpg/sub/");
    EXPECT_TRUE(Messages().isEmpty());

    // Text typed without Enter is thrown away when the box is left.
    TypeAndEnter(form, f.pics());
    EXPECT_EQ(f.entries(), QStringList{"1.jpg"});
    Control<QLineEdit>(form, "EdtPicPath").setText(f.appDir() + "new");
    form.EdtPicPathExit();
    EXPECT_EQ(Control<QLineEdit>(form, "EdtPicPath").text(), f.pics());
    EXPECT_EQ(f.entries(), QStringList{"1.jpg"});

    // An operation that validates a box showing another folder refills the list first.
    Control<QLineEdit>(form, "EdtPicPath").setText(f.appDir() + "new/a/b/");
    EXPECT_TRUE(form.EnsurePicPath());
    EXPECT_EQ(Control<QListWidget>(form, "BitmapListBox").count(), 0);

    // A blank folder in the settings is refused at the first refresh in the same way.
    LibraryForm blank({{"1.jpg", Qt::red}});
    QFile ini(blank.appDir() + "defualt.ini");
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ini.write(("[default]\nPicPath=   \nCurPicName=" + blank.pics() + "gone.png\n").toUtf8());
    ini.close();
    Messages().clear();
    TFrmMain& second = blank.start();
    EXPECT_EQ(Messages(), QStringList{missingDrive});
    EXPECT_EQ(Control<QLineEdit>(second, "EdtPicPath").text(), home.path() + "/");
}

TEST(MainWindowLibrary, ListOrderAndStartWithThePreviousPicture) {
    const QList<PicFile> files = {{"1.jpg", Qt::red},  {"10.jpg", Qt::green}, {"2.bmp", Qt::blue},
                                  {"x.png", Qt::cyan}, {"A.JPG", Qt::yellow}, {"readme.txt"}};
    {
        // The previous picture is shown again, the format box follows its extension, and
        // after the first refresh it is the current, selected entry.
        LibraryForm f(files, "10.jpg", 3);
        TFrmMain& form = f.start();
        EXPECT_EQ(f.entries(), QStringList({"x.png", "1.jpg", "2.bmp", "10.jpg"}));
        EXPECT_EQ(Control<QComboBox>(form, "CbPicFomat").currentIndex(), 0);
        EXPECT_TRUE(Shows(form, Qt::green));
        EXPECT_EQ(Control<QListWidget>(form, "BitmapListBox").currentRow(), 3);
        EXPECT_EQ(Control<QListWidget>(form, "BitmapListBox").selectedItems().size(), 1);
        EXPECT_TRUE(Control<QListWidget>(form, "BitmapListBox").item(3)->isSelected());
    }
    {
        // At position 0 nothing is selected; ".png" is item 3 of the format box.
        LibraryForm f(files, "x.png", 0);
        TFrmMain& form = f.start();
        EXPECT_EQ(Control<QComboBox>(form, "CbPicFomat").currentIndex(), 3);
        EXPECT_TRUE(Control<QListWidget>(form, "BitmapListBox").selectedItems().isEmpty());
        // F5 picks up a new file; a format box without a picture format falls back to ".jpg".
        f.write({"3.jpg", Qt::black});
        QTest::keyClick(&Control<QListWidget>(form, "BitmapListBox"), Qt::Key_F5);
        EXPECT_EQ(f.entries(), QStringList({"x.png", "1.jpg", "2.bmp", "3.jpg", "10.jpg"}));
        QFile::remove(f.pics() + "3.jpg");
        Control<QComboBox>(form, "CbPicFomat").setCurrentIndex(-1);
        form.CbPicFomatChange();
        EXPECT_EQ(Control<QComboBox>(form, "CbPicFomat").currentIndex(), 0);
        EXPECT_EQ(f.entries(), QStringList({"x.png", "1.jpg", "2.bmp", "10.jpg"}));
    }
    {
        // ".JPG" is loaded, but it is no item of the format box, which keeps its setting.
        LibraryForm f(files, "A.JPG", 2);
        TFrmMain& form = f.start();
        EXPECT_TRUE(Shows(form, Qt::yellow));
        EXPECT_EQ(Control<QComboBox>(form, "CbPicFomat").currentIndex(), 2);
    }
}

TEST(MainWindowLibrary, MouseAndKeysInTheList) {
    PrivateHome home;
    FakePrograms fakes;
    LibraryForm f({{"1.jpg", Qt::red}, {"2 名字 'x'.png", Qt::green}, {"3.bmp", Qt::blue}});
    TFrmMain& form = f.start();
    ASSERT_EQ(Control<QListWidget>(form, "BitmapListBox").count(), 3);

    f.click(1);
    EXPECT_EQ(form.CurPicName(), f.pics() + "2 名字 'x'.png");
    EXPECT_EQ(Control<QLabel>(form, "PnlHint").text(),
              QString::fromUtf8(u8"当前文件：") + form.CurPicName());
    EXPECT_TRUE(Shows(form, Qt::green));
    QTest::keyClick(&Control<QListWidget>(form, "BitmapListBox"), Qt::Key_Down);
    QApplication::processEvents();
    EXPECT_TRUE(Shows(form, Qt::blue));
    // Clicking the current entry again shows the file again.
    Control<ImageControl>(form, "ImgMain").picture().fill(Qt::white);
    f.click(2);
    EXPECT_TRUE(Shows(form, Qt::blue));
    // A right click does not show the entry, even when its release goes to the menu.
    QListWidget* list = &Control<QListWidget>(form, "BitmapListBox");
    QTest::mousePress(list->viewport(), Qt::RightButton, {},
                      list->visualItemRect(list->item(0)).center());
    EXPECT_TRUE(Shows(form, Qt::blue));
    QTest::keyClick(list, Qt::Key_Down);
    QApplication::processEvents();
    EXPECT_TRUE(Shows(form, Qt::green));
    QTest::keyClick(list, Qt::Key_Up);
    QApplication::processEvents();
    EXPECT_TRUE(Shows(form, Qt::red));
    // An entry whose file is gone becomes the current name but shows nothing.
    QFile::remove(f.pics() + "3.bmp");
    f.click(2);
    EXPECT_EQ(form.CurPicName(), f.pics() + "3.bmp");
    EXPECT_TRUE(Shows(form, Qt::red));

    // Enter opens the current entry with its program, a double click in the picture editor.
    f.click(1);
    QTest::keyClick(&Control<QListWidget>(form, "BitmapListBox"), Qt::Key_Return);
    EXPECT_EQ(fakes.waitForCalls("xdg-open"), QList<QStringList>{{f.pics() + "2 名字 'x'.png"}});
    QTest::mouseDClick(Control<QListWidget>(form, "BitmapListBox").viewport(), Qt::LeftButton, {},
                       Control<QListWidget>(form, "BitmapListBox")
                           .visualItemRect(Control<QListWidget>(form, "BitmapListBox").item(1))
                           .center());
    EXPECT_EQ(fakes.waitForCalls("kolourpaint"), QList<QStringList>{{f.pics() + "2 名字 'x'.png"}});

    // Ctrl+A selects everything; Delete removes the files at once, without a question,
    // into the desktop trash, from where the file manager can restore them.
    QTest::keyClick(&Control<QListWidget>(form, "BitmapListBox"), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(Control<QListWidget>(form, "BitmapListBox").selectedItems().size(), 3);
    Messages().clear();
    QTest::keyClick(&Control<QListWidget>(form, "BitmapListBox"), Qt::Key_Delete);
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_TRUE(QDir(f.pics()).entryList(QDir::Files).isEmpty());
    EXPECT_EQ(Control<QListWidget>(form, "BitmapListBox").count(), 0);
    EXPECT_TRUE(Shows(form, Qt::green));
    EXPECT_EQ(QDir(home.trashFiles()).entryList(QDir::Files),
              QStringList({"1.jpg", "2 名字 'x'.png"}));
    EXPECT_EQ(Control<QLabel>(form, "PnlHint").text(),
              QString::fromUtf8(u8"已将2张图片移到回收站"));
    QTest::keyClick(&Control<QListWidget>(form, "BitmapListBox"), Qt::Key_Delete);
    EXPECT_EQ(Messages(), QStringList{texts::Texts().TxtSelectPictures});
}

TEST(MainWindowLibrary, LoaderFailures) {
    FakePrograms fakes;
    LibraryForm f({{"ok.png", Qt::red}});
    TFrmMain& form = f.start();
    for (const char* name : {"bad.jpg", "bad.png", "bad.bmp", "bad.ico", "bad.gif"})
        f.writeRaw(name, "not a picture");
    ImageControl* image = &Control<ImageControl>(form, "ImgMain");
    ASSERT_TRUE(form.LoadPicByExt(image, f.pics() + "ok.png"));

    // A JPEG that cannot be read goes to its program; the picture stays.
    EXPECT_TRUE(form.LoadPicByExt(image, f.pics() + "bad.jpg"));
    EXPECT_TRUE(image->isVisibleTo(&form));
    EXPECT_EQ(fakes.waitForCalls("xdg-open"), QList<QStringList>{{f.pics() + "bad.jpg"}});
    EXPECT_TRUE(Shows(form, Qt::red));
    EXPECT_TRUE(form.LoadPicByExt(image, f.pics() + "bad.png"));
    EXPECT_TRUE(Shows(form, Qt::red));
    EXPECT_FALSE(form.LoadPicByExt(image, f.pics() + "bad.bmp"));
    EXPECT_FALSE(image->isVisibleTo(&form));
    ASSERT_TRUE(form.LoadPicByExt(image, f.pics() + "ok.png"));
    EXPECT_TRUE(image->isVisibleTo(&form));
    // What the system picture loader cannot read is hidden and goes to its program.
    fakes.clear();
    EXPECT_FALSE(form.LoadPicByExt(image, f.pics() + "bad.ico"));
    EXPECT_FALSE(image->isVisibleTo(&form));
    EXPECT_EQ(fakes.waitForCalls("xdg-open"), QList<QStringList>{{f.pics() + "bad.ico"}});
    EXPECT_FALSE(form.LoadPicByExt(image, f.pics() + "bad.gif"));
}

TEST(MainWindowLibrary, OpenDialogAppendsTheChosenFiles) {
    QTemporaryDir other;
    LibraryForm f({{"1.jpg", Qt::red}, {"2.bmp", Qt::green}}, QString(), 1);
    WritePicture(other.path() + "/far away.png", QColor(Qt::blue), QSize(30, 20));
    TFrmMain& form = f.start();

    QString filter, size;
    QTimer::singleShot(0, [&] {
        auto* dialog = dynamic_cast<PictureFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        filter = dialog->selectedNameFilter();
        dialog->showPreview(other.path() + "/far away.png");
        size = dialog->PreviewSize->text();
        dialog->findChild<QLineEdit*>("fileNameEdit")
            ->setText("\"" + other.path() + "/far away.png\" \"2.bmp\"");
        QMetaObject::invokeMethod(dialog, "accept");
    });
    form.Load1Click();
    EXPECT_TRUE(filter.startsWith("Bitmaps")) << filter.toStdString();
    EXPECT_EQ(size, "30 x 20");
    EXPECT_EQ(f.entries(), QStringList({"1.jpg", "2.bmp", "far away.png", "2.bmp"}));
    EXPECT_TRUE(Shows(form, Qt::blue));
    // The appended entry stands for the chosen file, not for a file of the picture folder.
    f.click(1);
    f.click(2);
    EXPECT_EQ(form.CurPicName(), other.path() + "/far away.png");
    EXPECT_TRUE(Shows(form, Qt::blue));
    EXPECT_EQ(form.Context().picFolder, f.pics());
}
