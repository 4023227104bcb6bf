// The capture toolbar of a continuous run, over a main window with a private program
// folder. The capture buttons themselves grab the screen and are left to the end-to-end
// tests.
#include "app/main_window_library_fixture.h"
#include "capture/capture_session.h"
#include "capture/capture_toolbar.h"
#include "common/picture_formats.h"
#include "common/text_format.h"
#include "common/text_tables.h"
#include "support/controls.h"
#include "support/fake_capture.h"
#include "widgets/speed_button.h"
#include "widgets/tiled_panel.h"

#include <QGroupBox>
#include <QLabel>
#include <QScrollArea>
#include <QTimer>
#include <QToolTip>
#include <gtest/gtest.h>

namespace {

// The preview shows `color` in its middle.
bool Previews(const TFrmToolBar& bar, const QColor& color) {
    const QImage& picture = bar.ImgPreView->picture();
    if (picture.isNull() || !bar.ImgPreView->isVisibleTo(&bar)) return false;
    const QColor c = picture.pixelColor(picture.width() / 2, picture.height() / 2);
    return qAbs(c.red() - color.red()) < 8 && qAbs(c.green() - color.green()) < 8 &&
           qAbs(c.blue() - color.blue()) < 8;
}

QStringList Entries(const TFrmToolBar& bar) {
    QStringList names;
    for (int i = 0; i < bar.LbImgs->count(); ++i)
        names << bar.LbImgs->item(i)->text();
    return names;
}

// The box around the hint's red pixels in the label's picture; empty without any.
QRect RedInk(const QImage& image) {
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 120 && c.blue() < 120) ink |= QRect(x, y, 1, 1);
        }
    return ink;
}

} // namespace

