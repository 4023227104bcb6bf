// File operations of the main window: writing by extension, save as, rename, delete,
// the picture editor, clear, clipboard and the folder.
#include "app/main_window.h"
#include "app/main_window_library_fixture.h"
#include "common/picture_formats.h"
#include "common/text_tables.h"
#include "common/toolkit_translation.h"
#include "library/open_picture_dialog.h"
#include "library/rename_dialog.h"
#include "support/controls.h"
#include "update/vendor_panel.h"
#include "widgets/speed_button.h"

#include <QAction>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

QByteArray Head(const QString& path, int n = 4) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.read(n) : QByteArray("none");
}

// Answers the rename dialog once it is up: types `name` and confirms, or closes it.
void AnswerRename(TFrmMain& form, const QString& name, bool confirm, QString* shownName = nullptr) {
    QTimer::singleShot(0, [&form, name, confirm, shownName] {
        TFrmReName* d = form.findChild<TFrmReName*>();
        ASSERT_NE(d, nullptr);
        if (shownName) *shownName = d->EdtName->text();
        d->EdtName->setText(name);
        if (confirm)
            QTest::keyClick(d->EdtName, Qt::Key_Return);
        else
            d->BtnClose->click();
    });
}

} // namespace

TEST(MainWindowPictureFiles, SavePicByExtChoosesTheWriterByExtension) {
    LibraryForm f({});
    TFrmMain& form = f.start();
    QImage picture(20, 10, QImage::Format_RGB32);
    picture.fill(Qt::red);
    Control<ImageControl>(form, "ImgMain").setPicture(picture);
    const QString out = f.appDir() + "out/deeper/";

    for (const char* name : {"shot.jpg", "shot.JPEG"}) {
        form.SavePicByExt(out + name);
        EXPECT_EQ(Head(out + name, 2), "\xFF\xD8") << name;
    }
    form.SavePicByExt(out + "shot.PNG");
    EXPECT_EQ(Head(out + "shot.png"), "\x89PNG");
    EXPECT_FALSE(QFile::exists(out + "shot.PNG"));
    for (const char* name : {"shot.bmp", "shot.ico", "shot.emf", "shot.wmf", "shot"}) {
        form.SavePicByExt(out + name);
        EXPECT_EQ(Head(out + name, 2), "BM") << name;
    }
    EXPECT_TRUE(Messages().isEmpty());

    // A bare file name has no folder; a write that fails says so, JPEG and PNG stay silent.
    form.SavePicByExt("bare.bmp");
    EXPECT_EQ(Messages(), QStringList{QString(texts::Texts().TxtIllegalPath).replace("%s", "")});
    EXPECT_FALSE(QFile::exists("bare.bmp"));
    Messages().clear();
    form.SavePicByExt(out + "shot/x.bmp");
    form.SavePicByExt(out + "shot/x.jpg");
    // The message names the reason: "shot" is a file, not a folder.
    EXPECT_EQ(Messages(), QStringList{QString::fromUtf8(u8"保存失败") + out +
                                      QString::fromUtf8(u8"shot/x.bmp\n原因：文件夹不存在")});

    // A cleared picture writes nothing and says nothing.
    Messages().clear();
    form.MnClearPicClick();
    for (const char* name : {"empty.bmp", "empty.jpg", "empty.png"})
        form.SavePicByExt(out + name);
    EXPECT_TRUE(QDir(out).entryList({"empty*"}).isEmpty());
    EXPECT_TRUE(Messages().isEmpty());
}

TEST(MainWindowPictureFiles, SaveAsWritesTheMainPicture) {
    LibraryForm f({{"1.png", Qt::green}, {"2.png", Qt::blue}});
    TFrmMain& form = f.start();
    form.BtnSPSaveImgClick(); // no current entry: nothing
    EXPECT_TRUE(Messages().isEmpty());

    f.click(0);
    QString filter;
    QTimer::singleShot(0, [&] {
        auto* dialog = dynamic_cast<PictureFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        filter = dialog->selectedNameFilter();
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText("copy 1");
        QMetaObject::invokeMethod(dialog, "accept");
    });
    Control<QAction>(form, "MnSaveImg").trigger();
    EXPECT_TRUE(filter.startsWith("JPEG")) << filter.toStdString();
    EXPECT_EQ(Head(f.pics() + "copy 1.jpg", 2), "\xFF\xD8");
    EXPECT_EQ(f.entries(), QStringList({"1.png", "2.png"}));

    QFile::remove(f.pics() + "1.png");
    form.BtnSPSaveImgClick();
    EXPECT_EQ(Messages(), QStringList{texts::Texts().TxtSelectOnePicture});
}

