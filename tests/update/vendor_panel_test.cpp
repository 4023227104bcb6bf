// The vendor panel's links, its menu, the note for the updater, and the about box.
#include "common/picture_formats.h"
#include "common/text_tables.h"
#include "support/fake_programs.h"
#include "update/about_box.h"
#include "update/vendor_panel.h"
#include "widgets/image_control.h"
#include "widgets/speed_button.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using Call = FakePrograms::Call;

// The desktop's opener called once for each address, in this order.
QList<Call> Opens(const QStringList& addresses) {
    QList<Call> calls;
    for (const QString& address : addresses)
        calls.append({"xdg-open", {address}});
    return calls;
}

QAction* ItemWithTag(const QMenu* menu, int tag) {
    for (QAction* a : menu->actions())
        if (a->data().toInt() == tag) return a;
    return nullptr;
}

class VendorPanelTest : public ::testing::Test {
  protected:
    void SetUp() override { column.resize(150, 500); }

    QTemporaryDir folder;
    QWidget column;
    FakePrograms desktop{{"xdg-open"}};
};

} // namespace

TEST_F(VendorPanelTest, BuildsPictureButtonsMenuAndTheNoteForTheUpdater) {
    QFile old(folder.filePath("update.txt"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("previous.exe\nsecond line\n");
    old.close();

    TPnlQelSoft panel(&column, folder.path());
    // The buttons belong to the column, not the panel.
    ASSERT_TRUE(panel.BtnHelp && panel.BtnUpdate);
    EXPECT_EQ(panel.BtnHelp->parentWidget(), &column);
    EXPECT_EQ(panel.BtnUpdate->parentWidget(), &column);
    EXPECT_EQ(panel.BtnHelp->size(), QSize(122, 24));
    EXPECT_FALSE(panel.BtnHelp->glyphBitmap().isNull());
    EXPECT_FALSE(panel.BtnUpdate->glyphBitmap().isNull());
    ASSERT_TRUE(panel.ImgQelSoft && panel.ImgQelSoft->hasPicture());
    EXPECT_EQ(panel.size(), panel.ImgQelSoft->picture().size());
    EXPECT_EQ(panel.ImgQelSoft->toolTip(), QString::fromUtf8(u8"点击可查看更多软件更新"));
    // Nothing is fetched until the update window is asked for.
    EXPECT_EQ(panel.UpdateWindow(), nullptr);

    QStringList captions;
    for (const QAction* a : panel.PmVendor->actions())
        captions << (a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(
        captions,
        QStringList({QString::fromUtf8(u8"实例说明(&D)"), QString::fromUtf8(u8"官方主页(&H)"), "-",
                     QString::fromUtf8(u8"软件捐助(&J)"), QString::fromUtf8(u8"关于(&A)...")}));

    QFile note(folder.filePath("update.txt"));
    ASSERT_TRUE(note.open(QIODevice::ReadOnly));
    EXPECT_EQ(note.readAll(),
              QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUtf8() + '\n');
}

TEST_F(VendorPanelTest, MenuItemsActByTheirTags) {
    TPnlQelSoft panel(&column, folder.path());
    // The separator does nothing at all.
    panel.MenuItemClick(ItemWithTag(panel.PmVendor, 0));
    EXPECT_EQ(panel.AboutBox(), nullptr);

    // One at a time: the openers run on their own, so a later one could start first.
    int count = 0;
    for (int tag : {1, 2, 3}) {
        ItemWithTag(panel.PmVendor, tag)->trigger();
        desktop.waitForOrderedCalls(++count);
    }
    EXPECT_EQ(desktop.orderedCalls(),
              Opens({texts::Texts().UrlDemo, texts::Texts().UrlHome, texts::Texts().UrlPromo}));

    ItemWithTag(panel.PmVendor, 4)->trigger();
    ASSERT_NE(panel.AboutBox(), nullptr);
    EXPECT_TRUE(panel.AboutBox()->isVisible());
    EXPECT_EQ(panel.AboutBox()->parentWidget(), &column);
    // Shown again, the same box comes back.
    TFrmVersion* box = panel.AboutBox();
    box->close();
    ItemWithTag(panel.PmVendor, 4)->trigger();
    EXPECT_EQ(panel.AboutBox(), box);
    EXPECT_TRUE(box->isVisible());

    // The picture links to the vendor's main page.
    QTest::mousePress(panel.ImgQelSoft, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(desktop.waitForOrderedCalls(4).value(3),
              Opens({QString::fromLatin1(VendorMainPage)}).value(0));
}

TEST_F(VendorPanelTest, AboutBoxTextsAndLinks) {
    TFrmVersion box;
    EXPECT_EQ(box.size(), QSize(394, 354));
    EXPECT_EQ(box.windowTitle(), QString::fromUtf8(u8"关于 QEL屏幕截图助手"));
    EXPECT_EQ(box.Label1->text(), QString::fromUtf8(u8"QEL屏幕截图助手"));
    EXPECT_EQ(box.Label2->text(), QString::fromUtf8(u8"版本号："));
    EXPECT_EQ(box.LblVersion->text(), "3.3");
    EXPECT_EQ(box.Label3->text(), texts::Texts().TxtAuthorLine);
    EXPECT_EQ(box.Label4->text(), texts::Texts().TxtHomePageLine);
    EXPECT_FALSE(box.BtnClose->glyphBitmap().isNull());
    // The labels stand apart.
    const QList<QLabel*> labels = {box.Label1, box.Label2, box.LblVersion, box.Label3, box.Label4};
    for (qsizetype i = 0; i < labels.size(); ++i)
        for (qsizetype j = i + 1; j < labels.size(); ++j)
            EXPECT_FALSE(labels[i]->geometry().intersects(labels[j]->geometry()))
                << labels[i]->objectName().toStdString() << ' '
                << labels[j]->objectName().toStdString();

    // A press on the box or any label opens the home page; the close button only closes.
    box.show();
    for (QWidget* w : {static_cast<QWidget*>(&box), static_cast<QWidget*>(box.Label1),
                       static_cast<QWidget*>(box.LblVersion), static_cast<QWidget*>(box.Label4)})
        QTest::mousePress(w, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(desktop.waitForOrderedCalls(4), Opens(QStringList(4, texts::Texts().UrlHome)));
    QTest::mouseClick(box.BtnClose, Qt::LeftButton);
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(desktop.orderedCalls().size(), 4);

    // English: title and version only.
    TFrmVersion english(nullptr, texts::TextsFor(texts::English));
    EXPECT_EQ(english.windowTitle(), "About QEL Screenshots ");
    EXPECT_EQ(english.Label1->text(), "QEL Screenshots ");
    EXPECT_EQ(english.LblVersion->text(), "3.3");
    EXPECT_TRUE(english.Label2->text().isEmpty());
    EXPECT_TRUE(english.Label3->text().isEmpty());
    EXPECT_TRUE(english.Label4->text().isEmpty());
    // The version stands where its missing label would, and a press opens the English page.
    EXPECT_EQ(english.LblVersion->x(), box.Label2->x());
    english.show();
    QTest::mousePress(&english, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(desktop.waitForOrderedCalls(5).value(4),
              Opens({texts::TextsFor(texts::English).UrlHome}).value(0));
}