TEST(CaptureToolbar, WindowShapeAndClosing) {
    LibraryForm f({});
    TFrmMain& form = f.start();
    TFrmToolBar bar(&form.Capture());

    EXPECT_EQ(bar.parentWidget(), nullptr);
    EXPECT_TRUE(bar.isWindow());
    EXPECT_TRUE(bar.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(bar.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(bar.size(), QSize(332, 185));
    EXPECT_EQ(bar.minimumSize(), bar.maximumSize());
    EXPECT_EQ(bar.pos(), QPoint(10, 10));
    EXPECT_EQ(bar.windowTitle(), texts::Texts().ProductTitle);
    EXPECT_EQ(bar.GpSPPreview->title(), QString::fromUtf8(u8"图片预览"));
    EXPECT_EQ(bar.GBImgList->title(), QString::fromUtf8(u8"图片列表"));
    EXPECT_FALSE(bar.RestoreOnClose);
    for (SpeedButton* b : {bar.BtnSpMouseCutScreen, bar.BtnSPFullScreenC, bar.BtnSpExistMainWin}) {
        EXPECT_FALSE(b->glyphBitmap().isNull()) << b->objectName().toStdString();
        // The picture is drawn inside the button, not cut off by it.
        EXPECT_LE(b->glyphBitmap().height(), b->height()) << b->objectName().toStdString();
        EXPECT_LE(b->glyphBitmap().width(), b->width()) << b->objectName().toStdString();
        EXPECT_TRUE(b->isVisibleTo(&bar));
    }
    EXPECT_FALSE(bar.BtnZoom->isVisibleTo(&bar));
    EXPECT_FALSE(bar.BtnFileScreen->isVisibleTo(&bar));

    // The frame surrounds the client area; the panels inside do not overlap.
    EXPECT_EQ(bar.PnlTop->geometry(), QRect(0, 0, 332, 11));
    EXPECT_EQ(bar.PnlBottom->geometry(), QRect(0, 174, 332, 11));
    EXPECT_EQ(bar.ImgLeft->geometry(), QRect(0, 11, 6, 163));
    EXPECT_EQ(bar.ImgRight->geometry(), QRect(318, 11, 14, 163));
    EXPECT_EQ(bar.ScrollBox1->geometry(), QRect(6, 11, 312, 163));
    EXPECT_EQ(bar.PnlButton->width(), 202);
    EXPECT_EQ(bar.PnlHint->height(), 26);
    const QRect preview = bar.GpSPPreview->geometry();
    const QRect buttons = bar.PnlButton->geometry();
    const QRect hint = bar.PnlHint->geometry();
    EXPECT_FALSE(preview.intersects(buttons));
    EXPECT_FALSE(preview.intersects(hint));
    EXPECT_FALSE(buttons.intersects(hint));
    EXPECT_EQ(hint.bottom(), 162);
    EXPECT_EQ(buttons.right(), 311);

    // With the main window hidden, closing the toolbar does not end the program, even with
    // the application's event loop running; it only hides the toolbar, which is kept for
    // the next run.
    form.hide();
    bar.show();
    QApplication::processEvents();
    QPointer<TFrmToolBar> alive(&bar);
    int lastClosed = 0;
    bool closed = false;
    QObject::connect(qApp, &QGuiApplication::lastWindowClosed, &bar, [&] { ++lastClosed; });
    QTimer::singleShot(0, &bar, [&] { closed = bar.close(); });
    QTimer::singleShot(100, qApp, &QCoreApplication::quit);
    QApplication::exec();
    EXPECT_TRUE(closed);
    EXPECT_EQ(lastClosed, 0);
    ASSERT_TRUE(alive);
    EXPECT_FALSE(bar.isVisible());
}

TEST(CaptureToolbar, SavedPicturesAreListedAndPreviewed) {
    LibraryForm f({{"one.png", Qt::red}, {"two.bmp", Qt::blue}, {"3 名字.jpg", Qt::green}});
    f.writeRaw("bad.png", "not a picture");
    QTemporaryDir other;
    WritePicture(other.path() + "/far.png", QColor(Qt::yellow));
    TFrmMain& form = f.start();
    TFrmToolBar bar(&form.Capture());
    bar.show();

    bar.AddSavedPicture(f.pics() + "one.png");
    EXPECT_EQ(Entries(bar), QStringList({"one.png"}));
    EXPECT_EQ(bar.LbImgs->currentRow(), 0);
    EXPECT_EQ(bar.LblHint->text(), FillIn(texts::Texts().TxtSavedTo, f.pics() + "one.png"));
    EXPECT_TRUE(bar.LblHint->text().contains(f.pics() + "one.png"));
    EXPECT_TRUE(Previews(bar, Qt::red));

    bar.AddSavedPicture(f.pics() + "two.bmp");
    bar.AddSavedPicture(f.pics() + "3 名字.jpg");
    EXPECT_EQ(Entries(bar), QStringList({"one.png", "two.bmp", "3 名字.jpg"}));
    EXPECT_EQ(bar.LbImgs->currentRow(), 2);
    EXPECT_TRUE(Previews(bar, Qt::green));

    // A file that cannot be decoded is listed, but no picture shows: not even the last one.
    bar.AddSavedPicture(f.pics() + "bad.png");
    EXPECT_EQ(bar.LbImgs->currentRow(), 3);
    EXPECT_EQ(bar.LblHint->text(), FillIn(texts::Texts().TxtSavedTo, f.pics() + "bad.png"));
    EXPECT_FALSE(bar.ImgPreView->isVisibleTo(&bar));
    EXPECT_FALSE(bar.ImgPreView->hasPicture());
    // A picture saved elsewhere is previewed from where it was saved; only its name is listed.
    bar.AddSavedPicture(other.path() + "/far.png");
    EXPECT_EQ(Entries(bar).last(), QString("far.png"));
    EXPECT_EQ(bar.LbImgs->currentRow(), 4);
    EXPECT_TRUE(Previews(bar, Qt::yellow));

    // The two hidden caption buttons switch the preview between fitted and natural size.
    EXPECT_TRUE(bar.ImgPreView->stretch());
    bar.BtnZoom->click();
    EXPECT_FALSE(bar.ImgPreView->stretch());
    bar.BtnFileScreen->click();
    EXPECT_TRUE(bar.ImgPreView->stretch());

    bar.ClearSavedList();
    EXPECT_EQ(bar.LbImgs->count(), 0);
    EXPECT_EQ(bar.LbImgs->currentItem(), nullptr);
    bar.AddSavedPicture(f.pics() + "two.bmp");
    EXPECT_EQ(Entries(bar), QStringList({"two.bmp"}));
    EXPECT_TRUE(Previews(bar, Qt::blue));
}

TEST(CaptureToolbar, ListEntriesAreFoundInTheCurrentFolder) {
    LibraryForm f({{"one.png", Qt::red}, {"two.bmp", Qt::blue}});
    QTemporaryDir other;
    TFrmMain& form = f.start();
    TFrmToolBar bar(&form.Capture());
    bar.show();
    QApplication::processEvents();
    bar.LbImgsClick(); // an empty list: nothing to select or show
    EXPECT_EQ(bar.LbImgs->currentItem(), nullptr);

    bar.AddSavedPicture(f.pics() + "one.png");
    bar.AddSavedPicture(f.pics() + "two.bmp");
    ASSERT_TRUE(Previews(bar, Qt::blue));

    // Without a selection the first entry is taken.
    bar.LbImgs->setCurrentRow(-1);
    bar.LbImgsClick();
    EXPECT_EQ(bar.LbImgs->currentRow(), 0);
    EXPECT_TRUE(Previews(bar, Qt::red));

    // Mouse and keys choose entries.
    QListWidget* list = bar.LbImgs;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(1)).center());
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_TRUE(Previews(bar, Qt::blue));
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_TRUE(Previews(bar, Qt::red));
    // A click on the current entry reads its file again.
    WritePicture(f.pics() + "one.png", QColor(Qt::magenta));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(0)).center());
    EXPECT_TRUE(Previews(bar, Qt::magenta));

    // Entries are looked up in the picture folder of now: another folder holding a picture
    // of the same name shows that one, a folder without it shows nothing.
    WritePicture(other.path() + "/one.png", QColor(Qt::cyan));
    form.Context().picFolder = other.path() + '/';
    bar.LbImgsClick();
    EXPECT_TRUE(Previews(bar, Qt::cyan));
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_FALSE(bar.ImgPreView->isVisibleTo(&bar));
    EXPECT_FALSE(bar.ImgPreView->hasPicture());
}