TEST(MainWindowPictureFiles, RenameNeverOverwrites) {
    LibraryForm f({{"5.jpg", Qt::red}, {"holiday.jpg", Qt::green}, {"-a 'b' $c.png", Qt::blue}});
    TFrmMain& form = f.start();
    ASSERT_EQ(f.entries(), QStringList({"-a 'b' $c.png", "holiday.jpg", "5.jpg"}));
    const QByteArray five = Head(f.pics() + "5.jpg", 1 << 20);
    const QByteArray holiday = Head(f.pics() + "holiday.jpg", 1 << 20);

    // A taken name: nothing happens to either file.
    f.click(2);
    QString shown;
    AnswerRename(form, "holiday", true, &shown);
    form.MnRenamePicClick();
    EXPECT_EQ(shown, "5.jpg");
    EXPECT_EQ(form.findChild<TFrmReName*>()->windowTitle(), texts::Texts().TxtRenameTitle);
    EXPECT_EQ(form.findChild<TFrmReName*>()->Label1->text(), texts::Texts().TxtRenameLabel);
    EXPECT_FALSE(form.findChild<TFrmReName*>()->BtnConfirm->glyphBitmap().isNull());
    EXPECT_EQ(Head(f.pics() + "5.jpg", 1 << 20), five);
    EXPECT_EQ(Head(f.pics() + "holiday.jpg", 1 << 20), holiday);

    // Without an extension the old one is kept; with one the file takes it as it is.
    f.click(2);
    AnswerRename(form, "假期 2024", true);
    Control<QAction>(form, "MnRenameImg").trigger();
    EXPECT_EQ(Head(f.pics() + "假期 2024.jpg", 1 << 20), five);
    EXPECT_EQ(f.entries(), QStringList({"-a 'b' $c.png", "holiday.jpg", "假期 2024.jpg"}));
    f.click(0);
    AnswerRename(form, "x.bmp", true);
    form.MnRenamePicClick();
    EXPECT_EQ(f.entries(), QStringList({"holiday.jpg", "x.bmp", "假期 2024.jpg"}));
    // Closing the dialog changes nothing.
    f.click(0);
    AnswerRename(form, "other", false);
    form.MnRenamePicClick();
    EXPECT_EQ(f.entries(), QStringList({"holiday.jpg", "x.bmp", "假期 2024.jpg"}));
}

TEST(MainWindowPictureFiles, PaintClearClipboardAndFolder) {
    FakePrograms fakes;
    LibraryForm f({{"a b.png", Qt::green}});
    TFrmMain& form = f.start();
    form.PmOpenInPaintClick(); // no current entry: nothing
    f.click(0);
    Control<QAction>(form, "MnOpenInPaintBox").trigger();
    EXPECT_EQ(fakes.waitForCalls("kolourpaint"), QList<QStringList>{{f.pics() + "a b.png"}});
    Control<SpeedButton>(form, "BtnOpenDir").click();
    EXPECT_EQ(fakes.waitForCalls("xdg-open"), QList<QStringList>{{f.pics()}});

    QClipboard* clipboard = QApplication::clipboard();
    Control<QAction>(form, "MnSaveToClipbrd").trigger();
    EXPECT_EQ(
        clipboard->image().convertToFormat(QImage::Format_RGB32),
        Control<ImageControl>(form, "ImgMain").picture().convertToFormat(QImage::Format_RGB32));
    clipboard->setText("kept");
    Control<QAction>(form, "MnClearPic").trigger();
    EXPECT_FALSE(Control<ImageControl>(form, "ImgMain").hasPicture());
    EXPECT_EQ(form.CurPicName(), f.pics() + "a b.png");
    Control<QAction>(form, "MnSaveToClipbrd").trigger();
    EXPECT_EQ(clipboard->text(), "kept");
    EXPECT_TRUE(QFile::exists(f.pics() + "a b.png"));
}

