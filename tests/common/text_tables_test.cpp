#include "common/text_tables.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace texts;

TEST(TextTables, InterfaceShowsSimplifiedChineseWithItsFont) {
    const InterfaceTexts& shown = Texts();
    EXPECT_EQ(shown.UiLanguage, SimplifiedChinese);
    EXPECT_EQ(shown.UiFontName, QString::fromUtf8(u8"宋体"));
    EXPECT_EQ(shown.UiCharset, 134);
    EXPECT_EQ(shown.MainCaption(), QString::fromUtf8(u8"QEL屏幕截图助手3.3 "));
    EXPECT_EQ(shown.TxtEscHint, QString::fromUtf8(u8"按下『Esc』可退出全屏模式"));
    EXPECT_EQ(shown.TxtVersionLabel, QString::fromUtf8(u8"版本号："));
    // The hotkey dialog's Simplified Chinese texts are written in Traditional characters.
    EXPECT_EQ(shown.TxtHkConflict, QString::fromUtf8(u8"此快捷鍵沖突，請修改"));
    EXPECT_EQ(shown.TxtHkWindow, QString::fromUtf8(u8"窗體截圖"));
    EXPECT_EQ(shown.TxtHkTitle, QString::fromUtf8(u8"热键设置"));
    EXPECT_EQ(shown.TxtListOpenInPaint, QString::fromUtf8(u8"在\"画图\"中打开"));
    const QStringList choices = shown.TxtWmTypeChoices.split(',');
    ASSERT_EQ(choices.size(), 3);
    EXPECT_EQ(choices[2], QString::fromUtf8(u8"无水印"));
    // Vendor addresses are set for the Simplified Chinese edition.
    EXPECT_TRUE(shown.UrlUpdate.startsWith("https://"));
    EXPECT_TRUE(shown.UrlPromo.endsWith("/jz/"));
    EXPECT_FALSE(shown.TxtAuthorLine.isEmpty());
}

TEST(TextTables, EnglishKeepsBlanksAndLeavesUnassignedKeysEmpty) {
    const InterfaceTexts english = TextsFor(English);
    EXPECT_EQ(english.ProductTitle, "QEL Screenshots ");
    EXPECT_EQ(english.MainCaption(), "QEL Screenshots 3.3 ");
    EXPECT_EQ(english.TxtSelectOnePicture, "Please select a picture in the list of an image. ");
    EXPECT_EQ(english.TxtMenuOpenInPaint, "Open with \"Paint\"");
    EXPECT_EQ(english.TxtDiskMissing, "Not exist disk:%s ,please reselect a path.");
    EXPECT_EQ(english.TxtAreaCutHint, "Drag left mouse");
    EXPECT_TRUE(english.TxtVersionLabel.isEmpty());
    EXPECT_TRUE(english.UrlUpdate.isEmpty());
    EXPECT_TRUE(english.UrlPromo.isEmpty());
    EXPECT_FALSE(english.UrlHome.isEmpty());
}

TEST(TextTables, TraditionalChineseTableAndItsGaps) {
    const InterfaceTexts traditional = TextsFor(TraditionalChinese);
    EXPECT_EQ(traditional.ProductTitle, QString::fromUtf8(u8"QEL屏幕截圖助手"));
    EXPECT_EQ(traditional.TxtSavedTo, QString::fromUtf8(u8"自動保存為：%s"));
    // "same" entries hold the Simplified Chinese text.
    EXPECT_EQ(traditional.TxtAreaCutHint, QString::fromUtf8(u8"按住左键不放选择截图区域"));
    EXPECT_EQ(traditional.TxtMenuOpenInPaint, QString::fromUtf8(u8"在『画图』中打开"));
    // The capture toolbar's list caption and all seven hotkey dialog texts are empty.
    EXPECT_TRUE(traditional.TxtImageList.isEmpty());
    for (const QString* t :
         {&traditional.TxtHkConflict, &traditional.TxtHkFullScreen, &traditional.TxtHkWindow,
          &traditional.TxtHkClient, &traditional.TxtHkArea, &traditional.TxtHkStop,
          &traditional.TxtHkTitle})
        EXPECT_TRUE(t->isEmpty());
    EXPECT_TRUE(traditional.UrlHome.endsWith("/big/"));
    EXPECT_TRUE(traditional.UrlDemo.contains("/demo/"));
    // Any value other than 1 and 2 selects Simplified Chinese.
    EXPECT_EQ(TextsFor(7).TxtAbout, QString::fromUtf8(u8"关于"));
}