TEST(CaptureToolbar, OpeningTheSelectedPicture) {
    FakePrograms fakes;
    LibraryForm f({{"one.png", Qt::red}, {"two.png", Qt::blue}});
    TFrmMain& form = f.start();
    TFrmToolBar bar(&form.Capture());
    bar.show();
    QApplication::processEvents();

    bar.ImgPreViewClick(); // empty list
    EXPECT_EQ(bar.LbImgs->currentItem(), nullptr);

    bar.AddSavedPicture(f.pics() + "gone.png");
    bar.AddSavedPicture(f.pics() + "one.png");
    bar.AddSavedPicture(f.pics() + "two.png");
    // Nothing selected: the first entry is taken, and its file no longer exists.
    bar.LbImgs->setCurrentRow(-1);
    bar.ImgPreViewClick();
    EXPECT_EQ(bar.LbImgs->currentRow(), 0);

    // A click on the preview opens the selected picture with its program.
    bar.LbImgs->setCurrentRow(1);
    ASSERT_TRUE(Previews(bar, Qt::red));
    QTest::mouseClick(bar.ImgPreView, Qt::LeftButton, {}, bar.ImgPreView->rect().center());
    EXPECT_EQ(fakes.waitForCalls("xdg-open"), QList<QStringList>{{f.pics() + "one.png"}});
    // So does a double click on an entry (its first click selects and previews it).
    QListWidget* list = bar.LbImgs;
    const QPoint third = list->visualItemRect(list->item(2)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, third);
    EXPECT_TRUE(Previews(bar, Qt::blue));
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, third);
    const QList<QStringList> calls = fakes.waitForCalls("xdg-open", 2);
    EXPECT_EQ(calls.size(), 2);
    EXPECT_TRUE(calls.contains(QStringList{f.pics() + "two.png"}));
    EXPECT_FALSE(calls.contains(QStringList{f.pics() + "gone.png"}));

    // With no program to open it, the main window's hint bar says so.
    FakePrograms none({}, true);
    Control<QLabel>(form, "PnlHint").clear();
    bar.LbImgs->setCurrentRow(1);
    QTest::mouseClick(bar.ImgPreView, Qt::LeftButton, {}, bar.ImgPreView->rect().center());
    EXPECT_EQ(Control<QLabel>(form, "PnlHint").text(),
              FillIn(texts::Texts().TxtNoProgram, f.pics() + "one.png"));
}