TEST(MainWindowPictureFiles, CommandsThatFindNoProgramToStartSaySo) {
    LibraryForm f({{"a b.png", Qt::green}});
    TFrmMain& form = f.start();
    f.click(0);
    const QString noProgram = QString::fromUtf8(u8"没有可以启动的程序来打开：");
    {
        // Neither a picture editor nor the desktop's opener is on the PATH.
        FakePrograms none({}, true);
        Control<QAction>(form, "MnOpenInPaintBox").trigger();
        EXPECT_EQ(Control<QLabel>(form, "PnlHint").text(), noProgram + f.pics() + "a b.png");
        Control<SpeedButton>(form, "BtnOpenDir").click();
        EXPECT_EQ(Control<QLabel>(form, "PnlHint").text(), noProgram + f.pics());
        // The vendor's picture in the tool column opens the vendor's page.
        auto* panel = &Control<TPnlQelSoft>(form, "PnlQelSoft");
        QTest::mouseClick(panel->ImgQelSoft, Qt::LeftButton);
        EXPECT_TRUE(Control<QLabel>(form, "PnlHint").text().startsWith(noProgram + "http"))
            << Control<QLabel>(form, "PnlHint").text().toStdString();
    }
    // With a program to start, nothing is said.
    FakePrograms fakes;
    Control<QLabel>(form, "PnlHint").clear();
    Control<QAction>(form, "MnOpenInPaintBox").trigger();
    EXPECT_EQ(fakes.waitForCalls("kolourpaint"), QList<QStringList>{{f.pics() + "a b.png"}});
    Control<SpeedButton>(form, "BtnOpenDir").click();
    EXPECT_EQ(fakes.waitForCalls("xdg-open"), QList<QStringList>{{f.pics()}});
    QTest::qWait(200);
    EXPECT_TRUE(Control<QLabel>(form, "PnlHint").text().isEmpty());

    // The desktop's opener starts but has no program for the folder: said once it ends.
    fakes.clear();
    fakes.setExitCode("xdg-open", 3);
    Control<SpeedButton>(form, "BtnOpenDir").click();
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return Control<QLabel>(form, "PnlHint").text() == noProgram + f.pics();
    })) << Control<QLabel>(form, "PnlHint").text().toStdString();
}

TEST(MainWindowPictureFiles, TheToolkitsDialogsSpeakTheInterfaceLanguage) {
    LibraryForm f({{"1.png", Qt::green}});
    TFrmMain& form = f.start();
    f.click(0);
    // The save dialog's title, labels and buttons are the toolkit's own texts.
    QStringList seen;
    QTimer::singleShot(0, [&] {
        auto* dialog = dynamic_cast<PictureFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        seen << dialog->windowTitle();
        for (const QLabel* label : dialog->findChildren<QLabel*>())
            if (label->text().contains(QString::fromUtf8(u8"文件类型"))) seen << label->text();
        for (const QAbstractButton* button : dialog->findChild<QDialogButtonBox*>()->buttons())
            seen << button->text();
        dialog->reject();
    });
    Control<QAction>(form, "MnSaveImg").trigger();
    EXPECT_EQ(seen, QStringList::fromList(
                        {QString::fromUtf8(u8"另存为"), QString::fromUtf8(u8"文件类型："),
                         QString::fromUtf8(u8"保存(&S)"), QString::fromUtf8(u8"取消")}));

    // The other interface languages have theirs.
    const auto okText = [] {
        QDialogButtonBox box(QDialogButtonBox::Ok);
        return box.button(QDialogButtonBox::Ok)->text();
    };
    ASSERT_TRUE(form.Context().toolkitTranslation.install(1));
    EXPECT_EQ(okText(), QString::fromUtf8(u8"確定"));
    ASSERT_TRUE(form.Context().toolkitTranslation.install(2));
    EXPECT_EQ(okText(), "OK");
    ASSERT_TRUE(form.Context().toolkitTranslation.install(0));
    EXPECT_EQ(okText(), QString::fromUtf8(u8"确定"));
}
