#include "app/main_window.h"
#include "edit/pic_param_dialog.h"
#include "library/picture_codecs.h"
#include "support/controls.h"
#include "widgets/image_control.h"
#include "widgets/speed_button.h"

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

const QColor kRed(255, 0, 0);

// The window showing a white 300 x 200 picture.
struct Form {
    QTemporaryDir dir;
    TFrmMain m{nullptr, dir.path()};
    Form() {
        m.showNormal();
        QImage paper(300, 200, QImage::Format_RGB32);
        paper.fill(Qt::white);
        Control<ImageControl>(m, "ImgMain").setPicture(paper);
    }
    // The text box as the text tool leaves it, holding text.
    void placeText(const QRect& box, const QString& text) {
        Control<QTextEdit>(m, "MemoText").setGeometry(box);
        Control<QTextEdit>(m, "MemoText").show();
        Control<QTextEdit>(m, "MemoText").setPlainText(text);
    }
    QImage& picture() { return Control<ImageControl>(m, "ImgMain").picture(); }
};

QRect BoundsOf(const QImage& image, const QColor& color) {
    QRect r;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == color) r |= QRect(x, y, 1, 1);
    return r;
}

// Runs `act` on the modal dialog that the next command opens.
void OnNextDialog(const std::function<void(QDialog*)>& act) {
    QTimer::singleShot(0, [act] {
        if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) act(d);
    });
}

} // namespace

TEST(MainWindowEdit, TextCommitDrawsTheBoxLinesInTheFontColour) {
    Form f;
    Control<SpeedButton>(f.m, "BtnAddText").click();
    EXPECT_EQ(f.m.Tools().current(), ttText);
    const QRect box(40, 30, 185, 74);
    f.placeText(box, QString::fromUtf8(u8"田田田\n田田田"));
    f.m.Tools().disarm();
    EXPECT_FALSE(
        Control<SpeedButton>(f.m, "BtnAddTextOk").isHidden()); // there while a text is being added

    Control<SpeedButton>(f.m, "BtnAddTextOk").click();
    EXPECT_TRUE(Control<QTextEdit>(f.m, "MemoText").isHidden());
    EXPECT_TRUE(Control<QTextEdit>(f.m, "MemoText").toPlainText().isEmpty());
    EXPECT_TRUE(Control<SpeedButton>(f.m, "BtnAddTextOk").isHidden());
    EXPECT_EQ(f.m.HistoryPos(), 1);
    // Glyphs in the default red inside the box; the second line 15 pixels lower at 11 pt.
    const QRect glyphs = BoundsOf(f.picture(), kRed);
    ASSERT_GT(glyphs.height(), 15);
    EXPECT_TRUE(box.contains(glyphs));
    for (int x = glyphs.left(); x <= glyphs.right(); ++x)
        EXPECT_EQ(f.picture().pixelColor(x, glyphs.top()),
                  f.picture().pixelColor(x, glyphs.top() + 15));

    // The popup offers the text items after a press in the box, the add item otherwise.
    f.placeText(box, "x");
    QTest::mouseClick(Control<QTextEdit>(f.m, "MemoText").viewport(), Qt::LeftButton);
    emit Control<QMenu>(f.m, "PmFont").aboutToShow();
    EXPECT_FALSE(Control<QAction>(f.m, "PnAddText").isVisible());
    EXPECT_TRUE(Control<QAction>(f.m, "PmCancelAddText").isVisible());
    Control<QAction>(f.m, "PmCancelAddText").trigger();
    EXPECT_TRUE(Control<QTextEdit>(f.m, "MemoText").isHidden());
    EXPECT_TRUE(Control<QTextEdit>(f.m, "MemoText").toPlainText().isEmpty());
}

TEST(MainWindowEdit, StepBackRemovesTheLastTextAndLaterShapes) {
    Form f;
    f.placeText(QRect(10, 10, 100, 40), "A");
    Control<SpeedButton>(f.m, "BtnAddTextOk").click();
    const QImage p1 = f.picture().copy();
    f.placeText(QRect(150, 100, 100, 40), "B");
    Control<SpeedButton>(f.m, "BtnAddTextOk").click();
    QPainter(&f.picture()).fillRect(0, 190, 300, 2, Qt::blue); // a shape after the commit
    Control<SpeedButton>(f.m, "BtnReurnPic").click();
    EXPECT_EQ(f.m.HistoryPos(), 1);
    EXPECT_EQ(f.picture(), p1);

    // Showing a list entry sets the position back to 0.
    QTemporaryDir pics;
    ASSERT_TRUE(WritePngFile(p1, pics.filePath("1.png")));
    Control<QLineEdit>(f.m, "EdtPicPath").setText(pics.path() + '/');
    f.m.RefreshPicList();
    Control<QListWidget>(f.m, "BitmapListBox").setCurrentRow(0);
    f.m.BitmapListBoxClick();
    EXPECT_EQ(f.m.HistoryPos(), 0);
}