TEST(CaptureToolbar, ClosingEndsTheRun) {
    LibraryForm f({});
    TFrmMain& form = f.start();
    QStringList log;
    QImage screen(64, 48, QImage::Format_RGB32);
    screen.fill(Qt::gray);
    form.Capture().setGrabber(std::make_unique<FakeGrabber>(log, QList<QImage>(6, screen)));
    Control<QAction>(form, "BtnContinueCut").setChecked(true);
    // A run as the area button starts it: the frozen screen with the toolbar over it, an
    // editor tool armed before.
    auto startRun = [&] {
        form.Tools().arm(ttRect);
        form.show();
        form.GrabMenuClick();
        QApplication::processEvents();
        ASSERT_TRUE(form.Capture().frozen());
        ASSERT_TRUE(form.Capture().runActive());
        ASSERT_FALSE(form.isVisible());
    };

    // The close box: the run and the area capture end, the main window comes back with no
    // tool armed.
    startRun();
    TFrmToolBar* bar = form.Capture().toolbar();
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->RestoreOnClose);
    bar->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(bar->isVisible());
    EXPECT_FALSE(form.Capture().runActive());
    EXPECT_FALSE(form.Capture().frozen());
    EXPECT_EQ(form.Tools().current(), ttNone);
    EXPECT_TRUE(form.isVisible());

    // The exit button does the same.
    startRun();
    EXPECT_EQ(form.Capture().toolbar(), bar);
    EXPECT_TRUE(bar->isVisible());
    QTest::mouseClick(bar->BtnSpExistMainWin, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(bar->RestoreOnClose);
    EXPECT_FALSE(bar->isVisible());
    EXPECT_FALSE(form.Capture().runActive());
    EXPECT_FALSE(form.Capture().frozen());
    EXPECT_EQ(form.Tools().current(), ttNone);
    EXPECT_TRUE(form.isVisible());

    // Without a restore request the run ends and the main window stays hidden.
    startRun();
    bar->RestoreOnClose = false;
    bar->close();
    EXPECT_FALSE(form.Capture().runActive());
    EXPECT_FALSE(form.isVisible());
}

TEST(CaptureToolbar, HintLineStaysInsideItsPanel) {
    const QString name = QString::fromUtf8(u8"截图_20240101_120000_一个相当长的文件名称.png");
    LibraryForm f({{name, Qt::red}, {"a.png", Qt::blue}, {"b.png", Qt::green}});
    TFrmMain& form = f.start();
    TFrmToolBar bar(&form.Capture());
    bar.show();
    QApplication::processEvents();
    bar.AddSavedPicture(f.pics() + "a.png");
    bar.AddSavedPicture(f.pics() + "b.png");
    bar.AddSavedPicture(f.pics() + name);
    ASSERT_GT(bar.LblHint->fontMetrics().horizontalAdvance(bar.LblHint->text()),
              2 * bar.LblHint->width());
    // The whole text is the hint line's tooltip.
    QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), bar.LblHint->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(bar.LblHint, &help);
    EXPECT_EQ(QToolTip::text(), bar.LblHint->text());
    QToolTip::hideText();

    // However long, the text is drawn whole lines inside the label: nothing cut at its edges.
    QImage shot = bar.LblHint->grab().toImage();
    QRect ink = RedInk(shot);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GT(ink.top(), 0);
    EXPECT_LT(ink.bottom(), shot.height() - 1);
    EXPECT_GT(ink.left(), 0);
    EXPECT_LT(ink.right(), shot.width() - 1);
    // It takes two lines: the ink is more than one line high.
    EXPECT_GT(ink.height(), bar.LblHint->fontMetrics().height());

    // A short hint is one centred line.
    bar.LblHint->setText(texts::Texts().TxtToolbarAreaHint);
    shot = bar.LblHint->grab().toImage();
    ink = RedInk(shot);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_LE(ink.height(), bar.LblHint->fontMetrics().height());
    EXPECT_LE(qAbs(ink.center().x() - shot.width() / 2), 3);
    EXPECT_LE(qAbs(ink.center().y() - shot.height() / 2), 3);
}