TEST(MainWindowEdit, SaveWritesBackOnlyToTheFileThePictureCameFrom) {
    Form f;
    QTemporaryDir pics;
    const QString own = pics.filePath("1.png"), other = pics.filePath("2.png");
    ASSERT_TRUE(WritePngFile(f.picture(), own));
    ASSERT_TRUE(WritePngFile(f.picture().copy(0, 0, 50, 50), other));
    Control<QLineEdit>(f.m, "EdtPicPath").setText(pics.path() + '/');
    f.m.RefreshPicList();
    Control<QListWidget>(f.m, "BitmapListBox").setCurrentRow(0);
    f.m.BitmapListBoxClick();
    f.placeText(QRect(5, 5, 50, 30), QString::fromUtf8(u8"田"));
    Control<SpeedButton>(f.m, "BtnSavePic").click(); // commits, then writes the file back
    QImage saved;
    ASSERT_TRUE(DecodePictureFile(own, saved));
    EXPECT_FALSE(BoundsOf(saved, kRed).isEmpty());

    // The open dialog shows another file and FCurPicName stays: the save asks for a name.
    ASSERT_TRUE(f.m.LoadPicByExt(&Control<ImageControl>(f.m, "ImgMain"), other));
    bool asked = false;
    OnNextDialog([&](QDialog* d) {
        asked = qobject_cast<QFileDialog*>(d);
        d->reject();
    });
    Control<QAction>(f.m, "MnAddTextOK").trigger();
    EXPECT_TRUE(asked);
    ASSERT_TRUE(DecodePictureFile(own, saved));
    EXPECT_EQ(saved.size(), QSize(300, 200));
}

TEST(MainWindowEdit, FontCommandSetsTheWholeFontAndItsColour) {
    Form f;
    QFont chosen("DejaVu Serif", 20, QFont::Bold, true);
    chosen.setUnderline(true);
    chosen.setStrikeOut(true);
    OnNextDialog([&](QDialog* d) {
        qobject_cast<QFontDialog*>(d)->setCurrentFont(chosen);
        OnNextDialog([](QDialog* c) {
            qobject_cast<QColorDialog*>(c)->setCurrentColor(Qt::blue);
            c->accept();
        });
        d->accept();
    });
    Control<QAction>(f.m, "MnFontSet").trigger();
    const QFont font = Control<QTextEdit>(f.m, "MemoText").font();
    EXPECT_EQ(font.pointSize(), 20);
    EXPECT_TRUE(font.bold() && font.italic() && font.underline() && font.strikeOut());
    EXPECT_EQ(Control<QTextEdit>(f.m, "MemoText").palette().color(QPalette::Text),
              QColor(Qt::blue));
    // The next commit draws in blue, 24 pixels per line at 20 pt.
    f.placeText(QRect(10, 10, 280, 150), QString::fromUtf8(u8"田\n田"));
    Control<SpeedButton>(f.m, "BtnAddTextOk").click();
    const QRect glyphs = BoundsOf(f.picture(), Qt::blue);
    ASSERT_FALSE(glyphs.isEmpty());
    EXPECT_EQ(BoundsOf(f.picture().copy(0, glyphs.top() + 24, 300, 30), Qt::blue).top(), 0);
}

TEST(MainWindowEdit, ZoomAndSizeDialog) {
    Form f;
    Control<ImageControl>(f.m, "ImgMain").setPicture(f.picture().copy(0, 0, 50, 3));
    Control<SpeedButton>(f.m, "BtnZoomIn").click();
    EXPECT_EQ(Control<ImageControl>(f.m, "ImgMain").size(), QSize(60, 4));
    EXPECT_TRUE(Control<ImageControl>(f.m, "ImgMain").stretch());
    Control<SpeedButton>(f.m, "BtnZoomout").click();
    Control<SpeedButton>(f.m, "BtnZoomout").click(); // 4 -> 3 -> 2.5 -> 2
    EXPECT_EQ(Control<ImageControl>(f.m, "ImgMain").size(), QSize(42, 2));
    EXPECT_EQ(f.picture().size(), QSize(50, 3));
    Control<SpeedButton>(f.m, "BtnFileScreen").click();
    EXPECT_EQ(Control<ImageControl>(f.m, "ImgMain").size(),
              Control<QScrollArea>(f.m, "SBDisplay").size());
    Control<SpeedButton>(f.m, "BtnZoom").click();
    EXPECT_EQ(Control<ImageControl>(f.m, "ImgMain").size(), QSize(50, 3));
    EXPECT_FALSE(Control<ImageControl>(f.m, "ImgMain").stretch());

    // The dialog offers the displayed size; Enter confirms the typed one.
    OnNextDialog([](QDialog* d) {
        auto* dialog = qobject_cast<TFrmPicParam*>(d);
        EXPECT_EQ(dialog->NewWidth, 50);
        dialog->EdtPicWidth->setText("80");
        QTest::keyClick(dialog->EdtPicHeight, Qt::Key_Enter);
    });
    Control<SpeedButton>(f.m, "BtnSetPicParam").click();
    EXPECT_EQ(f.picture().size(), QSize(80, 3));
    EXPECT_EQ(f.m.HistoryRect(), QRect(0, 0, 80, 3));
    OnNextDialog([](QDialog* d) { // a cleared field changes nothing
        qobject_cast<TFrmPicParam*>(d)->EdtPicHeight->clear();
        qobject_cast<TFrmPicParam*>(d)->BtnConfirm->click();
    });
    Control<SpeedButton>(f.m, "BtnSetPicParam").click();
    EXPECT_EQ(f.picture().size(), QSize(80, 3));
}
